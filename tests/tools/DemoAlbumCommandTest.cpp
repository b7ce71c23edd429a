// make-demo-album run as a program: its help, and no folder made from an option or an empty name.
#include <gtest/gtest.h>

#include "support/ProgramRun.h"
#include "support/TempDir.h"

using testing_support::ProgramRun;
using testing_support::TempDir;

TEST(MakeDemoAlbum, HelpAndWrongCommandLinesMakeNoFolder) {
  TempDir dir;
  const struct {
    std::vector<std::string> args;
    int status;
  } cases[] = {{{"--help"}, 0}, {{"-h"}, 0}, {{}, 2}, {{""}, 2}, {{"--frobnicate"}, 2}, {{"a", "b"}, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.empty() ? std::string("no arguments") : c.args[0]);
    // Run inside dir, so that a folder named after an argument would show there.
    std::vector<std::string> args{"-c", "cd " + testing_support::shellQuoted(dir.path()) + " && exec \"$0\" \"$@\"",
                                  MAKE_DEMO_ALBUM};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const ProgramRun r = testing_support::runProgram("/bin/sh", args, dir);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ((c.status == 0 ? r.out : r.err).rfind("Usage: make-demo-album FOLDER\n", 0), 0u) << r.out << r.err;
    EXPECT_TRUE(dir.entries().empty());
  }
}
