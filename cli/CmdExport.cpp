// qalbum export FOLDER DEST: every picture database of FOLDER, in name order,
// as numbered BMP files in DEST, by the rules of Export All.
#include <algorithm>
#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#define QA_ISATTY _isatty
#define QA_FILENO _fileno
#else
#include <unistd.h>
#define QA_ISATTY isatty
#define QA_FILENO fileno
#endif

#include "album/ExportAll.h"
#include "base/Errors.h"
#include "cli/Commands.h"
#include "platform/Directory.h"
#include "platform/Files.h"

namespace cli {

namespace {

std::string withSeparator(std::string folder) {
  if (folder.empty()) return std::string(".") + platform::kPathSeparator;
  if (folder.back() != platform::kPathSeparator && folder.back() != '/') folder += platform::kPathSeparator;
  return folder;
}

// Messages go to standard error one per line; progress shows only on a terminal.
class ConsoleReport : public album::ExportReport {
 public:
  ConsoleReport() : terminal_(QA_ISATTY(QA_FILENO(stderr)) != 0) {}
  void message(const std::string& text) override { line(text); }
  void error(const std::string& text) override { line(text); }
  // Ends the progress line before an error that comes from below the report.
  int fail(const std::string& text) {
    line(text);
    return 1;
  }
  void progress(size_t done, size_t total) override {
    if (!terminal_) return;
    std::cerr << "\rExporting " << done << " of " << total << "..." << std::flush;
    progressShown_ = true;
  }

 private:
  void line(const std::string& text) {
    if (progressShown_) std::cerr << "\r\033[K";
    progressShown_ = false;
    std::cerr << text << '\n';
  }
  bool terminal_;
  bool progressShown_ = false;
};

}  // namespace

int runExport(const Invocation& call) {
  const Args& args = call.args;
  const std::string folder = withSeparator(args[0]);
  if (!platform::directoryExists(folder))
    return fail(base::formatMessage(base::msg::FOpen, {platform::absolutePath(args[0]), platform::lastErrorText()}));
  std::vector<std::string> names = platform::listDirectory(folder, "QuilloryPic*.pdb");
  std::sort(names.begin(), names.end());
  std::vector<std::string> databases;
  for (const std::string& name : names) databases.push_back(folder + name);
  ConsoleReport report;
  try {
    const album::ExportResult result =
        album::exportPictures(databases, withSeparator(args[1]), album::decodePictureDatabase, report);
    return result == album::ExportResult::Exported || result == album::ExportResult::Nothing ? 0 : 1;
  } catch (const std::exception& e) {
    return report.fail(e.what());
  }
}

}  // namespace cli
