// qalbum's command-line conventions, run as a real process: help and version
// on standard output with status 0, usage errors on standard error with
// status 2, failures of the work with status 1; and the man page and the help
// page describing the same commands and options as the help.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "tools/DatabaseBuilder.h"
#include "support/Qalbum.h"

using testsupport::ProgramRun;
using testsupport::TempDir;
using testsupport::qalbum;

namespace {

bool startsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

struct Case {
  std::vector<std::string> args;
  int status;
  std::string begins;  // what the stream that must speak (stdout for 0, stderr otherwise) begins with
};

TEST(QalbumConventions, StatusesAndStreamsFollowTheCommandLineRules) {
  TempDir dir;
  const std::string pdb = dir.write("QuilloryPicA.pdb", album::buildPictureDatabase("QuilloryPicA", {}));
  const std::string out = dir.path("out.bmp");
  const Case cases[] = {
      {{"--help"}, 0, "Usage: qalbum COMMAND"},
      {{"-h"}, 0, "Usage: qalbum COMMAND"},
      {{"help"}, 0, "Usage: qalbum COMMAND"},
      {{"--version"}, 0, "qalbum "},
      {{"-V"}, 0, "qalbum "},
      {{"help", "convert"}, 0, "Usage: qalbum convert [--format bmp|png] [--scale N] [--size N] PDB OUT\n"},
      {{"convert", "--help"}, 0, "Usage: qalbum convert"},
      {{"info", pdb, "-h"}, 0, "Usage: qalbum info"},
      {{"help", "skin"}, 0, "Usage: qalbum skin"},
      {{"skin", "--help"}, 0, "Usage: qalbum skin"},
      {{"help", "skin", "region"}, 0, "Usage: qalbum skin region --mask RRGGBB FILE NAME\n"},
      {{"skin", "region", "--help"}, 0, "Usage: qalbum skin region"},
      {{}, 2, "No command given.\nUsage: qalbum COMMAND"},
      {{"frobnicate"}, 2, "Unknown command \"frobnicate\".\nUsage: qalbum COMMAND"},
      {{"--frobnicate"}, 2, "Unknown option \"--frobnicate\".\n"},
      {{"help", "frobnicate"}, 2, "Unknown command \"frobnicate\".\nUsage: qalbum help"},
      {{"convert", "--frobnicate", pdb, out}, 2, "Unknown option \"--frobnicate\".\nUsage: qalbum convert"},
      {{"convert", pdb}, 2, "Wrong number of arguments.\nUsage: qalbum convert"},
      {{"convert", pdb, ""}, 2, "The OUT argument is empty.\n"},
      {{"convert", pdb, "-"}, 2, "Writing to standard output needs --format"},
      {{"convert", "--format", "gif", pdb, "-"}, 2, "Invalid value \"gif\" for --format"},
      {{"convert", pdb, "--format"}, 2, "The option --format needs a value"},
      {{"export", "", dir.path("dest")}, 2, "The FOLDER argument is empty.\n"},
      {{"export", dir.path(), ""}, 2, "The DEST argument is empty.\n"},
      {{"users", "extra"}, 2, "Wrong number of arguments.\nUsage: qalbum users [--palm-folder DIR]\n"},
      {{"skin"}, 2, "No skin command given.\nUsage: qalbum skin"},
      {{"skin", "frobnicate"}, 2, "Unknown command \"skin frobnicate\".\n"},
      {{"skin", "region", "x.vsg", "Pic"}, 2, "The option --mask is required.\n"},
      {{"skin", "pack", dir.path("s.vsg"), "nameless"}, 2, "Expected NAME=BMP, got \"nameless\".\n"},
      {{"convert", dir.path("none.pdb"), out}, 1, dir.path("none.pdb") + ": Cannot open file"},
      // After "--" an option's spelling is a file name.
      {{"info", "--", "-h"}, 1, "-h: Cannot open file"},
  };
  for (const Case& c : cases) {
    std::string line;
    for (const std::string& a : c.args) line += "[" + a + "] ";
    SCOPED_TRACE(line);
    const ProgramRun r = qalbum(dir, c.args);
    EXPECT_EQ(r.status, c.status);
    if (c.status == 0) {
      EXPECT_TRUE(startsWith(r.out, c.begins)) << r.out;
      EXPECT_EQ(r.err, "");
    } else {
      EXPECT_TRUE(startsWith(r.err, c.begins)) << r.err;
      EXPECT_EQ(r.out, "");
    }
  }
  EXPECT_FALSE(std::filesystem::exists(out));
  // The developer commands stay out of the main help.
  EXPECT_EQ(qalbum(dir, {"--help"}).out.find("skin list"), std::string::npos);
}

TEST(QalbumConventions, ConvertNeitherWritesPicturesToNorReadsThemFromATerminal) {
  TempDir dir;
  const std::string pdb = dir.write("QuilloryPicA.pdb", album::buildPictureDatabase("QuilloryPicA", {}));
  const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(terminal, 0);
  ASSERT_EQ(grantpt(terminal), 0);
  ASSERT_EQ(unlockpt(terminal), 0);
  ProgramRun r = qalbum(dir, {"convert", "--format", "bmp", pdb, "-"}, {.stdoutTo = ptsname(terminal)});
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(startsWith(r.err, "Standard output is a terminal")) << r.err;
  char byte = 0;
  fcntl(terminal, F_SETFL, O_NONBLOCK);
  EXPECT_EQ(read(terminal, &byte, 1), -1);  // nothing reached the terminal

  // It would wait for a database typed in; "info -" too.
  for (const char* command : {"convert", "info"}) {
    const std::vector<std::string> args = command == std::string("info") ? std::vector<std::string>{"info", "-"}
                                                                         : std::vector<std::string>{"convert", "-", dir.path("a.bmp")};
    r = qalbum(dir, args, {.timeoutSeconds = 20, .stdinFrom = ptsname(terminal)});
    EXPECT_EQ(r.status, 2) << command;
    EXPECT_TRUE(startsWith(r.err, "Standard input is a terminal")) << r.err;
  }
  close(terminal);
}

// The commands' usage lines and every option the help of qalbum shows.
struct Described {
  std::set<std::string> usages;
  std::set<std::string> options;
};

void collectOptions(const std::string& text, std::set<std::string>& options) {
  static const std::regex option(R"((?:^|[\s\[(,])(--?[A-Za-z][A-Za-z-]*))");
  for (std::sregex_iterator it(text.begin(), text.end(), option), end; it != end; ++it) options.insert((*it)[1]);
}

// A usage line of the command list, with the lines that continue it (indented
// deeper than the summary below it) joined on.
void collectUsages(const std::string& text, std::set<std::string>& usages) {
  std::istringstream lines(text);
  std::string usage;
  for (std::string line; std::getline(lines, line);) {
    if (!usage.empty() && startsWith(line, "       ")) {
      usage.append(" ").append(line, line.find_first_not_of(' '));
      continue;
    }
    if (!usage.empty()) usages.insert(usage);
    usage = startsWith(line, "  qalbum ") ? line.substr(2) : "";
  }
  if (!usage.empty()) usages.insert(usage);
}

// "qalbum help skin region" for the usage "qalbum skin region --mask RRGGBB FILE NAME".
std::vector<std::string> helpOf(const std::string& usage) {
  std::vector<std::string> words{"help"};
  std::istringstream in(usage.substr(7));
  for (std::string w; in >> w && w[0] != '[' && w[0] != '-' && !std::isupper(static_cast<unsigned char>(w[0]));)
    words.push_back(w);
  return words;
}

Described describedByHelp(const TempDir& dir) {
  Described d;
  const std::string main = qalbum(dir, {"help"}).out;
  collectUsages(main, d.usages);
  collectUsages(qalbum(dir, {"help", "skin"}).out, d.usages);
  collectOptions(main.substr(main.find("\nOptions:")), d.options);
  for (const std::string& usage : std::set<std::string>(d.usages)) collectOptions(qalbum(dir, helpOf(usage)).out, d.options);
  return d;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) text.replace(at, from.size(), to);
  return text;
}

