// File.list reads no folder: a new empty Vector each time.
#include <gtest/gtest.h>

#include "platform/java_util/java_util_Vector.h"
#include "platform/javax_microedition_io/javax_microedition_io_File_list.h"
#include "runtime/io/javax_microedition_io_File.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/RuntimeFixture.h"

namespace {

class FileListTest : public RuntimeFixture {};

TEST_F(FileListTest, AnswersANewEmptyVector) {
  auto* file = newObject<javax_microedition_io_File>(newObject<String>("\\Program Files\\Corvanta\\Quendrill"));
  java_util_Vector* first = javax_microedition_io_File_list(file);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->size(), 0);
  EXPECT_NE(javax_microedition_io_File_list(file), first);
}

}  // namespace
