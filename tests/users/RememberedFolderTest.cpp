// The window's remembered Palm folder as QSettings writes it into its INI file.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "users/RememberedFolder.h"

TEST(RememberedFolder, UndoesQSettingsValueEscaping) {
  struct Case {
    const char* text;
    std::optional<std::string> value;
  };
  const Case cases[] = {
      {"[General]\nPalmFolder=/home/anna/Palm\n", "/home/anna/Palm"},
      {"[General]\r\nPalmFolder = \"/media/Palm, old; copy \" ; note\r\n", "/media/Palm, old; copy "},
      {"[General]\nPalmFolder=/a\\\\b\\\"c\\td\\x1f\\x41\n", "/a\\b\"c\td\x1f" "A"},
      {"[General]\nPalmFolder=\\xe9t\\xe9 \xc3\xa9\n", "\xc3\xa9t\xc3\xa9 \xc3\xa9"},
      {"[General]\nPalmFolder=\\xd83d\\xde00\\101\n", "\xf0\x9f\x98\x80" "A"},
      {"[General]\nPalmFolder=@@home\n", "@home"},
      {"[General]\nPalmFolder=@String(/x)\n", "/x"},
      {"[General]\nPalmFolder=@Variant(\\0\\0)\n", std::nullopt},
      {"[General]\nPalmFolder=a, b\n", std::nullopt},  // a list
      {"[Other]\nPalmFolder=/x\n[General]\nKey=1\n", std::nullopt},
      {"[General]\nPalmFolder=/old\nPalmFolder=/new\n", "/new"},
      {"PalmFolder=/outside\n", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(users::readIniString(c.text, "General", "PalmFolder"), c.value) << c.text;
}
