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
#include "platform/FileWriter.h"

namespace album {

// Picture files written but not yet named. They are flushed to disk together
// with one call and then take the lowest free numbers in order, moving on when
// a name was taken by someone else since the folder was read; each named file
// then takes its database's date and counts in `named`. A picture that finds
// no free name is not counted.
class PendingPictures {
 public:
  PendingPictures(const std::string& folder, ExportNumbers& numbers, PictureFormat format, size_t& named)
      : folder_(folder), numbers_(numbers), format_(format), named_(named) {}

  // Writes a picture file's bytes under a temporary name; false when no number is left for it.
  bool add(const std::vector<uint8_t>& bytes, std::optional<int64_t> fileTime);

  // Flushes and names every pending picture; false when the numbers ran out.
  bool nameAll();

 private:
  struct Pending {
    std::unique_ptr<platform::FileWriter> file;
    std::optional<int64_t> fileTime;
  };

  std::string fileName(int number) const { return ExportNumbers::fileName(number, extensionOf(format_)); }

  bool takeLowestFreeName(Pending& pending);

  const std::string& folder_;
  ExportNumbers& numbers_;
  const PictureFormat format_;
  size_t& named_;
  std::vector<Pending> files_;
};

}  // namespace album
