// The pictures of an export written under temporary names, then named
// together with the lowest free numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "album/ExportAll.h"
#include "album/ExportBatch.h"
#include "base/Bitmap.h"
#include "platform/FileWriter.h"

namespace album {

// ".png" or ".bmp", as the export writes.
inline std::string extensionOf(const ExportOptions& options) { return options.png ? ".png" : ".bmp"; }

// Pictures written but not yet named. They are flushed to disk together with
// one call and then take the lowest free numbers in order, moving on when a
// name was taken by someone else since the folder was read; each named file
// then takes its database's date and counts in `named`. A picture that finds
// no free name is not counted.
class PendingPictures {
 public:
  static constexpr size_t kBatch = 32;

  PendingPictures(const std::string& folder, ExportNumbers& numbers, const ExportOptions& options, size_t& named)
      : folder_(folder), numbers_(numbers), options_(options), named_(named) {}

  bool full() const { return files_.size() >= kBatch; }

  // Writes the picture (or its PNG data, png) under a temporary name; false when no number is left for it.
  bool add(const base::Bitmap& picture, std::optional<int64_t> fileTime, const EncodedPng* png);

  // Flushes and names every pending picture; false when the numbers ran out.
  bool nameAll();

 private:
  struct Pending {
    std::unique_ptr<platform::FileWriter> file;
    std::optional<int64_t> fileTime;
  };

  std::string fileName(int number) const { return ExportNumbers::fileName(number, extensionOf(options_)); }

  bool takeLowestFreeName(Pending& pending);

  const std::string& folder_;
  ExportNumbers& numbers_;
  const ExportOptions& options_;
  size_t& named_;
  std::vector<Pending> files_;
};

}  // namespace album
