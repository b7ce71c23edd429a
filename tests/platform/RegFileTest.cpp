#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "platform/FileStream.h"
#include "platform/RegFile.h"
#include "support/TestSupport.h"

using platform::RegFile;
using platform::RegistryType;
using platform::RegistryValue;

namespace {

const char* kCore = "HKEY_CURRENT_USER\\Software\\U.S. Robotics\\Pilot Desktop\\Core";

std::string utf16le(std::string_view ascii) {
  std::string out = "\xFF\xFE";
  for (char c : ascii) {
    out += c;
    out += '\0';
  }
  return out;
}

RegistryValue valueOf(const RegFile& file, const char* key, const std::string& name) {
  const auto* values = file.key(key);
  if (values == nullptr) return {RegistryType::None, "<no key>"};
  const auto it = values->find(platform::foldRegistryName(name));
  return it == values->end() ? RegistryValue{RegistryType::None, "<no value>"} : it->second;
}

}  // namespace

TEST(RegFile, ReadsVersion5InUtf16AndUtf8WithTypesKept) {
  const std::string text =
      "Windows Registry Editor Version 5.00\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\U.S. Robotics\\Pilot Desktop\\Core]\r\n"
      "\"DesktopPath\"=\"C:\\\\Program Files\\\\Palm\"\r\n"
      "\"Path\"=hex(2):25,00,48,00,4f,00,4d,00,45,00,25,00,5c,00,50,00,61,00,6c,00,6d,00,\\\r\n"
      "  00,00\r\n"
      "\"Quoted\"=\"say \\\"hi\\\"; not a comment\" ; a comment\r\n"
      "\"Count\"=dword:0000010a\r\n"
      "\"Blob\"=hex:01,ff,0A\r\n"
      "@=\"default\"\r\n";
  for (const std::string& bytes : {utf16le(text), "\xEF\xBB\xBF" + text, text}) {
    const auto file = RegFile::parse(bytes);
    ASSERT_TRUE(file);
    EXPECT_EQ(valueOf(*file, kCore, "DesktopPath").data, "C:\\Program Files\\Palm");
    EXPECT_EQ(valueOf(*file, kCore, "DesktopPath").type, RegistryType::String);
    const RegistryValue path = valueOf(*file, kCore, "Path");
    EXPECT_EQ(path.type, RegistryType::ExpandString);
    EXPECT_EQ(path.data, std::string("%HOME%\\Palm\0", 12));  // UTF-16 bytes become text, zero kept
    EXPECT_EQ(valueOf(*file, kCore, "Quoted").data, "say \"hi\"; not a comment");
    EXPECT_EQ(valueOf(*file, kCore, "Count").type, RegistryType::DWord);
    EXPECT_EQ(valueOf(*file, kCore, "Count").data, std::string("\x0a\x01\0\0", 4));
    EXPECT_EQ(valueOf(*file, kCore, "Blob").type, RegistryType::Binary);
    EXPECT_EQ(valueOf(*file, kCore, "Blob").data, "\x01\xff\x0a");
    EXPECT_EQ(valueOf(*file, kCore, "").data, "default");
  }
}

TEST(RegFile, ReadsRegedit4WithExpandableTextAsAnsiBytes) {
  const auto file = RegFile::parse(
      "REGEDIT4\n\n"
      "[HKEY_CURRENT_USER\\Software\\U.S. Robotics\\Pilot Desktop\\Core]\n"
      "\"Path\"=hex(2):25,55,25,5c,e9,00\n"
      "\"Other\"=hex(7):61,00,00\n");
  ASSERT_TRUE(file);
  EXPECT_EQ(valueOf(*file, kCore, "Path").type, RegistryType::ExpandString);
  EXPECT_EQ(valueOf(*file, kCore, "Path").data, std::string("%U%\\\xe9\0", 6));
  EXPECT_EQ(valueOf(*file, kCore, "Other").type, RegistryType::MultiString);
}

TEST(RegFile, KeysAndNamesIgnoreCaseAndOtherKeysStayApart) {
  const auto file = RegFile::parse(
      "REGEDIT4\n"
      "; exported for the tests\n"
      "[HKEY_LOCAL_MACHINE\\Software\\U.S. Robotics\\Pilot Desktop\\Core]\n"
      "\"DesktopPath\"=\"machine\"\n"
      "[hkey_current_user\\SOFTWARE\\u.s. robotics\\pilot desktop\\core]\n"
      "\"desktoppath\"=\"user\"\n"
      "[HKEY_CURRENT_USER\\Software\\U.S. Robotics\\Pilot Desktop\\Core\\Sub]\n"
      "\"Path\"=\"sub\"\n");
  ASSERT_TRUE(file);
  EXPECT_EQ(valueOf(*file, kCore, "DESKTOPPATH").data, "user");
  EXPECT_EQ(valueOf(*file, kCore, "Path").data, "<no value>");
  EXPECT_EQ(file->key("HKEY_LOCAL_MACHINE\\Software\\U.S. Robotics\\Pilot Desktop\\Core")->size(), 1u);
}

