// qalbum as a real process against hostile files: inputs that are no regular
// files, output that cannot be written, signals and a file-size limit in the
// middle of an export.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "album/DatabaseBuilder.h"
#include "album/PictureTemplate.h"
#include "support/Qalbum.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using testsupport::RunOptions;
using testsupport::TempDir;

namespace {

using Outcome = testsupport::ProgramRun;

// Runs qalbum inside `dir`, with at most ten seconds (status 124 when it takes longer).
Outcome qalbumIn(const TempDir& dir, const std::vector<std::string>& args, RunOptions options = {}) {
  options.workingDir = dir.path();
  options.timeoutSeconds = 10;
  return testsupport::qalbum(dir, args, options);
}

void makeSocket(const std::string& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0) << path;
  ::close(fd);
}

std::vector<std::string> names(const std::string& folder) {
  std::vector<std::string> all;
  for (const auto& e : fs::directory_iterator(folder)) all.push_back(e.path().filename().string());
  std::sort(all.begin(), all.end());
  return all;
}

bool anyTemporary(const std::string& folder) {
  for (const auto& name : names(folder))
    if (name.ends_with(".tmp")) return true;
  return false;
}

}  // namespace

TEST(QalbumFiles, InputsThatAreNoRegularFilesFailAtOnce) {
  TempDir dir;
  ::mkfifo(dir.path("fifo").c_str(), 0600);
  makeSocket(dir.path("socket"));
  for (const std::string& input : {dir.path("fifo"), dir.path("socket"), std::string("/dev/zero")}) {
    SCOPED_TRACE(input);
    const std::string cannotOpen = "Cannot open file \"" + input + "\". ";
    const std::pair<std::string, std::vector<std::string>> commands[] = {
        {"info", {"info", input}},
        {"convert", {"convert", input, "out.bmp"}},
        {"skin list", {"skin", "list", input}},
        {"skin pack", {"skin", "pack", "out.vsg", "a=" + input}}};
    for (const auto& [command, args] : commands) {
      const Outcome run = qalbumIn(dir, args);
      EXPECT_EQ(run.status, 1) << command;
      // info names the failing file first, as it goes on with the next one.
      const std::string expected = command == "info" ? input + ": " + cannotOpen : cannotOpen;
      EXPECT_EQ(run.err.rfind(expected, 0), 0u) << command << ": " << run.err;
    }
    // A registry file that is no regular file holds no users; it never holds the program up.
    EXPECT_EQ(qalbumIn(dir, {"users"}, {.environment = {"QUILLORY_REGISTRY=" + input}}).status, 1);
  }
  // A FIFO named like a picture database, in the folder an export reads.
  fs::create_directory(dir.path("backup"));
  ::mkfifo(dir.path("backup/QuilloryPicFifo.pdb").c_str(), 0600);
  const Outcome run = qalbumIn(dir, {"export", "backup", "out"});
  EXPECT_EQ(run.status, 1);
  // The export names the database that stopped it, then the message.
  EXPECT_EQ(run.err, "backup/QuilloryPicFifo.pdb: Cannot open file \"" + dir.path("backup/QuilloryPicFifo.pdb") +
                         "\". Not a regular file.\n");
  EXPECT_EQ(names(dir.path()), (std::vector<std::string>{"backup", "fifo", "out", "socket"}));
}

TEST(QalbumFiles, OutputThatCannotBeWrittenIsAFailure) {
  TempDir dir;
  dir.write("QuilloryPicA.pdb", album::buildPictureDatabase("QuilloryPicA", std::vector<uint8_t>(22400, 1)));
  ASSERT_EQ(qalbumIn(dir, {"convert", "QuilloryPicA.pdb", "a.bmp"}).status, 0);
  ASSERT_EQ(qalbumIn(dir, {"skin", "pack", "a.vsg", "A=a.bmp"}).status, 0);
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--help"}, {"--version"}, {"info", "QuilloryPicA.pdb"}, {"skin", "list", "a.vsg"}}) {
    const Outcome full = qalbumIn(dir, args, {.stdoutTo = "/dev/full"});
    EXPECT_EQ(full.status, 1) << args[0];
    EXPECT_NE(full.err.find("Stream write error\n"), std::string::npos) << args[0] << ": " << full.err;
  }
  EXPECT_EQ(qalbumIn(dir, {"--version"}, {.stdoutTo = "&-"}).status, 1);
  EXPECT_EQ(qalbumIn(dir, {"--version"}).status, 0);
}

