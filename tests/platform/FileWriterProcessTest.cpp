// The file writer against other processes: a reader that watches the name
// while it is replaced, and writers killed in the middle of a write.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/Errors.h"
#include "platform/FileWriter.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using platform::FileWriter;

namespace {

std::string readAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "(missing)";
  return std::string(std::istreambuf_iterator<char>(in), {});
}

size_t temporaryFiles(const fs::path& folder) {
  size_t n = 0;
  for (const auto& e : fs::directory_iterator(folder)) n += e.path().extension() == ".tmp";
  return n;
}

// A child process that writes `target` and stops half-way through the content,
// telling the parent so; returns its pid once it is there.
pid_t childStoppedMidWrite(const fs::path& target, FileWriter::Purpose purpose, bool handleSignals) {
  int ready[2];
  EXPECT_EQ(::pipe(ready), 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(ready[0]);
    if (handleSignals) platform::removeTemporaryFilesOnSignals();
    FileWriter writer(target.string(), purpose);
    writer.write([&](base::Stream& out) {
      out.writeBuffer("half of a new pict", 18);
      if (::write(ready[1], "x", 1) != 1) ::_exit(1);
      for (;;) ::pause();
    });
    ::_exit(0);
  }
  ::close(ready[1]);
  char c;
  EXPECT_EQ(::read(ready[0], &c, 1), 1);
  ::close(ready[0]);
  return pid;
}

int signalThatEnded(pid_t pid) {
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

}  // namespace

TEST(FileWriterProcesses, ReplacingNeverLeavesTheNameEmptyAndKeepsTheMode) {
  testsupport::TempDir folder;
  const fs::path target = folder.root() / "private.bmp";
  const std::string a(1 << 20, 'a'), b(1 << 19, 'b');
  platform::writeFileReplacing(target.string(), [&](base::Stream& out) { out.writeBuffer(a.data(), a.size()); });
  ::chmod(target.c_str(), 0600);

  // The watcher reads the name over and over until told to stop, counting
  // the times it found no file or a file that is neither version.
  // The handler is set before the fork, so that the stop signal can never come first.
  static volatile sig_atomic_t stop = 0;
  const auto previous = ::signal(SIGUSR1, [](int) { stop = 1; });
  const pid_t watcher = ::fork();
  if (watcher == 0) {
    int bad = 0;
    while (!stop) {
      const std::string seen = readAll(target);
      bad += seen != a && seen != b;
    }
    ::_exit(bad > 0 ? 1 : 0);
  }
  for (int round = 0; round < 40; ++round) {
    const std::string& next = round % 2 ? a : b;
    platform::writeFileReplacing(target.string(), [&](base::Stream& out) { out.writeBuffer(next.data(), next.size()); });
  }
  ::kill(watcher, SIGUSR1);
  ::signal(SIGUSR1, previous);
  int status = 0;
  ::waitpid(watcher, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the watcher saw a missing or cut file";

  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  EXPECT_EQ(temporaryFiles(folder.root()), 0u);
}

TEST(FileWriterProcesses, AWriterKilledMidWriteLeavesNoCutFileUnderTheName) {
  testsupport::TempDir folder;
  const fs::path old = folder.root() / "old.bmp";
  testsupport::writeFile(old, "the old picture");
  const fs::path fresh = folder.root() / "Pic_1.bmp";
  for (auto [target, purpose] : {std::pair{old, FileWriter::Purpose::Replace}, {fresh, FileWriter::Purpose::NewName}}) {
    const pid_t pid = childStoppedMidWrite(target, purpose, true);
    ::kill(pid, SIGKILL);
    EXPECT_EQ(signalThatEnded(pid), SIGKILL);
  }
  EXPECT_EQ(readAll(old), "the old picture");
  EXPECT_FALSE(fs::exists(fresh));
  // Only SIGKILL may leave the temporary files; they are named as no picture is.
  EXPECT_EQ(temporaryFiles(folder.root()), 2u);
}

TEST(FileWriterProcesses, InterruptedWritersRemoveTheirTemporaryFile) {
  testsupport::TempDir folder;
  const fs::path target = folder.root() / "out.bmp";
  testsupport::writeFile(target, "old");
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    const pid_t pid = childStoppedMidWrite(target, FileWriter::Purpose::Replace, true);
    ::kill(pid, signal);
    EXPECT_EQ(signalThatEnded(pid), signal);
    EXPECT_EQ(temporaryFiles(folder.root()), 0u) << signal;
  }
  EXPECT_EQ(readAll(target), "old");
}

