// The sprite lists the level assembler checks records against are the
// loader's own, with the two slots no list hands out left out.
#include <gtest/gtest.h>

#include "game/RoomSpriteSlots.h"
#include "game/shell/cGame.h"
#include "tests/game/shell/shell_runtime_fixture.h"

namespace {

class RoomSpriteSlotsTest : public ShellRuntimeFixture {};

TEST_F(RoomSpriteSlotsTest, AgreeWithTheLoadersLists) {
  for (int32_t chapter = 0; chapter < roomsprite::progressValues; ++chapter) {
    cGame::setChapter(chapter);
    const int32_t progress = cGame::getProgress(chapter);
    for (int32_t slot = 0; slot < 60; ++slot)
      EXPECT_EQ(roomsprite::isListed(slot, progress), cGame::isIdInProgressList(slot))
          << "chapter " << chapter << " slot " << slot;
  }
  cGame::setChapter(0);
}

}  // namespace
