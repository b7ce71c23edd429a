#include "base/Errors.h"
#include "cli/ExportSupport.h"
#include "cli/Messages.h"

#include <cstdio>
#include <iostream>

#include "album/Enlarge.h"
#include "album/PictureList.h"
#include "platform/Directory.h"
#include "platform/Files.h"

namespace cli {

const Option kPngOption{"--png", nullptr, "writes Pic_<n>.png, the same pixels and palette as the BMP file"};
const Option kScaleOption{"--scale", "N", "enlarges each picture N times (1 to 8) by whole pixels"};
const Option kKeepGoingOption{"--keep-going", nullptr,
                              "skips a database that fails, names it, and ends with \"<n> exported, <m> skipped\""};
const Option kQuietOption{"--quiet", nullptr, "prints only what went wrong, no line for work done", false, "-q"};

int scaleOption(const Invocation& call) {
  const auto value = call.value(kScaleOption.name);
  if (!value) return 1;
  if (value->size() != 1 || (*value)[0] < '1' || (*value)[0] > '0' + album::kMaxScale)
    throw UsageError(base::formatMessage(msg::ScaleRange, {std::to_string(album::kMaxScale), *value}));
  return (*value)[0] - '0';
}

album::ExportOptions exportOptions(const Invocation& call) {
  album::ExportOptions options;
  options.format = call.has(kPngOption.name) ? album::PictureFormat::Png : album::PictureFormat::Bmp;
  options.scale = scaleOption(call);
  options.onFailure = call.has(kKeepGoingOption.name) ? album::OnFailure::NameAndSkip : album::OnFailure::NameAndStop;
  return options;
}

std::vector<std::string> pictureDatabases(const std::string& folder) {
  const std::vector<std::string> names = album::listPictureDatabases(folder);
  std::vector<std::string> databases;
  databases.reserve(names.size());
  for (const std::string& name : names) databases.push_back(folder + name);
  return databases;
}

ConsoleReport::ConsoleReport(bool quietSuccess)
    : terminal_(platform::isTerminal(stderr)), quietSuccess_(quietSuccess) {}

void ConsoleReport::message(const std::string& text) { line(text); }

void ConsoleReport::finished(const std::string& text) {
  if (!quietSuccess_) line(text);
}

void ConsoleReport::error(const std::string& text) { line(text); }

void ConsoleReport::stop(const std::string& text) { line(text); }

void ConsoleReport::progress(size_t done, size_t total) {
  if (!terminal_) return;
  std::cerr << "\rExporting " << done << " of " << total << "..." << std::flush;
  progressShown_ = true;
}

void ConsoleReport::line(const std::string& text) {
  if (progressShown_) std::cerr << "\r\033[K";
  progressShown_ = false;
  printMessage(text);
}

int ConsoleReport::fail(const std::string& text) {
  line(text);
  return 1;
}

std::string countsText(const album::ExportCounts& counts) {
  return std::to_string(counts.exported) + " exported, " + std::to_string(counts.skipped) + " skipped";
}

void printTotals(const Invocation& call, const album::ExportCounts& total) {
  if (!call.has(kKeepGoingOption.name)) return;
  if (call.has(kQuietOption.name) && total.skipped == 0) return;
  printMessage(countsText(total));
}

}  // namespace cli
