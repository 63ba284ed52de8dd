// An installed GraphicsObserver hears every drawing call with its numbers,
// in order and before the call draws.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/javax_microedition_lcdui/GraphicsObserver.h"
#include "runtime/lang/String.h"
#include "tests/platform/graphics_fixture.h"

namespace {

struct Heard {
  GraphicsCallKind kind;
  std::vector<int32_t> values;
  Image* image;
  std::u16string text;
  uint16_t pixelBefore;  // (0, 0) of the target as the call was heard
};

class Listener : public GraphicsObserver {
 public:
  void observe(Graphics* g, const GraphicsCall& call) override {
    heard.push_back({call.kind, std::vector<int32_t>(std::begin(call.values), std::end(call.values)), call.image,
                     std::u16string(call.text), g->target->surface().row(0)[0]});
  }
  std::vector<Heard> heard;
};

class GraphicsObserverTest : public GraphicsFixture {
 protected:
  void SetUp() override {
    GraphicsFixture::SetUp();
    installedGraphicsObserver = &listener;
  }
  void TearDown() override {
    installedGraphicsObserver = nullptr;
    GraphicsFixture::TearDown();
  }
  Listener listener;
};

TEST_F(GraphicsObserverTest, EveryCallIsHeardWithItsNumbersInOrder) {
  Image* target = mutableImage(8, 8);
  Image* source = mutableImage(3, 2);
  Graphics* g = target->getGraphics();
  IntArray* rgb = intArray({0xFF000000});
  g->setColor(0xFF00FF);
  g->setColor(1, 2, 3);
  g->translate(4, 5);
  g->translate(-4, -5);
  g->setClip(0, 1, 2, 3);
  g->clipRect(1, 1, 5, 5);
  g->resetForPaint();
  g->fillRect(1, 2, 3, 4);
  g->drawLine(1, 2, 3, 4);
  g->drawRect(1, 2, 3, 4);
  g->drawArc(0, 0, 4, 4, 0, 90);
  g->fillArc(0, 0, 4, 4, 90, 180);
  g->fillTriangle(1, 2, 3, 4, 5, 6);
  g->drawRoundRect(1, 2, 3, 4, 5, 6);
  g->fillRoundRect(6, 5, 4, 3, 2, 1);
  g->drawRGB(rgb, 0, 1, 2, 3, 1, 1, true);
  g->drawRegion(source, 0, 1, 2, 1, 0, 5, 6, 20);
  g->drawImage(source, 1, 2, 20);
  using K = GraphicsCallKind;
  const std::vector<std::pair<K, std::vector<int32_t>>> expected = {
      {K::setColor, {0xFF00FF}},
      {K::setColorRGB, {1, 2, 3}},
      {K::translate, {4, 5}},
      {K::translate, {-4, -5}},
      {K::setClip, {0, 1, 2, 3}},
      {K::clipRect, {1, 1, 5, 5}},
      {K::resetForPaint, {}},
      {K::fillRect, {1, 2, 3, 4}},
      {K::drawLine, {1, 2, 3, 4}},
      {K::drawRect, {1, 2, 3, 4}},
      {K::drawArc, {0, 0, 4, 4, 0, 90}},
      {K::fillArc, {0, 0, 4, 4, 90, 180}},
      {K::fillTriangle, {1, 2, 3, 4, 5, 6}},
      {K::drawRoundRect, {1, 2, 3, 4, 5, 6}},
      {K::fillRoundRect, {6, 5, 4, 3, 2, 1}},
      {K::drawRGB, {0, 1, 2, 3, 1, 1, 1}},
      {K::drawRegion, {0, 1, 2, 1, 0, 5, 6, 20}},
      {K::drawImage, {1, 2, 20}},
  };
  ASSERT_EQ(listener.heard.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(listener.heard[i].kind, expected[i].first);
    std::vector<int32_t> values = expected[i].second;
    values.resize(8, 0);  // unused numbers are 0
    EXPECT_EQ(listener.heard[i].values, values);
    const bool withImage = expected[i].first == K::drawRegion || expected[i].first == K::drawImage;
    EXPECT_EQ(listener.heard[i].image, withImage ? source : nullptr);
  }
}

TEST_F(GraphicsObserverTest, CallsAreHeardBeforeTheyDraw) {
  Image* target = mutableImage(4, 4);
  Graphics* g = target->getGraphics();
  g->setColor(0xFFFFFF);
  g->fillRect(0, 0, 4, 4);
  g->setColor(0x000000);
  g->fillRect(0, 0, 4, 4);
  ASSERT_EQ(listener.heard.size(), 4u);
  EXPECT_EQ(listener.heard[1].pixelBefore, 0x0000);  // the white fill not yet drawn
  EXPECT_EQ(listener.heard[3].pixelBefore, 0xFFFF);  // the black one not yet
  EXPECT_EQ(pixelAt(target, 0, 0), 0x0000);
}

TEST_F(GraphicsObserverTest, TextIsHeardOnlyWhenThereIsTextToDraw) {
  Graphics* g = mutableImage(32, 32)->getGraphics();
  g->drawString(newString("Ab"), 1, 2, 20);
  g->drawChar(u'z', 3, 4, 0);
  CharArray* chars = newCharArray(3);
  chars->set(0, u'p');
  chars->set(1, u'q');
  chars->set(2, u'r');
  g->drawChars(chars, 1, 2, 5, 6, 0);
  g->drawString(nullptr, 0, 0, 0);
  g->drawString(newString(""), 0, 0, 0);
  g->drawChars(chars, 2, 5, 0, 0, 0);
  ASSERT_EQ(listener.heard.size(), 3u);
  EXPECT_EQ(listener.heard[0].text, u"Ab");
  EXPECT_EQ(listener.heard[0].values[0], 1);
  EXPECT_EQ(listener.heard[0].values[2], 20);
  EXPECT_EQ(listener.heard[1].text, u"z");
  EXPECT_EQ(listener.heard[2].text, u"qr");
  EXPECT_EQ(listener.heard[2].values[1], 6);
  for (const Heard& heard : listener.heard) EXPECT_EQ(heard.kind, GraphicsCallKind::drawText);

  // Without an observer nothing is heard.
  installedGraphicsObserver = nullptr;
  g->fillRect(0, 0, 1, 1);
  EXPECT_EQ(listener.heard.size(), 3u);
}

}  // namespace