TEST(FileWriterProcesses, AFileSizeLimitFailsTheWriteAndLeavesNothing) {
  testsupport::TempDir folder;
  const fs::path target = folder.root() / "big.bmp";
  testsupport::writeFile(target, "old");
  const pid_t pid = ::fork();
  if (pid == 0) {
    platform::removeTemporaryFilesOnSignals();  // SIGXFSZ ignored: the write fails with EFBIG
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const std::string big(1 << 16, 'x');
    try {
      platform::writeFileReplacing(target.string(), [&](base::Stream& out) { out.writeBuffer(big.data(), big.size()); });
    } catch (const base::EFCreateError& e) {
      ::_exit(e.path() == target.string() && e.reason() == base::systemErrorText(EFBIG) ? 3 : 4);
    }
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3) << status;
  EXPECT_EQ(readAll(target), "old");
  EXPECT_EQ(temporaryFiles(folder.root()), 0u);
}

TEST(FileWriterProcesses, ASymlinkOrFileBesideTheTargetIsNeverTouched) {
  testsupport::TempDir folder;
  const fs::path victim = folder.root() / "victim.txt";
  testsupport::writeFile(victim, "precious");
  fs::create_symlink(victim, folder.root() / "out.bmp.partial");
  testsupport::writeFile(folder.root() / "out.bmp.tmp", "a neighbour");
  fs::create_symlink(victim, folder.root() / "Pic_1.bmp");
  platform::writeFileReplacing((folder.root() / "out.bmp").string(), [](base::Stream& out) { out.writeBuffer("new", 3); });
  FileWriter writer((folder.root() / "Pic_1.bmp").string(), FileWriter::Purpose::NewName);
  writer.write([](base::Stream& out) { out.writeBuffer("pic", 3); });
  EXPECT_FALSE(writer.takeNewName((folder.root() / "Pic_1.bmp").string()));
  EXPECT_TRUE(writer.takeNewName((folder.root() / "Pic_2.bmp").string()));
  EXPECT_EQ(readAll(victim), "precious");
  EXPECT_EQ(readAll(folder.root() / "out.bmp.tmp"), "a neighbour");
  EXPECT_TRUE(fs::is_symlink(folder.root() / "out.bmp.partial"));
  EXPECT_TRUE(fs::is_symlink(folder.root() / "Pic_1.bmp"));
  EXPECT_EQ(readAll(folder.root() / "Pic_2.bmp"), "pic");
}

// Run by a user who is not root (root drops to "nobody" in a child process),
// since root may write anything.
TEST(FileWriterProcesses, AClosedFolderIsWrittenInPlaceAndAProtectedFileIsKept) {
  testsupport::TempDir folder;
  const fs::path closed = folder.root() / "closed";
  const fs::path open = folder.root() / "open";
  fs::create_directories(closed);
  fs::create_directories(open);
  testsupport::writeFile(closed / "save.bmp", "old content, longer than the new");
  testsupport::writeFile(open / "locked.bmp", "locked");
  ::chmod(closed.c_str(), 0555);
  ::chmod((closed / "save.bmp").c_str(), 0666);
  ::chmod(open.c_str(), 0777);
  ::chmod((open / "locked.bmp").c_str(), 0444);
  ::chmod(folder.root().c_str(), 0755);

  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
    if (::access(closed.c_str(), X_OK) != 0) ::_exit(3);  // a temporary folder only its owner may enter
    int failures = 0;
    try {
      platform::writeFileReplacing((closed / "save.bmp").string(), [](base::Stream& out) { out.writeBuffer("new", 3); });
    } catch (...) {
      failures += 1;
    }
    try {
      platform::writeFileReplacing((open / "locked.bmp").string(), [](base::Stream& out) { out.writeBuffer("new", 3); });
      failures += 10;
    } catch (const base::EFCreateError& e) {
      failures += e.path() == (open / "locked.bmp").string() ? 0 : 100;
    }
    ::_exit(failures);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  ::chmod(closed.c_str(), 0755);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 3) GTEST_SKIP() << "the temporary folder is closed to other users";
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(readAll(closed / "save.bmp"), "new");
  EXPECT_EQ(readAll(open / "locked.bmp"), "locked");
  EXPECT_EQ(temporaryFiles(closed) + temporaryFiles(open), 0u);
}
