// The readable sources of the content compiler: the literal table and the
// descriptor check.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "tools/compiler/DescriptorCheck.h"
#include "tools/compiler/LiteralTable.h"

namespace {

std::string errorOf(auto&& call) {
  try {
    call();
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "(no error)";
}

TEST(LiteralTable, FillsGapsWithEmptyTextsAndDecodesEscapes) {
  const tools::LiteralTable table = tools::parseLiteralTable(
      "# comment\n"
      "\n"
      "  4 \"tab\\there\"   # trailing comment\r\n"
      "1 \"\"\n"
      "2 \"q\\\"b\\\\s\\n\\r\"\n"
      "6 \"\\u00e9\\u20AC\\u0000 # not a comment\"\n"
      "5 \"caf\xc3\xa9\"",
      "literals.txt");
  ASSERT_EQ(table.texts.size(), 7u);
  EXPECT_EQ(table.texts[0], "");
  EXPECT_EQ(table.texts[1], "");
  EXPECT_EQ(table.texts[2], "q\"b\\s\n\r");
  EXPECT_EQ(table.texts[3], "");
  EXPECT_EQ(table.texts[4], "tab\there");
  EXPECT_EQ(table.texts[5], "caf\xc3\xa9");
  EXPECT_EQ(table.texts[6], std::string("\xc3\xa9\xe2\x82\xac\0 # not a comment", 22));
  EXPECT_EQ(table.defined, (std::vector<bool>{false, true, true, false, true, true, true}));
}

TEST(LiteralTable, AnEmptyTableHasNoLiterals) {
  EXPECT_TRUE(tools::parseLiteralTable("# nothing yet\n", "literals.txt").texts.empty());
}

TEST(LiteralTable, ReportsTheLineAtFault) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"1 \"a\"\n1 \"b\"\n", "literals.txt:2: literal 1 is given twice"},
      {"1 \"a\"\n\n-3 \"b\"\n", "literals.txt:3: literal index -3 is outside 0..9999"},
      {"10000 \"b\"\n", "literals.txt:1: literal index 10000 is outside"},
      {"x \"b\"\n", "literals.txt:1: expected a literal index"},
      {"7\n", "literals.txt:1: expected a text in double quotes"},
      {"7 unquoted\n", "literals.txt:1: expected a text in double quotes"},
      {"7 \"open\n", "literals.txt:1: the text has no closing quote"},
      {"7 \"ends in \\", "literals.txt:1: the text has no closing quote"},
      {"7 \"a\" b\n", "literals.txt:1: unexpected text after the closing quote"},
      {"7 \"\\q\"\n", "literals.txt:1: unknown escape \\q"},
      {"7 \"\\u12\"\n", "literals.txt:1: \\u needs four hex digits"},
      {"7 \"\\uD800\"\n", "literals.txt:1: \\u cannot name a surrogate"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_NE(errorOf([&] { tools::parseLiteralTable(c.text, "literals.txt"); }).find(c.message), std::string::npos)
        << errorOf([&] { tools::parseLiteralTable(c.text, "literals.txt"); });
  }
}

TEST(DescriptorCheck, ReadsPropertiesAsTheMidletWill) {
  const tools::DescriptorProperties properties =
      tools::checkDescriptor("MIDlet-Name: Quendrill\r\nURL:http://example.org:80/\nEmpty:\nLast :  value", "app.jad");
  EXPECT_EQ(properties, (tools::DescriptorProperties{
                            {"MIDlet-Name", "Quendrill"}, {"URL", "http://example.org:80/"}, {"Empty", ""}, {"Last", "value"}}));
}

TEST(DescriptorCheck, RefusesLinesThatWouldCorruptTheProperties) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"", "app.jad:1: the descriptor is empty"},
      {"a: 1\n\nb: 2\n", "app.jad:2: blank line"},
      {"a: 1\nno colon\n", "app.jad:2: line without ':'"},
      {"a: 1\n : 2\n", "app.jad:2: empty key"},
      {"a: 1\nb: 2\na: 3\n", "app.jad:3: key \"a\" is given twice"},
      {"a: 1\rb: 2\n", "app.jad:1: carriage return inside a line"},
      {"a: caf\xc3\xa9\n", "app.jad:1: only printable ASCII"},
      {"a: 1\n\n", "app.jad:2: blank line"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const std::string message = errorOf([&] { tools::checkDescriptor(c.text, "app.jad"); });
    EXPECT_NE(message.find(c.message), std::string::npos) << message;
  }
}

}  // namespace
