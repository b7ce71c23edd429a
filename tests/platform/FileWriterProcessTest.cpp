// The file writer against other processes and the rest of the system: a
// reader that watches the name while it is replaced, writers killed in the
// middle of a write, targets that are no regular files, symlinks, a working
// folder too deep to name whole.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "base/Errors.h"
#include "platform/FileTime.h"
#include "platform/FileWriter.h"
#include "platform/Files.h"
#include "support/DeepFolder.h"
#include "support/ErrorText.h"
#include "support/FileNodes.h"
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

int exitCode(pid_t pid) {
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

platform::WriteContent text(const std::string& bytes) {
  return [bytes](base::Stream& out) { out.writeBuffer(bytes.data(), bytes.size()); };
}

// What a replacing write of `bytes` to `target` raised, "(no error)" when nothing.
std::string replaceWith(const std::string& target, const std::string& bytes) {
  return messageOf([&] { platform::writeFileReplacing(target, text(bytes)); });
}

std::string cannotCreate(const std::string& target, const std::string& reason) {
  return "Cannot create file \"" + target + "\". " + reason;
}

// A child that copies what comes through the FIFO into `copy`, for at most ten seconds.
pid_t fifoReader(const fs::path& fifo, const fs::path& copy) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::alarm(10);
    std::ifstream in(fifo, std::ios::binary);
    std::ofstream(copy, std::ios::binary) << in.rdbuf();
    ::_exit(0);
  }
  return pid;
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

TEST(FileWriterProcesses, KilledWritersLeaveNoCutFileAndTheNextWriteRemovesTheirTemporaryFiles) {
  testsupport::TempDir folder;
  const fs::path old = folder.root() / "old.bmp";
  testsupport::writeFile(old, "the old picture");
  const fs::path fresh = folder.root() / "Pic_1.bmp";
  // All three are at work before two are killed; the third holds its
  // temporary file through all that follows.
  const pid_t live = childStoppedMidWrite(folder.root() / "live.bmp", FileWriter::Purpose::Replace, true);
  const pid_t killed[] = {childStoppedMidWrite(old, FileWriter::Purpose::Replace, true),
                          childStoppedMidWrite(fresh, FileWriter::Purpose::NewName, true)};
  for (const pid_t pid : killed) {
    ::kill(pid, SIGKILL);
    EXPECT_EQ(signalThatEnded(pid), SIGKILL);
  }
  EXPECT_EQ(readAll(old), "the old picture");
  EXPECT_FALSE(fs::exists(fresh));
  EXPECT_EQ(temporaryFiles(folder.root()), 3u);

  EXPECT_EQ(replaceWith((folder.root() / "next.bmp").string(), "next"), "(no error)");
  EXPECT_EQ(temporaryFiles(folder.root()), 1u) << "only the live writer's file stays";
  ::kill(live, SIGTERM);
  EXPECT_EQ(signalThatEnded(live), SIGTERM);
  EXPECT_EQ(temporaryFiles(folder.root()), 0u);
}

TEST(FileWriterProcesses, InterruptedWritersRemoveTheirTemporaryFile) {
  testsupport::TempDir folder;
  const fs::path target = folder.root() / "out.bmp";
  testsupport::writeFile(target, "old");
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
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
// since root may write anything. Neither write touches the old file.
TEST(FileWriterProcesses, AClosedFolderOrAProtectedFileFailsAndKeepsTheOldFile) {
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
    const std::string denied = base::systemErrorText(EACCES);
    int failures = 0;
    for (const fs::path& target : {closed / "save.bmp", open / "locked.bmp"})
      failures += replaceWith(target.string(), "new") != cannotCreate(target.string(), denied);
    ::_exit(failures);
  }
  const int code = exitCode(pid);
  ::chmod(closed.c_str(), 0755);
  if (code == 3) GTEST_SKIP() << "the temporary folder is closed to other users";
  EXPECT_EQ(code, 0);
  EXPECT_EQ(readAll(closed / "save.bmp"), "old content, longer than the new");
  EXPECT_EQ(readAll(open / "locked.bmp"), "locked");
  EXPECT_EQ(temporaryFiles(closed) + temporaryFiles(open), 0u);
}