TEST(QalbumFiles, MessagesNameFilesInFull) {
  TempDir dir;
  const Outcome open = qalbumIn(dir, {"convert", "missing.pdb", "out.bmp"});
  EXPECT_EQ(open.err.rfind("Cannot open file \"" + dir.path("missing.pdb") + "\". ", 0), 0u) << open.err;
  dir.write("QuilloryPicA.pdb", album::buildPictureDatabase("QuilloryPicA", std::vector<uint8_t>(22400, 1)));
  const Outcome create = qalbumIn(dir, {"convert", "QuilloryPicA.pdb", "nowhere/out.bmp"});
  EXPECT_EQ(create.err.rfind("Cannot create file \"" + dir.path("nowhere/out.bmp") + "\". ", 0), 0u) << create.err;
}

TEST(QalbumFiles, AFileSizeLimitLeavesNoFileBehind) {
  TempDir dir;
  fs::create_directory(dir.path("backup"));
  dir.write("backup/QuilloryPicA.pdb", album::buildPictureDatabase("QuilloryPicA", std::vector<uint8_t>(89600, 1)));
  dir.write("old.bmp", {1, 2, 3});
  const RunOptions limit{.shellPrefix = "ulimit -f 8 &&"};  // 8 blocks: less than one large picture
  const Outcome convert = qalbumIn(dir, {"convert", "backup/QuilloryPicA.pdb", "old.bmp"}, limit);
  EXPECT_EQ(convert.status, 1);
  EXPECT_EQ(convert.err, "Cannot create file \"" + dir.path("old.bmp") + "\". File too large.\n");
  EXPECT_EQ(TempDir::read(dir.path("old.bmp")), (std::vector<uint8_t>{1, 2, 3}));

  const Outcome exported = qalbumIn(dir, {"export", "backup", "out"}, limit);
  EXPECT_EQ(exported.status, 1);
  EXPECT_EQ(exported.err,
            "backup/QuilloryPicA.pdb: Cannot create file \"" + dir.path("out/Pic_1.bmp") + "\". File too large.\n");
  EXPECT_TRUE(names(dir.path("out")).empty());
  EXPECT_EQ(names(dir.path()), (std::vector<std::string>{"backup", "old.bmp", "out"}));
}

// The export is stopped while a temporary file is there, then sent the signal.
TEST(QalbumFiles, InterruptedExportsLeaveNoTemporaryFile) {
  TempDir dir;
  fs::create_directory(dir.path("backup"));
  const auto database = album::buildPictureDatabase("QuilloryPicA", std::vector<uint8_t>(89600, 1));
  for (int i = 0; i < 400; ++i) dir.write("backup/QuilloryPic" + std::to_string(i) + ".pdb", database);
  for (int signal : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signal);
    const std::string out = dir.path("out" + std::to_string(signal));
    fs::create_directory(out);
    const pid_t pid = ::fork();
    if (pid == 0) {
      if (!::freopen("/dev/null", "w", stderr)) ::_exit(126);
      ::execl(testsupport::builtProgram("qalbum").c_str(), "qalbum", "export", dir.path("backup").c_str(), out.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    bool caught = false;
    int status = 0;
    while (!caught && ::waitpid(pid, &status, WNOHANG) == 0) {
      if (!anyTemporary(out)) continue;
      ::kill(pid, SIGSTOP);
      ::waitpid(pid, &status, WUNTRACED);
      caught = anyTemporary(out);
      if (caught) ::kill(pid, signal);
      ::kill(pid, SIGCONT);
    }
    ASSERT_TRUE(caught) << "the export ended before a temporary file was seen";
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
    EXPECT_FALSE(anyTemporary(out));
    for (const auto& name : names(out))
      EXPECT_EQ(fs::file_size(out + "/" + name), album::templateFileSize(album::PictureSize::Large)) << name;
  }
}
