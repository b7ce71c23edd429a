// qalbum as a real process against hostile files: inputs that are no regular
// files, output that cannot be written, signals and a file-size limit in the
// middle of an export, folders made by two runs at once, a working folder too
// deep to name whole.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "tools/DatabaseBuilder.h"
#include "album/PictureTemplate.h"
#include "base/Errors.h"
#include "support/DeepFolder.h"
#include "support/Qalbum.h"
#include "support/FileNodes.h"
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

std::vector<std::string> names(const std::string& folder) { return testsupport::sortedEntries(folder); }

bool anyTemporary(const std::string& folder) {
  for (const auto& name : names(folder))
    if (name.ends_with(".tmp")) return true;
  return false;
}

// Starts qalbum with `args` in the working folder `at` (a descriptor, so that
// any depth will do), its standard error going to `err`; returns its pid.
pid_t startQalbum(const std::vector<std::string>& args, int at = AT_FDCWD, int err = -1) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (at != AT_FDCWD && ::fchdir(at) != 0) ::_exit(126);
    const int quiet = ::open("/dev/null", O_WRONLY);
    ::dup2(quiet, STDOUT_FILENO);
    ::dup2(err >= 0 ? err : quiet, STDERR_FILENO);
    std::vector<char*> argv{const_cast<char*>("qalbum")};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const std::string program = testsupport::builtProgram("qalbum");
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  return pid;
}

int statusOf(pid_t pid) {
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// A folder "backup" in `dir` with `count` large picture databases.
std::string backupOf(const TempDir& dir, int count) {
  fs::create_directory(dir.path("backup"));
  const auto database = album::buildPictureDatabase("QuilloryPicA", std::vector<uint8_t>(89600, 1));
  for (int i = 0; i < count; ++i) dir.write("backup/QuilloryPic" + std::to_string(i) + ".pdb", database);
  return dir.path("backup");
}

}  // namespace

TEST(QalbumFiles, InputsThatAreNoRegularFilesFailAtOnce) {
  TempDir dir;
  ::mkfifo(dir.path("fifo").c_str(), 0600);
  ASSERT_TRUE(testsupport::makeSocket(dir.path("socket")));
  for (const std::string& input : {dir.path("fifo"), dir.path("socket"), std::string("/dev/zero")}) {
    SCOPED_TRACE(input);
    const std::string refused = "Cannot open file \"" + input + "\". Not a regular file.\n";
    const std::pair<std::string, std::vector<std::string>> commands[] = {
        {"info", {"info", input}},
        {"convert", {"convert", input, "out.bmp"}},
        {"skin list", {"skin", "list", input}},
        {"skin pack", {"skin", "pack", "out.vsg", "a=" + input}}};
    for (const auto& [command, args] : commands) {
      const Outcome run = qalbumIn(dir, args);
      EXPECT_EQ(run.status, 1) << command;
      // A database that fails is named first, then the message.
      const bool database = command == "info" || command == "convert";
      EXPECT_EQ(run.err, database ? input + ": " + refused : refused) << command;
    }
    // A registry file that is no regular file holds no users; it never holds the program up.
    EXPECT_EQ(qalbumIn(dir, {"users"}, {.environment = {"QUILLORY_REGISTRY=" + input}}).status, 1);
  }
  // A FIFO named like a picture database, in the folder an export reads.
  fs::create_directory(dir.path("backup"));
  ::mkfifo(dir.path("backup/QuilloryPicFifo.pdb").c_str(), 0600);
  const Outcome run = qalbumIn(dir, {"export", "backup", "out"});
  EXPECT_EQ(run.status, 1);
  // The export names the database that stopped it in full, then the message.
  const std::string fifo = dir.path("backup/QuilloryPicFifo.pdb");
  EXPECT_EQ(run.err, fifo + ": Cannot open file \"" + fifo + "\". Not a regular file.\n");
  EXPECT_EQ(names(dir.path()), (std::vector<std::string>{"backup", "fifo", "out", "socket"}));
}

TEST(QalbumFiles, OutputThatCannotBeWrittenIsAFailure) {
  TempDir dir;
  dir.write("QuilloryPicA.pdb", album::buildPictureDatabase("QuilloryPicA", std::vector<uint8_t>(22400, 1)));
  ASSERT_EQ(qalbumIn(dir, {"convert", "QuilloryPicA.pdb", "a.bmp"}).status, 0);
  ASSERT_EQ(qalbumIn(dir, {"skin", "pack", "a.vsg", "A=a.bmp"}).status, 0);
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--help"},
           {"--version"},
           {"info", "QuilloryPicA.pdb"},
           {"skin", "list", "a.vsg"},
           {"convert", "--format", "png", "QuilloryPicA.pdb", "-"}}) {
    const Outcome full = qalbumIn(dir, args, {.stdoutTo = "/dev/full"});
    EXPECT_EQ(full.status, 1) << args[0];
    EXPECT_EQ(full.err, "Stream write error\n") << args[0];
  }
  EXPECT_EQ(qalbumIn(dir, {"--version"}, {.stdoutTo = "&-"}).status, 1);
  EXPECT_EQ(qalbumIn(dir, {"--version"}).status, 0);
}

