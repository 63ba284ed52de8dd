// The promotion screen opened over a pack of our own making: loading, page
// browsing, pointer and key input, link completion and opening, the visited
// mark, the font's text and the palette recolouring.
#include <gtest/gtest.h>

#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "tests/game/look/screen_png.h"
#include "tests/game/shell/kivra_fixture.h"
#include "tests/runtime/png_test_writer.h"
#include "tools/compiler/PromotionStage.h"
#include "tests/support/MappedFileSystem.h"
#include "wince/browser.h"
#include "wince/clock.h"
#include "wince/log.h"

namespace {

// A 1 x 1 palette image whose one pixel uses entry 1.
std::vector<uint8_t> palettePng(png_color first, png_color second) {
  PngFixture png;
  png.colourType = PNG_COLOR_TYPE_PALETTE;
  png.palette = {first, second};
  png.rows = {{1}};
  return writePng(png);
}

std::vector<uint8_t> rgbPng(uint32_t width, uint32_t height) {
  PngFixture png;
  png.width = width;
  png.height = height;
  png.rows.assign(height, std::vector<uint8_t>(width * 3, 0x80));
  return writePng(png);
}

int32_t pixelOf(javax_microedition_lcdui_Image* image, int32_t x = 0, int32_t y = 0) {
  IntArray* pixel = newIntArray(1);
  image->getRGB(pixel, 0, 1, x, y, 1, 1);
  // Images are stored at the display's 16 bits per pixel.
  return pixel->get(0) & 0xF8FCF8;
}

class KivraScreenTest : public KivraFixture {
 protected:
  void SetUp() override {
    KivraFixture::SetUp();
    wince::setBrowserMode(wince::BrowserMode::record);
    wince::clearBrowserRequests();
  }
  void TearDown() override {
    wince::useRealClock();
    KivraFixture::TearDown();
  }

  // Pages a, b, c (b without a link), a list of two rows and the home link.
  static std::vector<uint8_t> ourPack(const std::vector<std::string>& values = {"en", "de"}) {
    tools::PromotionMetadata m;
    m.parameterValues = values;
    m.pageNames = {"a", "b", "c"};
    m.rowNames = {{{"r1", "last"}, {}, {}}};
    m.version = "2";
    std::vector<std::string> texts;
    for (int i = 0; i < 30; ++i) texts.push_back("T" + std::to_string(i));
    texts[1] = "";
    std::vector<std::vector<uint8_t>> blocks;
    for (size_t v = 0; v < values.size(); ++v) blocks.push_back(tools::writePromotionTextBlock(texts));
    const std::vector<tools::PromotionGlyph> glyphs = {{32, 0, 0, 4, 8}, {65, 4, 0, 6, 8}, {66, 10, 0, 5, 8},
                                                       {300, 0, 0, 9, 9}};
    std::vector<uint8_t> images, pages, mainLink, list, banner;
    for (int i = 0; i < 14; ++i) tools::appendPromotionChunk(images, rgbPng(4, 4));
    for (int i = 0; i < 3; ++i) tools::appendPromotionChunk(pages, rgbPng(20, 10));
    for (size_t i = 0; i <= values.size(); ++i) tools::appendPromotionChunk(mainLink, rgbPng(30, 10));
    tools::appendPromotionChunk(list, rgbPng(8, 8));
    tools::appendPromotionChunk(banner, rgbPng(40, 10));
    std::vector<uint8_t> font = tools::writePromotionFontEntry(rgbPng(16, 8), glyphs, false);
    // The table ends at code 66: the glyph of code 300 lies past it.
    const size_t glyphData = 2 + (font[0] | font[1] << 8);
    font[glyphData + 2] = 66;
    font[glyphData + 3] = 0;
    return tools::writePromotionPack({tools::writePromotionMetadata(m), tools::writePromotionTextEntry(blocks),
                                      font, images, pages,
                                      mainLink, list, {}, banner});
  }

