// QuilloryAlbum's own command line, run as a real process: help and version
// need no display, and more paths than the window can show are refused before
// it opens.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "support/ProgramRun.h"

using testsupport::ProgramRun;
using testsupport::RunOptions;
using testsupport::TempDir;

namespace {

ProgramRun quilloryAlbum(const TempDir& dir, const std::vector<std::string>& args, const std::string& environment) {
  // A window that opens after all stays until the time runs out (status 124).
  const RunOptions options{.shellPrefix = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + environment,
                           .timeoutSeconds = 20};
  return testsupport::runProgram(testsupport::builtProgram("QuilloryAlbum"), args, dir, options);
}

TEST(QuilloryAlbumCommandLine, HelpAndVersionNeedNoDisplay) {
  TempDir dir;
  for (const char* ask : {"--help", "-h"}) {
    const ProgramRun r = quilloryAlbum(dir, {ask}, "");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.rfind("Usage: QuilloryAlbum [FOLDER | FILE.pdb]\n", 0), 0u) << r.out;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 80u) << line;
  }
  for (const char* ask : {"--version", "-V"}) {
    const ProgramRun r = quilloryAlbum(dir, {ask}, "");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::regex_match(r.out, std::regex("QuilloryAlbum [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << r.out;
  }
}

TEST(QuilloryAlbumCommandLine, MoreThanOnePathIsAUsageError) {
  TempDir dir;
  const std::string settings = "QT_QPA_PLATFORM=offscreen HOME=" + testsupport::shellQuoted(dir.path()) +
                               " QUILLORY_REGISTRY=" + testsupport::shellQuoted(dir.path("none.reg"));
  const ProgramRun r = quilloryAlbum(dir, {dir.path("a.pdb"), dir.path("b.pdb")}, settings);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("Usage: QuilloryAlbum [FOLDER | FILE.pdb]\n"), std::string::npos) << r.err;
}

}  // namespace
