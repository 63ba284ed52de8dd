// Typed arrays described in JSON: every kind, and the faults named.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tools/compiler/TableSources.h"

namespace {

using tools::TypedArrayValue;

TEST(TableSources, EveryKindAndNesting) {
  const TypedArrayValue value =
      tools::parseTypedArrayJson(R"({"arrays": [{"bytes": [1, 255]}, {"shorts": [-1]}, {"ints": [70000]}, {"arrays": []}]})");
  ASSERT_EQ(value.kind, TypedArrayValue::Kind::arrays);
  ASSERT_EQ(value.elements.size(), 4u);
  EXPECT_EQ(value.elements[0].values, (std::vector<int32_t>{1, 255}));
  EXPECT_EQ(value.elements[1].kind, TypedArrayValue::Kind::shorts);
  EXPECT_EQ(value.elements[2].values, (std::vector<int32_t>{70000}));
  EXPECT_TRUE(value.elements[3].elements.empty());
}

TEST(TableSources, FaultsAreRefused) {
  for (const char* json : {"[1]", "{}", R"({"floats": [1]})", R"({"ints": [1.5]})", R"({"ints": [4294967296]})",
                           R"({"ints": 3})", R"({"bytes": [1], "ints": [2]})", "{", R"({"arrays": [[1]]})"}) {
    EXPECT_THROW(tools::parseTypedArrayJson(json), std::runtime_error) << json;
  }
}

}  // namespace