  void open(const std::string& descriptor, std::vector<uint8_t> pack = ourPack()) {
    installPack(std::move(pack));
    javax_microedition_midlet_MIDlet* midlet = Kivra::statics().midlet;
    Kivra::statics().midlet = nullptr;
    Kivra::clinit();
    parseDescriptor(newString(descriptor.c_str()), midlet->properties);
    Kivra::initialize(midlet, stringLiteral(0), 800, 480, nullptr);
    Kivra::openScreen(str("Loading"), 0);
  }
  static int loadUntilBrowsing() {
    int frames = 0;
    while (Kivra::statics().state == Kivra::loading && frames < 100) {
      Kivra::update(0);
      ++frames;
    }
    return frames;
  }

  static constexpr const char* threePages =
      "Promo-Template:http://e/%ID%?v=1&lang=X\nPromo-Pages:a=1;b=none;c=3\n";
  testsupport::MappedFileSystem files{"kivra-test"};
};

TEST_F(KivraScreenTest, LoadingStepsReachBrowsing) {
  open(threePages);
  KivraStatics& k = Kivra::statics();
  ASSERT_TRUE(k.initialised);
  EXPECT_EQ(k.loadTotal, k.pageCount + 4);
  // Steps -1 .. loadTotal - 1, then the change to browsing.
  EXPECT_EQ(loadUntilBrowsing(), k.loadTotal + 2);
  EXPECT_EQ(k.state, Kivra::browsing);
  EXPECT_EQ(k.pageIndex, 0);
  EXPECT_EQ(text(Kivra::getText(2)), "T2");
  EXPECT_EQ(text(Kivra::getText(1)), "") << "an empty span is a missing text, painted as nothing";
  EXPECT_EQ(text(Kivra::getText(500)), "");
  EXPECT_EQ(k.fontHeight, 8);
  EXPECT_EQ(k.glyphSpacing, -1);
  EXPECT_EQ(Kivra::glyphField(65, 2), 6);
  EXPECT_EQ(Kivra::glyphField(300, 2), 0) << "a code past the table is skipped";
  ASSERT_NE(k.images->get(13), nullptr);
  EXPECT_NE(k.pageImages->get(2), nullptr);
  EXPECT_EQ(k.packOffsets, nullptr) << "the pack is released after the last image step";
  EXPECT_TRUE(k.linkButtonShown);
  EXPECT_EQ(k.linkTextId, k.firstTextId + 10);
}

TEST_F(KivraScreenTest, PagesBrowseAndWrapOverADisabledPage) {
  open(threePages);
  loadUntilBrowsing();
  KivraStatics& k = Kivra::statics();
  ASSERT_EQ(k.enabledPageCount, 2);
  Kivra::update(Kivra::nextPage);
  EXPECT_EQ(k.pageIndex, 2);
  EXPECT_TRUE(k.rightPressed);
  Kivra::update(Kivra::nextPage);
  EXPECT_EQ(k.pageIndex, 0);
  Kivra::update(Kivra::previousPage);
  EXPECT_EQ(k.pageIndex, 2);
  Kivra::update(Kivra::nextPage);
  EXPECT_EQ(k.pageIndex, 2) << "while the left arrow shows pressed, next only resets the list view";
  EXPECT_FALSE(Kivra::update(Kivra::back));
  EXPECT_EQ(k.state, Kivra::leaving);
  EXPECT_TRUE(Kivra::update(0));
}

TEST_F(KivraScreenTest, PointerWinsOverTheKeyInAFrame) {
  open(threePages);
  loadUntilBrowsing();
  KivraStatics& k = Kivra::statics();
  // The right page arrow: fixed image 7 is 4 x 4.
  Kivra::pointerPressed(800 - 3, 240);
  EXPECT_EQ(k.pressedAction, Kivra::nextPage);
  Kivra::pointerReleased(800 - 3, 240);
  EXPECT_EQ(k.pressedAction, 0);
  Kivra::update(Kivra::back);
  EXPECT_EQ(k.pageIndex, 2);
  EXPECT_EQ(k.state, Kivra::browsing) << "the key's back was dropped";
  Kivra::update(Kivra::back);
  EXPECT_EQ(k.state, Kivra::leaving);
}

TEST_F(KivraScreenTest, ATapSelectsThenChoosesAndTheLinkOpens) {
  wince::useFakeClock(10000, true);
  open(std::string(threePages) + "Promo-Home:http://home\nPromo-List-1:r1=7\nPromo-Main-Links:last=9\n");
  loadUntilBrowsing();
  KivraStatics& k = Kivra::statics();
  while (k.pageIndex != k.firstListPage) Kivra::update(Kivra::nextPage), k.leftPressed = false;
  ASSERT_TRUE(k.listMode);
  ASSERT_EQ(k.rowCount, 2);
  // The rows as the list painter lays them out.
  k.listLeft = 100, k.listWidth = 600, k.listTop = 200, k.rowHeight = 40, k.visibleRows = 2;
  Kivra::pointerPressed(300, 260);
  EXPECT_EQ(k.selectedRow, 1) << "the press selects";
  Kivra::pointerReleased(300, 260);
  Kivra::update(0);
  EXPECT_EQ(k.state, Kivra::linkChosen);
  Kivra::update(0);
  ASSERT_NE(k.linkToOpen, nullptr);
  EXPECT_EQ(text(k.linkToOpen), "http://home?id=9&lang=en") << "the last row: the home link with its value";
  Kivra::update(Kivra::listUp);  // down and up at the list's ends do nothing
  const uint64_t before = GetTickCount();
  Kivra::openLink();
  EXPECT_EQ(GetTickCount() - before, 200u);
  EXPECT_EQ(k.linkToOpen, nullptr);
  EXPECT_EQ(wince::browserRequests(), std::vector<std::string>{"http://home?id=9&lang=en"});
  EXPECT_EQ(k.state, Kivra::browsing);
  // The opening stored the visited mark; a fresh check finds it.
  k.visited = k.visitedChecked = false;
  EXPECT_TRUE(Kivra::wasVisited());
}

TEST_F(KivraScreenTest, ListEndsAndTheFirstRowFollowTheSelection) {
  open(std::string(threePages) + "Promo-Home:http://home\nPromo-List-1:r1=7\nPromo-Main-Links:last=9\n");
  loadUntilBrowsing();
  KivraStatics& k = Kivra::statics();
  k.pageIndex = k.firstListPage;
  Kivra::resetPageView();
  k.visibleRows = 1;
  Kivra::update(Kivra::listUp);
  EXPECT_EQ(k.selectedRow, 0);
  Kivra::update(Kivra::listDown);
  EXPECT_EQ(k.selectedRow, 1);
  EXPECT_EQ(k.firstRow, 1);
  Kivra::update(Kivra::listDown);
  EXPECT_EQ(k.selectedRow, 1);
  Kivra::update(Kivra::listUp);
  EXPECT_EQ(k.firstRow, 0);
}

TEST_F(KivraScreenTest, ChosenLinksTakeTheParameter) {
  open(threePages);
  loadUntilBrowsing();
  KivraStatics& k = Kivra::statics();
  const std::pair<const char*, const char*> cases[] = {
      {"http://e/1?v=1&lang=X&n=01", "http://e/1?v=1&lang=en&n=01"},
      {"http://e/1&lang=", "http://e/1&lang=en"},  // the marker at the very end
      {"http://e/1", "http://e/1&lang=en"},
      {"h", nullptr},  // shorter than 2: not opened
  };
  for (const auto& [link, expected] : cases) {
    k.linkToOpen = nullptr;
    k.pageLinks->set(0, str(link));
    k.pageIndex = 0;
    k.state = Kivra::linkChosen;
    Kivra::update(0);
    EXPECT_EQ(text(k.linkToOpen), expected ? expected : "(null)") << link;
  }
}

TEST_F(KivraScreenTest, OpeningWithoutParameterValuesLeaves) {
  open(threePages, ourPack({}));
  EXPECT_EQ(Kivra::statics().state, Kivra::leaving);
  EXPECT_TRUE(Kivra::update(0));
}

TEST_F(KivraScreenTest, PauseWhileLoadingRestartsTheSteps) {
  open(threePages);
  Kivra::update(0);
  Kivra::update(0);
  Kivra::hide();
  EXPECT_EQ(Kivra::statics().state, Kivra::paused);
  Kivra::show();
  EXPECT_EQ(Kivra::statics().state, Kivra::loading);
  EXPECT_EQ(Kivra::statics().loadIndex, -1);
}

TEST_F(KivraScreenTest, TwoLineTextIsMeasured) {
  open(threePages);
  loadUntilBrowsing();
  KivraStatics& k = Kivra::statics();
  k.measureOnly = true;
  Kivra::drawGlyphText(str("AB\nA"), nullptr, 0, 0, 0, 20);
  EXPECT_EQ(k.lineWidths->get(0), 10);  // (6 - 1) + (5 - 1), less one spacing
  EXPECT_EQ(k.lineWidths->get(1), 6);
  EXPECT_EQ(k.textBlockWidth, 10);
  EXPECT_EQ(k.textBlockHeight, 16);
  EXPECT_FALSE(k.measureOnly);
  k.measureOnly = true;
  Kivra::drawGlyphText(str("A\\NB"), nullptr, 0, 0, 0, 20);
  EXPECT_EQ(k.textBlockHeight, 16) << "a backslash and N break the line too";
}

TEST_F(KivraScreenTest, NoticeWrapping) {
  open(threePages);
  loadUntilBrowsing();
  KivraStatics& k = Kivra::statics();
  k.screenWidth = 20;  // A is 6 wide, the space 4
  const std::pair<const char*, const char*> cases[] = {
      {"ab", "AB"},
      {"a\\nb", "A\nB"},
      {"\nab", "AB"},
      {"a a a a", "A A\nA A"},
      {"aaaa", nullptr},          // no space to break at
      {"a\nb\nc", nullptr},       // a third line
      {"a{", nullptr},            // outside the allowed characters
      {"", nullptr},
      {"none", nullptr},
  };
  for (const auto& [notice, expected] : cases) {
    k.noticeText = str(notice);
    Kivra::wrapNotice();
    EXPECT_EQ(text(k.noticeText), expected ? expected : "(null)") << notice;
  }
}

TEST_F(KivraScreenTest, RecolouredPngDecodesWithItsPaletteEntryChanged) {
  const std::vector<uint8_t> png = palettePng({0, 0, 0}, {255, 255, 255});
  std::vector<uint8_t> padded = {9, 9};
  padded.insert(padded.end(), png.begin(), png.end());
  auto bytes = [&] {
    ByteArray* array = newByteArray(static_cast<int32_t>(padded.size()));
    for (size_t i = 0; i < padded.size(); ++i) array->set(static_cast<int32_t>(i), static_cast<int8_t>(padded[i]));
    return array;
  };
  const int32_t length = static_cast<int32_t>(png.size());
  EXPECT_EQ(pixelOf(Kivra::recolourImage(bytes(), 2, length, 1, 0x123456)), 0x123456 & 0xF8FCF8);
  wince::LogCapture log;
  EXPECT_EQ(pixelOf(Kivra::recolourImage(bytes(), 2, length, 2, 0x123456)), 0xF8FCF8) << "past the palette";
  EXPECT_TRUE(log.contains("palette"));
  std::vector<uint8_t> plain = rgbPng(1, 1);
  padded = {9, 9};
  padded.insert(padded.end(), plain.begin(), plain.end());
  EXPECT_EQ(pixelOf(Kivra::recolourImage(bytes(), 2, static_cast<int32_t>(plain.size()), 1, 0x123456)), 0x808080);
}

class KivraPaintTest : public KivraScreenTest {
 protected:
  void SetUp() override {
    KivraScreenTest::SetUp();
    wince::useFakeClock(0, true);
    open(std::string(threePages) +
         "Promo-Home:http://home\nPromo-List-1:r1=7\nPromo-Main-Links:last=9;MAIN=m;BANNER=1\n");
    loadUntilBrowsing();
    screen = javax_microedition_lcdui_Image::createImage(800, 480);
  }
  javax_microedition_lcdui_Graphics* paintAt(uint64_t time) {
    wince::useFakeClock(time, true);
    javax_microedition_lcdui_Graphics* g = screen->getGraphics();
    Kivra::paint(g);
    return g;
  }
  int32_t at(int32_t x, int32_t y) { return pixelOf(screen, x, y); }
  static constexpr int32_t white = 0xF8FCF8, grey = 0x808080;
  javax_microedition_lcdui_Image* screen = nullptr;
};

TEST_F(KivraPaintTest, PageArrowsBounceOver640Milliseconds) {
  // The left arrow (4 px wide) ends at x = 4 + o + 1 with o = |(t / 80) mod 8 - 4|.
  const std::pair<uint64_t, int32_t> cases[] = {{0, 4}, {80, 3}, {320, 0}, {560, 3}, {640, 4}};
  for (const auto& [time, offset] : cases) {
    paintAt(time);
    EXPECT_EQ(at(offset + 1, 240), grey) << time;
    EXPECT_EQ(at(offset + 5, 240), white) << time;
    if (offset > 0) {
      EXPECT_EQ(at(offset, 240), white) << time;
    }
  }
}

TEST_F(KivraPaintTest, PressedArrowsShowForFivePaints) {
  KivraStatics& k = Kivra::statics();
  Kivra::update(Kivra::nextPage);
  for (int paints = 0; paints < 4; ++paints) paintAt(0);
  EXPECT_TRUE(k.rightPressed);
  paintAt(0);
  EXPECT_FALSE(k.rightPressed);
  EXPECT_EQ(k.arrowPressFrames, 0);
}

TEST_F(KivraPaintTest, TheLinkButtonBlinks) {
  KivraStatics& k = Kivra::statics();
  paintAt(1600);
  ASSERT_TRUE(k.linkButtonShown);
  ASSERT_GT(k.buttonWidth, 0);
  EXPECT_EQ(at(k.buttonX, k.buttonY), 0xCF0900 & 0xF8FCF8) << "second half of the second";
  paintAt(1200);
  EXPECT_EQ(at(k.buttonX, k.buttonY), white) << "first half";
  k.pressedAction = Kivra::chooseLink;
  paintAt(1200);
  EXPECT_EQ(at(k.buttonX, k.buttonY), 0x5800F2 & 0xF8FCF8) << "pressed: drawn and in the pressed colour";
}

TEST_F(KivraPaintTest, EveryPageKindPaints) {
  KivraStatics& k = Kivra::statics();
  for (int32_t page : {0, 2, k.mainLinkPage, k.firstListPage, k.bannerPage}) {
    ASSERT_TRUE(k.pageEnabled->get(page)) << page;
    k.pageIndex = page;
    Kivra::resetPageView();
    paintAt(0);
    EXPECT_EQ(takePending(), nothingPending) << page;
    if (k.listMode) {
      EXPECT_GT(k.rowHeight, 0);
      // The selection frame's top left corner.
      EXPECT_EQ(at(k.listLeft, k.listTop), 0xFC7704 & 0xF8FCF8);
      // A tap inside the painted row chooses it.
      EXPECT_EQ(Kivra::hitTest(k.listLeft + 10, k.listTop + k.rowHeight / 2), Kivra::choose);
    } else {
      EXPECT_GT(k.linkAreaWidth, 0) << page;
      EXPECT_EQ(Kivra::hitTest(k.linkAreaX + k.linkAreaWidth / 2, k.linkAreaY + k.linkAreaHeight / 2),
                Kivra::chooseLink)
          << page;
      EXPECT_EQ(at(k.linkAreaX + k.linkAreaWidth / 2, k.linkAreaY + k.linkAreaHeight / 2), grey) << page;
    }
    // The softkey at the bottom right and its back area.
    EXPECT_EQ(Kivra::hitTest(800 - 4, 480 - 2), Kivra::back);
  }
}

TEST_F(KivraPaintTest, GradientRunsBetweenItsColours) {
  javax_microedition_lcdui_Graphics* g = screen->getGraphics();
  Kivra::fillGradient(g, 10, 10, 4, 11, 0x000000, 0xF8F8F8, false);
  EXPECT_EQ(at(10, 10), 0);
  EXPECT_EQ(at(12, 20), 0xE0E0E0 & 0xF8FCF8) << "row 10 of 11: 10 x 248 / 11";
  Kivra::fillGradient(g, 790, 470, 40, 40, 0xF80000, 0xF80000, true);  // cut at the screen's edges
  EXPECT_EQ(at(799, 479), 0xF80000);
}

TEST_F(KivraScreenTest, OurContentsPackBrowsesEveryPage) {
  auto read = [](const std::string& name) {
    std::ifstream file(std::string(QUENDRILL_CONTENT_DIR) + "/" + name);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  };
  wince::useFakeClock(0, true);
  open(read("app.jad"), tools::compilePromotionPack(read("promotion.json"), "promotion.json", QUENDRILL_CONTENT_DIR,
                                                   "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"));
  KivraStatics& k = Kivra::statics();
  ASSERT_TRUE(k.initialised);
  EXPECT_EQ(k.enabledPageCount, 6);
  loadUntilBrowsing();
  ASSERT_EQ(k.state, Kivra::browsing);
  // Letters a player reads at arm's length; outlined glyphs overlap by one.
  EXPECT_GE(k.fontHeight, 24);
  EXPECT_EQ(k.glyphSpacing, -1);
  EXPECT_EQ(text(k.noticeText), "NEW ADVENTURES EVERY SEASON");
  EXPECT_EQ(text(Kivra::getText(0)), "Quendrill II: The Salt Road");
  javax_microedition_lcdui_Image* screen = javax_microedition_lcdui_Image::createImage(800, 480);
  // Product, product, main link, first and second list, banner, each with
  // its link button shown (600 ms into the second).
  wince::useFakeClock(600, true);
  for (int32_t page = 0; page < 6; ++page) {
    SCOPED_TRACE("page " + std::to_string(page));
    EXPECT_EQ(k.pageIndex, page);
    Kivra::paint(screen->getGraphics());
    EXPECT_EQ(takePending(), nothingPending);
    expectScreenMatchesGolden(screen, testing::TempDir(), "promotion_page_" + std::to_string(page) + ".png");
    if (!k.listMode) {
      EXPECT_GT(k.linkAreaWidth, 0);
      // The link button stays on the page and clear of the page arrows.
      EXPECT_GE(k.buttonX, 2 * static_cast<javax_microedition_lcdui_Image*>(k.images->get(7))->getWidth());
      EXPECT_LE(k.buttonY + k.buttonHeight, 480);
    }
    Kivra::update(Kivra::nextPage);
    k.rightPressed = false;
  }
  EXPECT_EQ(k.pageIndex, 0) << "six pages, then round again";
  Kivra::update(Kivra::choose);
  Kivra::update(0);
  EXPECT_EQ(text(k.linkToOpen), "https://games.corvanta.example/p/quendrill2?v=1&lang=en&n=01");
}

TEST_F(KivraPaintTest, NewArrowBlinksUntilTheScreenIsVisited) {
  KivraStatics& k = Kivra::statics();
  javax_microedition_lcdui_Image* arrowImage = static_cast<javax_microedition_lcdui_Image*>(k.images->get(5));
  javax_microedition_lcdui_Graphics* g = screen->getGraphics();
  k.visited = false;
  k.arrowShown = false;
  k.arrowToggleTime = 1000;
  auto shownAt = [&](uint64_t time) {
    wince::useFakeClock(time, true);
    g->setColor(0xFFFFFF);
    g->fillRect(0, 0, 10, 10);
    EXPECT_TRUE(Kivra::paintNewArrow(g, arrowImage, 0, 0, 20));
    return at(1, 1) == grey;
  };
  EXPECT_FALSE(shownAt(1800)) << "hidden for the first phase after a change";
  EXPECT_TRUE(shownAt(1801));
  EXPECT_TRUE(shownAt(2601));
  EXPECT_FALSE(shownAt(2602));
  k.visited = true;
  EXPECT_FALSE(Kivra::paintNewArrow(g, arrowImage, 0, 0, 20));
  k.visited = false;
  EXPECT_FALSE(Kivra::paintNewArrow(g, nullptr, 0, 0, 20));
}

TEST_F(KivraPaintTest, RotationSwapsTheScreen) {
  KivraStatics& k = Kivra::statics();
  Kivra::sizeChanged();
  EXPECT_EQ(k.screenWidth, 480);
  EXPECT_EQ(k.screenHeight, 800);
  EXPECT_EQ(k.centreY, 400);
  EXPECT_EQ(k.pageHeight, 744);
  EXPECT_EQ(k.pageMargin, 40);
}

}  // namespace
