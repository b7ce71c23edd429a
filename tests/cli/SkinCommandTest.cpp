// qalbum skin, run as a real program on files in a temporary folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "base/Bitmap.h"
#include "support/Qalbum.h"
#include "support/Pictures.h"

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeBmp(const fs::path& p, int w, int h) {
  const std::vector<uint8_t> bytes = testsupport::patternedBitmap(w, h).toBmp();
  std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<std::streamsize>(bytes.size()));
}

struct Result {
  int status;
  std::string out;  // standard output and error together
};

class SkinCommand : public ::testing::Test {
 protected:
  Result run(const std::vector<std::string>& args) const {
    const testsupport::ProgramRun r = testsupport::qalbum(dir_, args);
    return {r.status, r.out + r.err};
  }
  std::string at(const std::string& name) const { return dir_.path(name); }
  testsupport::TempDir dir_;
};

}  // namespace

TEST_F(SkinCommand, PackListAndExtractRoundTrip) {
  writeBmp(at("about.bmp"), 200, 220);
  writeBmp(at("small.bmp"), 3, 2);
  std::ofstream(at("empty.bmp")).close();
  Result r = run({"skin", "pack", at("skin.vsg"), "About1.bmp=" + at("about.bmp"), "tiny=" + at("small.bmp"),
                 "none=" + at("empty.bmp")});
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(fs::file_size(at("skin.vsg")), 132077u + (4 + 4 + 1 + 78) + (4 + 4 + 1));

  r = run({"skin", "list", at("skin.vsg")});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "0\tAbout1.bmp\t200x220x24\n1\ttiny\t3x2x24\n2\tnone\tempty\n");

  r = run({"skin", "extract", at("skin.vsg"), "ABOUT1.BMP", at("out.bmp")});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(readFile(at("out.bmp")), readFile(at("about.bmp")));
}

TEST_F(SkinCommand, FailuresPrintTheMessageAndLeaveNoOutput) {
  writeBmp(at("a.bmp"), 2, 2);
  ASSERT_EQ(run({"skin", "pack", at("s.vsg"), "a=" + at("a.bmp")}).status, 0);

  Result r = run({"skin", "list", at("a.bmp")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "Invalid file format.\n");

  r = run({"skin", "extract", at("s.vsg"), "b", at("out.bmp")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "No picture named \"b\".\n");

  std::ofstream(at("bad.bmp")) << "XX not a bitmap";
  r = run({"skin", "pack", at("out.vsg"), "a=" + at("a.bmp"), "b=" + at("bad.bmp")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "Bitmap image is not valid\n");

  r = run({"skin", "pack", at("out.vsg"), "a=" + at("missing.bmp")});
  EXPECT_EQ(r.out, "Cannot open file \"" + at("missing.bmp") + "\". No such file or directory.\n");
  EXPECT_FALSE(fs::exists(at("out.vsg")));
  EXPECT_FALSE(fs::exists(at("out.bmp")));

  r = run({"skin", "frobnicate"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("qalbum skin list FILE"), std::string::npos);
}

TEST_F(SkinCommand, EntryNamesAreWindows1252InTheFileAndUtf8OnTheCommandLine) {
  writeBmp(at("a.bmp"), 2, 2);
  Result r = run({"skin", "pack", at("skin.vsg"), "Caf\xC3\xA9\x1B=" + at("a.bmp")});
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(readFile(at("skin.vsg")).substr(8, 9), std::string("\x05\0\0\0Caf\xE9\x1B", 9));
  EXPECT_EQ(run({"skin", "list", at("skin.vsg")}).out, "0\tCaf\xC3\xA9\\x1b\t2x2x24\n");
  r = run({"skin", "extract", at("skin.vsg"), "CAF\xC3\x89\x1B", at("out.bmp")});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(readFile(at("out.bmp")), readFile(at("a.bmp")));
}

// A name Windows-1252 cannot hold is refused by name, never stored as '?'.
TEST_F(SkinCommand, NamesWindows1252CannotHoldAreRefused) {
  writeBmp(at("a.bmp"), 2, 2);
  ASSERT_EQ(run({"skin", "pack", at("skin.vsg"), "??" "=" + at("a.bmp")}).status, 0);
  // The names as given and as the message shows them (bytes that are not UTF-8 escaped).
  const std::vector<std::pair<std::string, std::string>> names = {
      {"\xE6\x97\xA5\xE6\x9C\xAC", "\xE6\x97\xA5\xE6\x9C\xAC"}, {"Caf\xE9", "Caf\\xe9"}, {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"}};
  for (const auto& [name, shown] : names) {
    Result r = run({"skin", "pack", at("out.vsg"), "ok=" + at("a.bmp"), name + "=" + at("a.bmp")});
    EXPECT_EQ(r.status, 1) << shown;
    EXPECT_EQ(r.out, "The name \"" + shown + "\" cannot be written in Windows-1252.\n");
    EXPECT_FALSE(fs::exists(at("out.vsg")));
    r = run({"skin", "extract", at("skin.vsg"), name, at("out.bmp")});
    EXPECT_EQ(r.out, "No picture named \"" + shown + "\".\n");
    EXPECT_FALSE(fs::exists(at("out.bmp")));
  }
}
