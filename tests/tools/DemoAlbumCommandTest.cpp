// make-demo-album run as a program: its help, and no folder made from an option or an empty name.
#include <gtest/gtest.h>

#include "support/ProgramRun.h"
#include "support/TempDir.h"

using testsupport::ProgramRun;
using testsupport::TempDir;

TEST(MakeDemoAlbum, HelpAndWrongCommandLinesMakeNoFolder) {
  TempDir dir;
  const struct {
    std::vector<std::string> args;
    int status;
  } cases[] = {{{"--help"}, 0}, {{"-h"}, 0}, {{}, 2}, {{""}, 2}, {{"--frobnicate"}, 2}, {{"a", "b"}, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.empty() ? std::string("no arguments") : c.args[0]);
    // Run inside dir, so that a folder named after an argument would show there.
    const ProgramRun r =
        testsupport::runProgram(testsupport::builtProgram("make-demo-album"), c.args, dir, {.workingDir = dir.path()});
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ((c.status == 0 ? r.out : r.err).rfind("Usage: make-demo-album FOLDER\n", 0), 0u) << r.out << r.err;
    EXPECT_TRUE(dir.entries().empty());
  }
}