TEST(QalbumFiles, MessagesNameFilesInFull) {
  TempDir dir;
  const Outcome open = qalbumIn(dir, {"convert", "missing.pdb", "out.bmp"});
  EXPECT_EQ(open.err.rfind("missing.pdb: Cannot open file \"" + dir.path("missing.pdb") + "\". ", 0), 0u) << open.err;
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
  EXPECT_EQ(exported.err, dir.path("backup/QuilloryPicA.pdb") + ": Cannot create file \"" + dir.path("out/Pic_1.bmp") +
                              "\". File too large.\n");
  EXPECT_TRUE(names(dir.path("out")).empty());
  EXPECT_EQ(names(dir.path()), (std::vector<std::string>{"backup", "old.bmp", "out"}));
}

// The export is stopped while a temporary file is there, then sent the signal.
// SIGKILL leaves its temporary files; the next write into the folder removes them.
TEST(QalbumFiles, InterruptedExportsLeaveNoTemporaryFile) {
  TempDir dir;
  backupOf(dir, 400);
  for (int signal : {SIGINT, SIGTERM, SIGKILL}) {
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
    if (signal == SIGKILL) {
      EXPECT_EQ(qalbumIn(dir, {"convert", "backup/QuilloryPic0.pdb", out + "/one.bmp"}).status, 0);
    }
    EXPECT_FALSE(anyTemporary(out));
    for (const auto& name : names(out))
      EXPECT_EQ(fs::file_size(out + "/" + name), album::templateFileSize(album::PictureSize::Large)) << name;
  }
}

// A name reaches the terminal with its control characters escaped, in every
// kind of message: one given, one read from a folder, a database's.
TEST(QalbumFiles, MessagesEscapeControlCharactersInNames) {
  TempDir dir;
  const std::string hostile = "no\nsuch\x1b[31m";
  std::vector<uint8_t> damaged = album::buildPictureDatabase("QuilloryPicBad", {});
  damaged.resize(60);
  fs::create_directory(dir.path("backup"));
  const std::string bad = dir.write("backup/QuilloryPicBad\xff\n\x1b[2J.pdb", damaged);
  const auto rawControl = [](char c) { return (c > 0 && c < ' ' && c != '\n') || c == 0x7F; };
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"convert", hostile + ".pdb", "x.bmp"},
           {"convert", bad, "x.bmp"},
           {"info", hostile},
           {"skin", "list", hostile},
           {"export", hostile, "out"},
           {"export", "--keep-going", "backup", "out"},
           {"export-all", "--palm-folder", hostile, "out"},
           {"convert", "--format", hostile, bad, "-"},
           {hostile}}) {
    const std::string err = qalbumIn(dir, args).err;
    EXPECT_NE(err.find("\\x0a"), std::string::npos) << err;
    EXPECT_NE(err.find("\\x1b["), std::string::npos) << err;
    EXPECT_TRUE(std::none_of(err.begin(), err.end(), rawControl)) << err;
  }
}

// Standard error closed at the reading end: the first failure written ends the
// export by SIGPIPE, as SIGTERM would, with no temporary file left.
TEST(QalbumFiles, AnExportEndedByABrokenPipeLeavesNoTemporaryFile) {
  TempDir dir;
  backupOf(dir, 3);
  dir.write("backup/QuilloryPicX.pdb", album::buildPictureDatabase("NotAPicture", std::vector<uint8_t>(89600, 1)));
  int pipe[2];
  ASSERT_EQ(::pipe(pipe), 0);
  ::close(pipe[0]);
  const pid_t pid = startQalbum({"export", "--keep-going", dir.path("backup"), dir.path("out")}, AT_FDCWD, pipe[1]);
  ::close(pipe[1]);
  EXPECT_EQ(statusOf(pid), 128 + SIGPIPE);
  EXPECT_EQ(names(dir.path("out")), std::vector<std::string>{});
}

