// What qalbum export and export-all share: their options, the report that
// prints the engine's messages, and the databases of a backup folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "album/ExportAll.h"
#include "cli/Commands.h"

namespace cli {

// The options --png, --scale N, --keep-going and --quiet that export commands share.
extern const Option kPngOption, kScaleOption, kKeepGoingOption, kQuietOption;

// The export options of a command line; failures are named by their file.
album::ExportOptions exportOptions(const Invocation& call);

// --scale N, 1 without it; UsageError when N is not 1 to 8.
int scaleOption(const Invocation& call);

// Full paths of the picture databases of `folder`, in the order the window
// lists them; raises when the folder cannot be read.
std::vector<std::string> pictureDatabases(const std::string& folder);

// Messages go to standard error one per line; progress shows only on a
// terminal. With `quietSuccess` the success message is left out.
class ConsoleReport : public album::ExportReport {
 public:
  explicit ConsoleReport(bool quietSuccess = false);
  void message(const std::string& text) override;
  void finished(const std::string& text) override;
  void error(const std::string& text) override;
  void stop(const std::string& text) override;
  void progress(size_t done, size_t total) override;
  // Prints an error raised below the report, after ending the progress line; returns 1.
  int fail(const std::string& text);

 private:
  void line(const std::string& text);
  bool terminal_;
  bool quietSuccess_;
  bool progressShown_ = false;
};

// "<n> exported, <m> skipped"
std::string countsText(const album::ExportCounts& counts);

// The closing "<n> exported, <m> skipped" of --keep-going on standard error;
// with --quiet only when something was skipped.
void printTotals(const Invocation& call, const album::ExportCounts& total);

}  // namespace cli
