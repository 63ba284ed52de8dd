// The text sources: sections, names and escapes, the faults the parser
// names, and how another language is put in the reference's id order.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tools/compiler/TextSources.h"

namespace {

using tools::TextSection;

TEST(TextSources, SectionsBecomeEntriesInLineOrder) {
  const auto sections = tools::parseTextSource(
      "# c\n[room 3]\nB second\\\\one\r\nA first\\nline\n\n[common]\nX\nY  two spaces\n", "en.txt");
  ASSERT_EQ(sections.size(), 2u);
  EXPECT_EQ(sections.at(4).names, (std::vector<std::string>{"B", "A"}));
  EXPECT_EQ(sections.at(4).texts, (std::vector<std::string>{"second\\one", "first\nline"}));
  EXPECT_EQ(sections.at(0).texts, (std::vector<std::string>{"", " two spaces"}));
}

TEST(TextSources, FaultsNameTheLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"A text\n", "en.txt:1: a text before the first section"},
      {"[common]\nA x\nA y\n", "en.txt:3: text A again"},
      {"[common]\n[common]\n", "en.txt:2: section [common] again"},
      {"[rooms]\n", "en.txt:1: unknown section [rooms]"},
      {"[room x]\n", "en.txt:1: unknown section"},
      {"[common]\nlower x\n", "en.txt:2: a text name is"},
      {"[common]\nA bad \\q\n", "en.txt:2: unknown escape \\q"},
      {"[common]\nA end\\\n", "en.txt:2: a text ends in a lone backslash"},
  };
  for (const auto& [source, message] : cases) {
    try {
      tools::parseTextSource(source, "en.txt");
      ADD_FAILURE() << source;
    } catch (const std::runtime_error& error) {
      EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
    }
  }
}

TEST(TextSources, OtherLanguagesFollowTheReferenceIds) {
  const auto reference = tools::parseTextSource("[common]\nA a\nB b\n[room 0]\nC c\n", "en.txt");
  const auto german = tools::parseTextSource("[room 0]\nC cc\n[common]\nB bb\nA aa\n", "de.txt");
  const auto aligned = tools::alignToReference(reference, german, "de.txt");
  EXPECT_EQ(aligned.at(0).texts, (std::vector<std::string>{"aa", "bb"}));
  EXPECT_EQ(aligned.at(1).texts, (std::vector<std::string>{"cc"}));

  const char* faulty[] = {
      "[common]\nA a\n[room 0]\nC c\n",             // B missing
      "[common]\nA a\nB b\nD d\n[room 0]\nC c\n",   // D extra
      "[common]\nA a\nB b\n",                       // a section missing
      "[common]\nA a\nB b\n[room 0]\nC c\n[room 5]\n",  // a section extra
  };
  for (const char* source : faulty) {
    EXPECT_THROW(tools::alignToReference(reference, tools::parseTextSource(source, "fr.txt"), "fr.txt"),
                 std::runtime_error)
        << source;
  }
}

}  // namespace