TEST(RegFile, SkipsBrokenLinesAndHonoursDeletions) {
  const auto file = RegFile::parse(
      "Windows Registry Editor Version 5.00\n"
      "\"Orphan\"=\"before any key\"\n"
      "[HKEY_CURRENT_USER\\A]\n"
      "\"Good\"=\"yes\"\n"
      "\"Unterminated\"=\"no\n"
      "\"BadHex\"=hex:1g,00\n"
      "\"LongDword\"=dword:123456789\n"
      "\"Trailing\"=\"x\" garbage\n"
      "\"Gone\"=\"soon\"\n"
      "\"Gone\"=-\n"
      "[HKEY_CURRENT_USER\\B]\n"
      "\"X\"=\"1\"\n"
      "[-HKEY_CURRENT_USER\\B]\n");
  ASSERT_TRUE(file);
  const auto* a = file->key("HKEY_CURRENT_USER\\A");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->size(), 1u);
  EXPECT_EQ(valueOf(*file, "HKEY_CURRENT_USER\\A", "Good").data, "yes");
  EXPECT_EQ(file->key("HKEY_CURRENT_USER\\B"), nullptr);
}

TEST(RegFile, RefusesFilesWithoutAKnownHeader) {
  EXPECT_FALSE(RegFile::parse(""));
  EXPECT_FALSE(RegFile::parse("\xFF\xFE"));
  EXPECT_FALSE(RegFile::parse("[HKEY_CURRENT_USER\\A]\n\"x\"=\"y\"\n"));
  EXPECT_FALSE(RegFile::parse("Windows Registry Editor Version 4.00\n"));
  EXPECT_TRUE(RegFile::parse("\n  REGEDIT4  \r\n"));
  EXPECT_TRUE(RegFile::parse(utf16le("REGEDIT4\n[A]") + "\x01"));  // an odd last byte ends the file
}

namespace {

// A stream that counts what is read through it.
class Counted : public base::Stream {
 public:
  explicit Counted(base::Stream& in) : in_(in) {}
  size_t read(void* buffer, size_t count) override {
    const size_t n = in_.read(buffer, count);
    total += n;
    return n;
  }
  size_t write(const void*, size_t) override { return 0; }
  int64_t seek(int64_t offset, base::SeekOrigin origin) override { return in_.seek(offset, origin); }
  int64_t size() override { return in_.size(); }
  size_t total = 0;

 private:
  base::Stream& in_;
};

}  // namespace

TEST(RegFile, ReadsAStreamKeepingOnlyTheKeyAskedFor) {
  // A large sparse file of zeros is refused after its first bytes.
  testsupport::TempDir folder;
  const auto zeros = folder.root() / "registry.reg";
  testsupport::writeFile(zeros, "");
  std::filesystem::resize_file(zeros, 1u << 30);
  platform::FileStream file(zeros.string(), platform::FileMode::OpenRead);
  Counted counted(file);
  EXPECT_FALSE(RegFile::read(counted, nullptr));
  EXPECT_LE(counted.total, 1u << 16);

  // A large export is read to its end, keeping one key only.
  std::string text = "Windows Registry Editor Version 5.00\r\n\r\n";
  for (int i = 0; i < 200000; ++i)
    text += "[HKEY_CURRENT_USER\\Software\\Other\\" + std::to_string(i) +
            "]\r\n\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,\\\r\n  10,11\r\n\"Name\"=\"x\"\r\n\r\n";
  text += std::string("[") + kCore + "]\r\n\"Path\"=\"C:\\\\Palm\"\r\n";
  base::ConstMemoryStream big(text.data(), text.size());
  const std::string wanted = platform::foldRegistryName(kCore);
  const auto read = RegFile::read(big, [&](const std::string& folded) { return folded == wanted; });
  ASSERT_TRUE(read);
  EXPECT_EQ(valueOf(*read, kCore, "Path").data, "C:\\Palm");
  EXPECT_EQ(read->key("HKEY_CURRENT_USER\\Software\\Other\\7"), nullptr);
}
