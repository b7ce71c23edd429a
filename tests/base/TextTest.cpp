#include <gtest/gtest.h>

#include "base/Text.h"

using namespace base;

TEST(Text, Cp1252AndUtf8ConvertBothWays) {
  struct Case {
    std::string ansi, utf8;
  };
  const Case cases[] = {
      {"Anna", "Anna"},
      {"QuilloryPicCaf\xE9", "QuilloryPicCaf\xC3\xA9"},
      {"\x80 \x9F \xA0 \xFF", "\xE2\x82\xAC \xC5\xB8 \xC2\xA0 \xC3\xBF"},  // euro, Y diaeresis, nbsp, y diaeresis
      {"\x81\x8D", "\xC2\x81\xC2\x8D"},                                  // undefined bytes: C1 controls
      {std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(cp1252ToUtf8(c.ansi), c.utf8);
    EXPECT_EQ(utf8ToCp1252(c.utf8), c.ansi);
    EXPECT_TRUE(isValidUtf8(c.utf8));
  }
  // Characters outside the code page and broken UTF-8 become '?'.
  EXPECT_EQ(utf8ToCp1252("\xE4\xB8\xAD x \xC3"), "? x ?");
  EXPECT_EQ(utf8ToCp1252("\xF0\x9F\x98\x80!"), "?!");
}

TEST(Text, OnlyWellFormedUtf8IsKeptAsFileNameText) {
  const std::string badUtf8[] = {"Caf\xE9",         "\xC0\xAF",          "\xE0\x80\xAF", "\xED\xA0\x80",
                                 "\xF4\x90\x80\x80", "\xC3",              "\x80",         "\xE2\x82",
                                 "\xF8\x88\x80\x80\x80", "\xC3\xA9\xFF"};
  for (const std::string& bytes : badUtf8) {
    EXPECT_FALSE(isValidUtf8(bytes)) << testing::PrintToString(bytes);
    EXPECT_EQ(fileNameToUtf8(bytes), cp1252ToUtf8(bytes));
    EXPECT_TRUE(isValidUtf8(fileNameToUtf8(bytes)));
  }
  for (const std::string bytes : {"", "Caf\xC3\xA9.pdb", "\xF4\x8F\xBF\xBF", "\xEF\xBF\xBD"}) {
    EXPECT_TRUE(isValidUtf8(bytes));
    EXPECT_EQ(fileNameToUtf8(bytes), bytes);
  }
}

TEST(Text, ControlCharactersAreEscaped) {
  EXPECT_EQ(escapeControls("Caf\xC3\xA9\tx\n\x1B[2J\x7F"), "Caf\xC3\xA9\\x09x\\x0a\\x1b[2J\\x7f");
  EXPECT_EQ(escapeControls(cp1252ToUtf8("\x81Z\x9D")), "\\u0081Z\\u009d");
  EXPECT_EQ(escapeControls(std::string("a\0b", 3)), "a\\x00b");
  EXPECT_EQ(escapeControls("\xE2\x82\xAC \\x"), "\xE2\x82\xAC \\x");
}
