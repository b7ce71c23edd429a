#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "TestSupport.h"
#include "users/UserDirectory.h"
#include "platform/Files.h"

using namespace testsupport;

namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

// Runs qalbum from beside this test program with the given arguments.
Outcome runQalbum(const std::string& args, const TempFolder& scratch) {
#ifdef _WIN32
  const std::string program = platform::programFolder() + "qalbum.exe";
#define popen _popen
#define pclose _pclose
#else
  const std::string program = platform::programFolder() + "qalbum";
#endif
  const std::string errFile = (scratch.path() / "stderr.txt").string();
  std::string command = "\"" + program + "\" " + args + " 2>\"" + errFile + "\"";
#ifdef _WIN32
  command = "\"" + command + "\"";  // cmd.exe drops the outermost pair of quotes
#endif
  Outcome run{};
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {-1, {}, {}};
  char buffer[512];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
  run.status = pclose(pipe);
  std::ifstream err(errFile, std::ios::binary);
  run.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
  return run;
}

std::string withoutCarriageReturns(std::string s) {
  std::erase(s, '\r');
  return s;
}

}  // namespace

TEST(UsersCommand, PrintsNameTabFolderPerUserAndFailsWithTheMessage) {
  TempFolder folder;
  TestRegistry registry(app::kPalmDesktopKey);
  if (!registry.usable()) GTEST_SKIP() << "the Palm Desktop key belongs to a real installation";

  Outcome run = runQalbum("users", folder);
  EXPECT_NE(run.status, 0);
  EXPECT_EQ(run.out, "");
  // Outside Windows a second line tells how to give a Palm folder instead.
  EXPECT_EQ(withoutCarriageReturns(run.err).substr(0, run.err.find('\n') + 1), "Palm Desktop registry key not found!\n");

  registry.setString("DesktopPath", (folder.path() / "Palm").string());
  run = runQalbum("users", folder);
  EXPECT_NE(run.status, 0);
  EXPECT_EQ(withoutCarriageReturns(run.err), "UserData.dll was not found!\n");

  installUserLibrary(userLibraryFile(), folder.path() / "Palm", "2\tZoe\tZ\n1\tAnna Berg\tA\n");
  registry.setString("Path", "Users");
  run = runQalbum("users", folder);
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string sep(1, platform::kPathSeparator);
  EXPECT_EQ(withoutCarriageReturns(run.out), "Zoe\tUsers" + sep + "Z" + sep + "\nAnna Berg\tUsers" + sep + "A" + sep + "\n");
}

TEST(UsersCommand, PrintsUtf8WithControlCharactersEscaped) {
  TempFolder folder;
  TestRegistry registry(app::kPalmDesktopKey);
  if (!registry.usable()) GTEST_SKIP() << "the Palm Desktop key belongs to a real installation";
  registry.setString("DesktopPath", (folder.path() / "Palm").string());
  registry.setString("Path", "U");
  // The library's names are Windows-1252; this one also holds an escape character.
  installUserLibrary(userLibraryFile(), folder.path() / "Palm", "2\tZo\xEB\x1B[2J\tZ\n");
  const Outcome run = runQalbum("users", folder);
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string sep(1, platform::kPathSeparator);
  EXPECT_EQ(withoutCarriageReturns(run.out), "Zo\xC3\xAB\\x1b[2J\tU" + sep + "Z" + sep + "\n");
}
