// What qalbum export and export-all share: their options, the report that
// prints the engine's messages, and the databases of a backup folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "album/ExportAll.h"
#include "cli/Commands.h"

namespace cli {

// Takes --png, --scale N, --keep-going (and, when `palmFolder` is given,
// --palm-folder DIR) out of `args`, leaving the other arguments in order.
// Returns an error text for a bad option.
std::optional<std::string> takeExportOptions(Args& args, album::ExportOptions& options,
                                             std::optional<std::string>* palmFolder = nullptr);

// Takes "--scale N" out of `args`; an error text when N is not 1 to 8.
std::optional<std::string> takeScale(Args& args, int& scale);

// `folder` with a trailing separator ("." for an empty one).
std::string withSeparator(std::string folder);

// Full paths of the picture databases of `folder`, in name order.
std::vector<std::string> pictureDatabases(const std::string& folder);

// Messages go to standard error one per line; progress shows only on a
// terminal. With `quietSuccess` the engine's success message is left out.
class ConsoleReport : public album::ExportReport {
 public:
  explicit ConsoleReport(bool quietSuccess = false);
  void message(const std::string& text) override;
  void error(const std::string& text) override;
  void progress(size_t done, size_t total) override;

 private:
  void line(const std::string& text);
  bool terminal_;
  bool quietSuccess_;
  bool progressShown_ = false;
};

// "<n> exported, <m> skipped"
std::string countsText(const album::ExportCounts& counts);

}  // namespace cli