// The man page's text without font changes and escapes; a command is a ".SS" heading.
Described describedByManPage(const std::string& path) {
  std::string text = readText(path);
  for (const char* font : {"\\fB", "\\fI", "\\fR", "\\fP", "\\&", "\""}) text = replaceAll(text, font, "");
  text = replaceAll(text, "\\-", "-");
  Described d;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (startsWith(line, ".SS qalbum ")) d.usages.insert(line.substr(4));
    if (line[0] != '.' || startsWith(line, ".SS") || startsWith(line, ".TP") || startsWith(line, ".B"))
      collectOptions(line, d.options);
  }
  return d;
}

// The help page's qalbum section: each command is a <dt><code> line.
Described describedByHelpPage(const std::string& path) {
  std::string text = readText(path);
  text = text.substr(text.find("<h2 id=\"qalbum\">"));
  text = replaceAll(replaceAll(replaceAll(text, "&lt;", "<"), "&gt;", ">"), "&amp;", "&");
  Described d;
  static const std::regex usage("<dt><code>(qalbum [^<]*)</code></dt>");
  for (std::sregex_iterator it(text.begin(), text.end(), usage), end; it != end; ++it) d.usages.insert((*it)[1]);
  collectOptions(std::regex_replace(text, std::regex("<[^>]*>"), " "), d.options);
  return d;
}

TEST(QalbumConventions, EveryHelpFitsAnEightyColumnTerminal) {
  TempDir dir;
  std::vector<std::vector<std::string>> asks = {{"help"}, {"help", "skin"}};
  for (const std::string& usage : describedByHelp(dir).usages) asks.push_back(helpOf(usage));
  for (const auto& ask : asks) {
    const ProgramRun r = qalbum(dir, ask);
    ASSERT_EQ(r.status, 0) << ask.back();
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 80u) << line;
  }
}

TEST(QalbumConventions, ManPageAndHelpPageDescribeWhatTheHelpShows) {
  TempDir dir;
  const Described help = describedByHelp(dir);
  ASSERT_GE(help.usages.size(), 5u);
  ASSERT_TRUE(help.options.count("--format"));

  const Described man = describedByManPage(QA_SOURCE_DIR "/docs/man/qalbum.1");
  EXPECT_EQ(man.usages, help.usages);
  EXPECT_EQ(man.options, help.options);

  const Described page = describedByHelpPage(QA_SOURCE_DIR "/resources/QuilloryAlbum.htm");
  EXPECT_EQ(page.usages, help.usages);
  EXPECT_EQ(page.options, help.options);
}

}  // namespace
