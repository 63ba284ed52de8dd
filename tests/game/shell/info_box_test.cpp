// The hint box over play: a translucent panel with a white outline whose
// height follows the wrapped text, the text centred in it, or beside an
// icon when the hint has one.
#include <gtest/gtest.h>

#include "game/toolkit/CVLibPlayer.h"
#include "tests/game/shell/pages_fixture.h"

namespace {

class InfoBox : public PagesFixture {
 protected:
  void SetUp() override {
    PagesFixture::SetUp();
    loop().graphics->setColor(0x000000);
    loop().graphics->fillRect(0, 0, 800, 480);
    loop().sprites->set(5, blockFont());
  }
  static cGameNoticeStatics& notice() { return shellStatics().cGameNotice; }
  int32_t pixel(int32_t x, int32_t y) {
    IntArray* out = newIntArray(1);
    screen->getRGB(out, 0, 1, x, y, 1, 1);
    return out->get(0) & 0xFFFFFF;
  }
};

TEST_F(InfoBox, AHintIsAnOutlinedPanelWithItsTextCentred) {
  notice().noticeText = newString("ab");
  notice().noticeY = 100;
  notice().noticeRemaining = 0;
  cGame::paintInfoBox();
  EXPECT_FALSE(lit(0, 0, 800, 480)) << "nothing once its time is over";

  notice().noticeRemaining = 500;
  cGame::paintInfoBox();
  // One line of 10 px: the box spans (85, 120) to (714, 159).
  EXPECT_EQ(pixel(85, 130), 0xFFFFFF) << "left outline";
  EXPECT_EQ(pixel(714, 130), 0xFFFFFF) << "right outline";
  EXPECT_EQ(pixel(400, 120), 0xFFFFFF) << "top outline";
  EXPECT_EQ(pixel(400, 159), 0xFFFFFF) << "bottom outline";
  EXPECT_FALSE(lit(0, 160, 800, 320)) << "nothing below";
  EXPECT_TRUE(lit(388, 130, 24, 20)) << "the text in the middle";
  EXPECT_FALSE(lit(90, 130, 200, 20)) << "not at the left";

  // With an icon the text moves right of it, the icon at x 138.
  CVLibPlayer* icon = newObject<CVLibPlayer>();
  icon->setSprite(blockFont());
  notice().noticeIcon = icon;
  loop().graphics->setColor(0x000000);
  loop().graphics->fillRect(0, 0, 800, 480);
  cGame::paintInfoBox();
  EXPECT_EQ(pixel(85, 130), 0xFFFFFF);
  EXPECT_TRUE(lit(191, 130, 20, 60)) << "the text starts at x 191";
  EXPECT_FALSE(lit(388, 130, 24, 60)) << "not centred";
}

}  // namespace