// An existing target that is no regular file is never renamed over: a FIFO or a
// character device takes the bytes in place, as cp would write them; a socket,
// a block device or a folder is refused. As root the devices are made here, so
// that a fault can never replace the system's own.
TEST(FileWriterProcesses, AFifoOrDeviceIsWrittenThroughAndOtherKindsOfFileAreRefused) {
  testsupport::TempDir folder;
  const bool root = ::geteuid() == 0;
  const auto here = [&](const char* name) { return (folder.root() / name).string(); };
  const std::string fifo = here("fifo"), null = root ? here("null") : "/dev/null",
                    full = root ? here("full") : "/dev/full", block = here("block"), socket = here("socket"),
                    folderTarget = here("folder");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ASSERT_TRUE(testsupport::makeSocket(socket));
  fs::create_directory(folderTarget);
  if (root) {
    ASSERT_TRUE(testsupport::makeDeviceNode(null, S_IFCHR, 1, 3));
    ASSERT_TRUE(testsupport::makeDeviceNode(full, S_IFCHR, 1, 7));
    ASSERT_TRUE(testsupport::makeDeviceNode(block, S_IFBLK, 7, 0));
  }

  const pid_t reader = fifoReader(fifo, folder.root() / "copy");
  EXPECT_EQ(replaceWith(fifo, "through the pipe"), "(no error)");
  EXPECT_EQ(exitCode(reader), 0);
  EXPECT_EQ(readAll(folder.root() / "copy"), "through the pipe");

  const std::string notRegular = platform::kNotRegularFile;
  const struct {
    std::string target;
    mode_t type;
    std::string outcome;
  } cases[] = {
      {null, S_IFCHR, "(no error)"},
      {full, S_IFCHR, cannotCreate(full, base::systemErrorText(ENOSPC))},
      {socket, S_IFSOCK, cannotCreate(socket, notRegular)},
      {folderTarget, S_IFDIR, cannotCreate(folderTarget, base::systemErrorText(EISDIR))},
      {block, S_IFBLK, root ? cannotCreate(block, notRegular) : ""},
  };
  for (const auto& c : cases) {
    if (c.outcome.empty()) continue;  // no block device without root
    EXPECT_EQ(replaceWith(c.target, "bytes"), c.outcome);
    EXPECT_FALSE(platform::setModificationTime(c.target, 1000000000)) << "a picture's date on " << c.target;
    EXPECT_EQ(testsupport::fileType(c.target), c.type) << c.target;
  }
  EXPECT_EQ(testsupport::fileType(fifo), static_cast<mode_t>(S_IFIFO));
  EXPECT_EQ(temporaryFiles(folder.root()), 0u);
}

// A symlink named as the target stays; the file it leads to, through relative
// or absolute links and chains, is replaced in its own folder with its own
// mode; a dangling link gets its file made.
TEST(FileWriterProcesses, ASymlinkStaysAndTheFileItLeadsToIsReplaced) {
  testsupport::TempDir folder;
  const fs::path links = folder.root() / "links", files = folder.root() / "files";
  fs::create_directories(links);
  fs::create_directories(files);
  testsupport::writeFile(files / "real.bmp", "old");
  ::chmod((files / "real.bmp").c_str(), 0640);
  fs::create_symlink("../files/real.bmp", links / "relative");
  fs::create_symlink(files / "real.bmp", links / "absolute");
  fs::create_symlink("relative", links / "chain");
  fs::create_symlink("../files/made.bmp", links / "dangling");
  fs::create_symlink("../files", links / "to-folder");

  const struct {
    const char* link;
    fs::path file;
  } cases[] = {{"relative", files / "real.bmp"},
               {"absolute", files / "real.bmp"},
               {"chain", files / "real.bmp"},
               {"dangling", files / "made.bmp"}};
  for (const auto& c : cases) {
    const fs::path link = links / c.link;
    const fs::path pointsTo = fs::read_symlink(link);
    EXPECT_EQ(messageOf([&] {
                platform::writeFileReplacing(link.string(), [&](base::Stream& out) {
                  // The new file is written beside the one it replaces.
                  EXPECT_EQ(temporaryFiles(files), 1u);
                  EXPECT_EQ(temporaryFiles(links), 0u);
                  out.writeBuffer(c.link, std::strlen(c.link));
                });
              }),
              "(no error)");
    EXPECT_TRUE(fs::is_symlink(link)) << c.link;
    EXPECT_EQ(fs::read_symlink(link), pointsTo);
    EXPECT_EQ(readAll(c.file), c.link);
  }
  // The date a picture takes goes to the file too.
  EXPECT_TRUE(platform::setModificationTime((links / "chain").string(), 1000000000));
  struct stat st {};
  ASSERT_EQ(::stat((files / "real.bmp").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(st.st_mtime, 1000000000);
  const std::string toFolder = (links / "to-folder").string();
  EXPECT_EQ(replaceWith(toFolder, "x"), cannotCreate(toFolder, base::systemErrorText(EISDIR)));
  EXPECT_TRUE(fs::is_symlink(toFolder));
  EXPECT_EQ(temporaryFiles(files) + temporaryFiles(links), 0u);
}

// A working folder whose path is longer than PATH_MAX: relative names are
// written all the same, and a failure still names the target in full.
TEST(FileWriterProcesses, ADeepWorkingFolderIsWrittenRelativeToIt) {
  testsupport::TempDir folder;
  const testsupport::DeepFolder deep(folder.path());
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::fchdir(deep.fd()) != 0) ::_exit(100);
    int failures = 0;
    for (const char* content : {"one", "two"}) failures |= (replaceWith("out.bmp", content) != "(no error)") << 0;
    failures |= (messageOf([] {
                   FileWriter writer("Pic_1.bmp", FileWriter::Purpose::NewName);
                   writer.write(text("pic"));
                   writer.closeForBatch();
                   platform::flushBatch("");
                   if (!writer.takeNewName("Pic_1.bmp")) throw std::runtime_error("taken");
                 }) != "(no error)")
                << 1;
    failures |= (replaceWith("missing/x.bmp", "x") !=
                 cannotCreate(deep.path() + "/missing/x.bmp", base::systemErrorText(ENOENT)))
                << 2;
    failures |= (readAll("out.bmp") + readAll("Pic_1.bmp") != "twopic") << 3;
    ::_exit(failures);
  }
  EXPECT_EQ(exitCode(pid), 0) << "bits: 1 replacing, 2 a new name, 4 the message, 8 the content";
}
