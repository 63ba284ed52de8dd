// The promotion screen's links: the descriptor lookup, the validity test and
// the pages built from pack entry 0 and the descriptor.
#include <gtest/gtest.h>

#include "tests/game/shell/kivra_fixture.h"
#include "wince/log.h"

namespace {

using KivraParameterTest = KivraFixture;

TEST_F(KivraParameterTest, LookupParameter) {
  struct Case {
    const char* source;
    const char* key;
    const char* linkTemplate;
    const char* expected;
  };
  const Case cases[] = {
      {"a= x ;b=y", "a", "http://e/%ID%/p", "http://e/x/p"},
      {"a= x ;b=y", "b", "http://e/%ID%", "http://e/y"},
      {"a=x;b=y", "a", "  http://e/  ", "http://e/"},  // no marker: the trimmed template itself
      {"ba=z;a=x", "a", "http://e/%ID%", "http://e/z"},  // the key is found inside an earlier one
      {"a=x", "c", "http://e/%ID%", ""},
      {"a=x", "a", "   ", ""},
      {"a=;b=y", "a", "http://e/%ID%", ""},
      {"a=  ;b=y", "a", "http://e/%ID%", ""},
      {"a=0", "a", "http://e/%ID%", ""},
      {"a=null", "a", "http://e/%ID%", ""},
      {"a=none", "a", "http://e/%ID%", "none"},  // returned as it stands, and then invalid
      {"a=NoNe", "a", "http://e/%ID%", "NoNe"},
      {"BANNER= yes ", "BANNER", "http://e/%ID%", "yes"},
      {"a=x%ID%", "a", "%ID%-%ID%", "x%ID%-%ID%"},  // only the first marker
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text(Kivra::lookupParameter(str(c.source), str(c.key), str(c.linkTemplate))), c.expected)
        << c.source << " / " << c.key << " / " << c.linkTemplate;
  }
  EXPECT_EQ(text(Kivra::lookupParameter(nullptr, str("a"), str("t"))), "");
  EXPECT_EQ(text(Kivra::lookupParameter(str("a=x"), nullptr, str("t"))), "");
  EXPECT_EQ(text(Kivra::lookupParameter(str("a=x"), str("a"), nullptr)), "");
}

TEST_F(KivraParameterTest, IsValidValue) {
  const std::pair<const char*, bool> cases[] = {
      {"", false},     {"   ", false},   {"none", false}, {" NoNe ", false}, {"NULL", false},
      {"null", false}, {"0", false},     {" 0 ", false},  {"00", true},      {"x", true},
      {"NONE1", true}, {"http://e", true},
  };
  for (const auto& [value, valid] : cases) EXPECT_EQ(Kivra::isValidValue(str(value)), valid) << value;
  EXPECT_FALSE(Kivra::isValidValue(nullptr));
}

class KivraPagesTest : public KivraFixture {
 protected:
  void build(std::vector<std::string> pageNames, std::array<std::vector<std::string>, 3> rows, bool fullScreen,
             const std::string& descriptor) {
    tools::PromotionMetadata m;
    m.parameterValues = {"en"};
    m.pageNames = std::move(pageNames);
    m.rowNames = std::move(rows);
    m.fullScreen = fullScreen;
    m.version = "2";
    installPack(tools::writePromotionPack({tools::writePromotionMetadata(m)}));
    setDescriptor(descriptor);
    Kivra::buildPages();
  }
  static std::string pageLink(int32_t page) {
    return text(static_cast<String*>(Kivra::statics().pageLinks->get(page)));
  }
  static bool enabled(int32_t page) { return Kivra::statics().pageEnabled->get(page); }
};

TEST_F(KivraPagesTest, ProductPagesCountTheirLinks) {
  std::string names[10], pages;
  for (int i = 0; i < 10; ++i) {
    names[i] = "p" + std::to_string(i);
    pages += names[i] + "=v" + std::to_string(i) + ";";
  }
  build({names, names + 10}, {}, false,
        "Promo-Template: http://e/%ID%?x=1&lang=X \nPromo-Pages:" + pages + "\n");
  KivraStatics& k = Kivra::statics();
  EXPECT_TRUE(k.addParameter);
  EXPECT_EQ(pageLink(0), "http://e/v0?x=1&lang=X&n=01");
  EXPECT_EQ(pageLink(9), "http://e/v9?x=1&lang=X&n=10");
  EXPECT_EQ(k.pageStep->get(9), 4);
  EXPECT_EQ(k.pageCount, 14);
  EXPECT_EQ(k.enabledPageCount, 10);
  EXPECT_TRUE(k.initialised);
}

