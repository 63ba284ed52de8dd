// Display's current Displayable and the Command constructors.
#include <gtest/gtest.h>

#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Canvas.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Command.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Display.h"
#include "runtime/exceptions/Exceptions.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/RuntimeFixture.h"

namespace {

using DisplayAndCommand = RuntimeFixture;

TEST_F(DisplayAndCommand, EveryDisplaySetsTheOneCurrentDisplayable) {
  auto* first = javax_microedition_lcdui_Display::getDisplay(nullptr);
  auto* second = javax_microedition_lcdui_Display::getDisplay(nullptr);
  EXPECT_NE(first, second);
  auto* canvas = newObject<javax_microedition_lcdui_Canvas>();
  first->setCurrent(canvas);
  EXPECT_EQ(application().m_current, canvas);
  EXPECT_EQ(second->getCurrent(), canvas);
  second->setCurrent(nullptr);
  EXPECT_EQ(application().m_current, nullptr);
  EXPECT_EQ(canvas->getWidth(), 800);
  EXPECT_EQ(canvas->getHeight(), 480);
}

TEST_F(DisplayAndCommand, CommandTable) {
  struct CommandCase {
    bool withLabel;
    bool withLongLabel;
    int32_t type;
    int32_t raised;
  };
  const CommandCase cases[] = {
      {true, false, 1, nothingPending},
      {true, true, 8, nothingPending},
      {true, false, 0, classid::java_lang_IllegalArgumentException},
      {true, false, 9, classid::java_lang_IllegalArgumentException},
      {false, false, 0, classid::java_lang_IllegalArgumentException},  // the type is tested first
      {false, false, 1, classid::java_lang_NullPointerException},
      {false, true, 4, classid::java_lang_NullPointerException},
  };
  for (const CommandCase& entry : cases) {
    SCOPED_TRACE(testing::Message() << "type " << entry.type << " label " << entry.withLabel);
    String* label = entry.withLabel ? newObject<String>("Back") : nullptr;
    String* longLabel = entry.withLongLabel ? newObject<String>("Go back") : nullptr;
    auto* command = newObject<javax_microedition_lcdui_Command>(label, longLabel, entry.type, 7);
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(takePending(), entry.raised);
    if (entry.raised == nothingPending) {
      EXPECT_EQ(command->getLabel(), label);
      EXPECT_EQ(command->getLongLabel(), longLabel);
      EXPECT_EQ(command->getCommandType(), entry.type);
      EXPECT_EQ(command->getPriority(), 7);
    } else {
      EXPECT_EQ(command->getLabel(), nullptr);
    }
  }
  auto* shortForm = newObject<javax_microedition_lcdui_Command>(newObject<String>("OK"), 4, 1);
  EXPECT_EQ(takePending(), nothingPending);
  EXPECT_EQ(shortForm->getLongLabel(), nullptr);
}

}  // namespace
