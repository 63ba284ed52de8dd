// Touch zones: strict containment, width before height in set.
#include <gtest/gtest.h>

#include "game/toolkit/SensibleRectangle.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/game/toolkit/toolkit_fixture.h"

namespace {

using SensibleRectangleTest = ToolkitFixture;

TEST_F(SensibleRectangleTest, ContainsExcludesEveryEdge) {
  SensibleRectangle* zone = newObject<SensibleRectangle>();
  ASSERT_NE(zone, nullptr);
  EXPECT_EQ(zone->getClassId(), 125);
  struct Case {
    int32_t x, y, w, h, px, py;
    bool inside;
  };
  const Case cases[] = {
      {10, 10, 20, 20, 10, 15, false}, {10, 10, 20, 20, 30, 15, false}, {10, 10, 20, 20, 15, 30, false},
      {10, 10, 20, 20, 15, 10, false}, {10, 10, 20, 20, 11, 11, true},   {10, 10, 20, 20, 29, 29, true},
      {10, 10, 1, 20, 10, 15, false},  {10, 10, 1, 20, 11, 15, false},   {10, 10, 20, 1, 15, 10, false},
      {10, 10, 20, 1, 15, 11, false},  {10, 10, 2, 20, 11, 15, true},    {10, 10, 2, 20, 10, 15, false},
      {10, 10, 2, 20, 12, 15, false},  {-5, -5, 10, 10, 0, 0, true},
  };
  for (const Case& c : cases) {
    zone->set(c.x, c.y, c.w, c.h, 7);
    EXPECT_EQ(zone->contains(c.px, c.py), c.inside) << c.x << "," << c.y << " " << c.w << "x" << c.h << " at "
                                                    << c.px << "," << c.py;
  }
}

TEST_F(SensibleRectangleTest, SetStoresWidthBeforeHeightAndClearsState) {
  SensibleRectangle* zone = newObject<SensibleRectangle>();
  zone->state = 9;
  zone->set(1, 2, 30, 40, 1003);
  EXPECT_EQ(zone->x, 1);
  EXPECT_EQ(zone->y, 2);
  EXPECT_EQ(zone->width, 30);
  EXPECT_EQ(zone->height, 40);
  EXPECT_EQ(zone->state, 0);
  EXPECT_EQ(zone->id, 1003);
}

TEST_F(SensibleRectangleTest, AResetZoneContainsNothing) {
  SensibleRectangle* zone = newObject<SensibleRectangle>();
  zone->set(-100, -100, 1000, 1000, 5);
  zone->state = 3;
  zone->reset();
  EXPECT_EQ(zone->id, 0);
  EXPECT_EQ(zone->state, 0);
  for (int32_t px : {-1, 0, 1})
    for (int32_t py : {-1, 0, 1}) EXPECT_FALSE(zone->contains(px, py));
}

}  // namespace
