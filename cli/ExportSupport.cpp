#include "cli/ExportSupport.h"

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

#include "album/Enlarge.h"
#include "platform/Directory.h"
#include "platform/Files.h"

namespace cli {

std::optional<std::string> takeScale(Args& args, int& scale) {
  const auto at = std::find(args.begin(), args.end(), "--scale");
  if (at == args.end()) return std::nullopt;
  if (at + 1 == args.end()) return "--scale needs a number from 1 to " + std::to_string(album::kMaxScale);
  const std::string& value = *(at + 1);
  if (value.size() != 1 || value[0] < '1' || value[0] > '0' + album::kMaxScale)
    return "--scale needs a number from 1 to " + std::to_string(album::kMaxScale) + ", not \"" + value + "\"";
  scale = value[0] - '0';
  args.erase(at, at + 2);
  return std::nullopt;
}

std::optional<std::string> takeExportOptions(Args& args, album::ExportOptions& options,
                                             std::optional<std::string>* palmFolder) {
  if (auto error = takeScale(args, options.scale)) return error;
  Args rest;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--png") {
      options.png = true;
    } else if (args[i] == "--keep-going") {
      options.keepGoing = true;
    } else if (palmFolder && args[i] == "--palm-folder") {
      if (i + 1 == args.size()) return "--palm-folder needs a folder";
      *palmFolder = args[++i];
    } else if (args[i].size() > 1 && args[i][0] == '-') {
      return "Unknown option \"" + args[i] + "\"";
    } else {
      rest.push_back(args[i]);
    }
  }
  args = rest;
  options.nameFailures = true;
  return std::nullopt;
}

std::string withSeparator(std::string folder) {
  if (folder.empty()) return std::string{'.', platform::kPathSeparator};
  if (folder.back() != platform::kPathSeparator && folder.back() != '/') folder += platform::kPathSeparator;
  return folder;
}

std::vector<std::string> pictureDatabases(const std::string& folder) {
  std::vector<std::string> names = platform::listDirectory(folder, "QuilloryPic*.pdb");
  std::sort(names.begin(), names.end());
  std::vector<std::string> databases;
  databases.reserve(names.size());
  for (const std::string& name : names) databases.push_back(folder + name);
  return databases;
}

ConsoleReport::ConsoleReport(bool quietSuccess)
    : terminal_(QA_ISATTY(QA_FILENO(stderr)) != 0), quietSuccess_(quietSuccess) {}

void ConsoleReport::message(const std::string& text) {
  if (quietSuccess_ && text.rfind(album::exportmsg::Exported, 0) == 0) return;
  line(text);
}

void ConsoleReport::error(const std::string& text) { line(text); }

void ConsoleReport::progress(size_t done, size_t total) {
  if (!terminal_) return;
  std::cerr << "\rExporting " << done << " of " << total << "..." << std::flush;
  progressShown_ = true;
}

void ConsoleReport::line(const std::string& text) {
  if (progressShown_) std::cerr << "\r\033[K";
  progressShown_ = false;
  std::cerr << text << '\n';
}

std::string countsText(const album::ExportCounts& counts) {
  return std::to_string(counts.exported) + " exported, " + std::to_string(counts.skipped) + " skipped";
}

}  // namespace cli
