// The launcher's texts by user-interface language.
#include <gtest/gtest.h>

#include <string>

#include "runtime/app/LauncherMessages.h"

namespace {

struct LanguageCase {
  uint32_t primaryLanguage;
  const char16_t* pleaseWait;
  const char16_t* caption;
};

class LauncherMessagesTest : public ::testing::TestWithParam<LanguageCase> {
 protected:
  void TearDown() override { selectLauncherLanguage(0); }
};

TEST_P(LauncherMessagesTest, SlotsOfTheLanguage) {
  const LanguageCase& language = GetParam();
  selectLauncherLanguage(language.primaryLanguage);
  EXPECT_EQ(std::u16string(getLauncherMessage(launcherPleaseWait)), language.pleaseWait);
  EXPECT_EQ(std::u16string(getLauncherMessage(launcherCaption)), language.caption);
  for (uint32_t slot = 0; slot < launcherMessageCount; ++slot) {
    EXPECT_NE(std::u16string(getLauncherMessage(slot)), u"NULL") << "slot " << slot;
  }
  EXPECT_NE(std::u16string(getLauncherMessage(launcherNotEnoughStorage)).find(u"%.2f"), std::u16string::npos);
  EXPECT_EQ(std::u16string(getLauncherMessage(8)), u"NULL");
  EXPECT_EQ(std::u16string(getLauncherMessage(0xFFFFFFFFu)), u"NULL");
}

INSTANTIATE_TEST_SUITE_P(Languages, LauncherMessagesTest,
                         ::testing::Values(LanguageCase{5, u"Please wait", u"Upozornění"},
                                           LanguageCase{7, u"Bitte warten", u"Hinweis"},
                                           LanguageCase{10, u"Aguarde", u"Advertencia"},
                                           LanguageCase{12, u"Merci de patienter", u"Avertissement"},
                                           LanguageCase{22, u"Aguarde", u"Aviso"},
                                           LanguageCase{9, u"Please wait", u"Notice"},
                                           LanguageCase{0x3FF, u"Please wait", u"Notice"}));

TEST(LauncherMessages, EnglishTextsAsShown) {
  selectLauncherLanguage(9);
  EXPECT_EQ(std::u16string(getLauncherMessage(launcherQuit)), u"Are you sure you want to quit?");
  EXPECT_EQ(std::u16string(getLauncherMessage(launcherNotEnoughStorage)),
            u"Cannot install the game. You need at least %.2f MB of free storage space on the device to install the "
            u"game.");
}

TEST(LauncherMessages, GermanFrenchAndPortugueseShareTheShortStorageText) {
  for (uint32_t language : {7u, 12u, 22u}) {
    selectLauncherLanguage(language);
    EXPECT_EQ(std::u16string(getLauncherMessage(launcherNotEnoughStorage)),
              u"Cannot install the game. You need at least %.2f of free storage space.");
  }
  selectLauncherLanguage(0);
}

}  // namespace