// "-" is not the only way to standard output: /dev/stdout is written through
// (a pipe here), by a plain user too; root runs the pipeline as "nobody".
TEST(QalbumFiles, DevStdoutIsWrittenThroughForAPlainUser) {
  TempDir dir;
  const std::string database =
      dir.write("QuilloryPicA.pdb", album::buildPictureDatabase("QuilloryPicA", std::vector<uint8_t>(22400, 1)));
  ::chmod(dir.path().c_str(), 0755);
  ::chmod(database.c_str(), 0644);
  ASSERT_EQ(qalbumIn(dir, {"convert", database, dir.path("file.bmp")}).status, 0);
  const std::string pipeline = testsupport::shellQuoted(testsupport::builtProgram("qalbum")) + " convert " +
                               testsupport::shellQuoted(database) + " /dev/stdout --format bmp | cat";
  const std::vector<std::string> asUser = {"--reuid=65534", "--regid=65534", "--clear-groups", "sh", "-c", pipeline};
  const Outcome piped = ::geteuid() == 0 ? testsupport::runProgram("setpriv", asUser, dir, {.timeoutSeconds = 10})
                                         : testsupport::runProgram("sh", {"-c", pipeline}, dir, {.timeoutSeconds = 10});
  EXPECT_EQ(piped.status, 0) << piped.err;
  const std::vector<uint8_t> file = TempDir::read(dir.path("file.bmp"));
  EXPECT_TRUE(piped.out == std::string(file.begin(), file.end())) << piped.out.size() << " bytes, not " << file.size();
}

// Two runs that make the same folder at once both go ahead: one makes it, the
// other finds it made. Each reads its own databases (a database is read by one
// run at a time). A folder that cannot be made is named in full, with the reason.
TEST(QalbumFiles, RunsThatMakeOneFolderAtOnceBothSucceed) {
  TempDir dir;
  const std::string backups[] = {backupOf(dir, 1), dir.path("copy")};
  fs::copy(backups[0], backups[1]);
  for (int i = 0; i < 2; ++i) {
    fs::create_directories(dir.path("palm" + std::to_string(i) + "/Anna"));
    fs::create_directory_symlink(backups[i], dir.path("palm" + std::to_string(i) + "/Anna/Backup"));
  }
  const auto exportInto = [&](const std::string& dest, int run) -> std::vector<std::string> {
    const std::string palm = dir.path("palm" + std::to_string(run));
    if (dest.starts_with(dir.path("all"))) return {"export-all", "--palm-folder", palm, dest};
    return {"export", backups[run], dest};
  };
  for (int round = 0; round < 20; ++round) {
    for (const std::string& dest : {dir.path("mk" + std::to_string(round)), dir.path("all" + std::to_string(round))}) {
      fs::create_directory(dest);
      const int err = ::open(dir.path("errors").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND, 0600);
      const pid_t first = startQalbum(exportInto(dest + "/D", 0), AT_FDCWD, err);
      const pid_t second = startQalbum(exportInto(dest + "/D", 1), AT_FDCWD, err);
      ::close(err);
      const int statuses = statusOf(first) + statusOf(second);
      const std::vector<uint8_t> errors = TempDir::read(dir.path("errors"));
      EXPECT_EQ(statuses, 0) << dest << ": " << std::string(errors.begin(), errors.end());
    }
  }
  dir.write("blocked", {0});
  const Outcome blocked = qalbumIn(dir, {"export", "backup", "blocked/D"});
  EXPECT_EQ(blocked.err, "Cannot create " + dir.path("blocked/D/") + ". " + base::systemErrorText(ENOTDIR) + "\n");
  const Outcome all = qalbumIn(dir, {"export-all", "--palm-folder", "palm0", "blocked/E"});
  EXPECT_EQ(all.err, "Cannot create " + dir.path("blocked/E/") + ". " + base::systemErrorText(ENOTDIR) + "\n");
}

// A working folder whose path is longer than PATH_MAX: relative names work.
TEST(QalbumFiles, ADeepWorkingFolderTakesRelativeNames) {
  TempDir dir;
  const std::string backup = backupOf(dir, 2);
  const testsupport::DeepFolder deep(dir.path());
  EXPECT_EQ(statusOf(startQalbum({"convert", backup + "/QuilloryPic0.pdb", "out.bmp"}, deep.fd())), 0);
  EXPECT_EQ(statusOf(startQalbum({"export", backup, "album"}, deep.fd())), 0);
  const auto large = static_cast<off_t>(album::templateFileSize(album::PictureSize::Large));
  for (const char* name : {"out.bmp", "album/Pic_1.bmp", "album/Pic_2.bmp"}) {
    struct stat st {};
    EXPECT_EQ(::fstatat(deep.fd(), name, &st, 0), 0) << name;
    EXPECT_EQ(st.st_size, large) << name;
  }
}