TEST_F(KivraPagesTest, AnInvalidLinkLeavesItsPageOut) {
  build({"a", "b", "c"}, {}, false, "Promo-Template:http://e/%ID%\nPromo-Pages:a=1;b=none;c=3\n");
  KivraStatics& k = Kivra::statics();
  EXPECT_FALSE(k.addParameter);
  EXPECT_TRUE(enabled(0));
  EXPECT_FALSE(enabled(1));
  EXPECT_EQ(pageLink(2), "http://e/3");
  EXPECT_EQ(k.pageStep->get(1), 0);
  EXPECT_EQ(Kivra::countEnabledPages(), 2);
  EXPECT_EQ(k.mainLinkPage, 3);
  EXPECT_FALSE(enabled(k.mainLinkPage)) << "no home link";
}

TEST_F(KivraPagesTest, MainLinkListsAndBanner) {
  build({"a"}, {{{"r1", "MORE", "r3", "last"}, {"s1"}, {}}}, false,
        "Promo-Template:http://e/%ID%\nPromo-Home: http://home \nPromo-Main-Links:last=y;MAIN=m;BANNER=1\n"
        "Promo-List-1:r1=x;r3=none\nPromo-List-2:s1=0\n");
  KivraStatics& k = Kivra::statics();
  EXPECT_EQ(text(k.mainLink), "http://home");
  EXPECT_TRUE(enabled(k.mainLinkPage));
  EXPECT_EQ(pageLink(k.mainLinkPage), "http://home") << "the home link is the template and has no marker";
  EXPECT_TRUE(enabled(k.firstListPage));
  EXPECT_FALSE(enabled(k.secondListPage)) << "no kept row";
  EXPECT_EQ(k.listRowCounts->get(0), 3);
  auto* links = static_cast<ObjectArray*>(k.rowLinks->get(0));
  auto* ids = static_cast<IntArray*>(k.rowIds->get(0));
  auto* textIds = static_cast<IntArray*>(k.rowTextIds->get(0));
  EXPECT_EQ(text(static_cast<String*>(links->get(0))), "http://e/x");
  EXPECT_EQ(text(static_cast<String*>(links->get(1))), "http://home");
  EXPECT_EQ(text(static_cast<String*>(links->get(2))), "http://home");
  EXPECT_EQ(ids->get(2), 3);
  // b = 4, the first list's labels end at b + 13 + 4 = 21: row j has text 18 + j.
  EXPECT_EQ(textIds->get(0), 18);
  EXPECT_EQ(textIds->get(3), 21);
  EXPECT_EQ(textIds->get(2), 0) << "a row left out has no label";
  EXPECT_TRUE(enabled(k.bannerPage));
  EXPECT_EQ(pageLink(k.bannerPage), "http://home");
  EXPECT_FALSE(enabled(0)) << "no product links";
  EXPECT_EQ(k.enabledPageCount, 3);
}

TEST_F(KivraPagesTest, FullScreenFlagLimitsThePages) {
  build({"a"}, {{{"r1"}, {"s1"}, {}}}, true,
        "Promo-Template:http://e/%ID%\nPromo-Pages:a=1\nPromo-Home:http://home\nPromo-Main-Links:MAIN=m;BANNER=1\n"
        "Promo-List-1:r1=x\nPromo-List-2:s1=x\n");
  KivraStatics& k = Kivra::statics();
  EXPECT_EQ(k.pageCount, 6);
  EXPECT_TRUE(enabled(0));
  for (int32_t page : {k.mainLinkPage, k.firstListPage, k.secondListPage, k.bannerPage}) EXPECT_FALSE(enabled(page));
  EXPECT_TRUE(enabled(k.fullScreenPage));
  EXPECT_EQ(pageLink(k.fullScreenPage), "http://home");
}

TEST_F(KivraPagesTest, NoValidPageLeavesTheScreenUninitialised) {
  wince::LogCapture log;
  build({"a"}, {{{"r1"}, {}, {}}}, false, "Promo-Template:http://e/%ID%\nPromo-Pages:a=null\n");
  EXPECT_FALSE(Kivra::statics().initialised);
  EXPECT_EQ(Kivra::countEnabledPages(), 0);
  EXPECT_TRUE(log.contains("not initialised"));
}

TEST_F(KivraPagesTest, NoPackLeavesTheScreenUninitialised) {
  Kivra::buildPages();
  EXPECT_FALSE(Kivra::statics().initialised);
  EXPECT_EQ(Kivra::statics().pageEnabled, nullptr);
}

}  // namespace
