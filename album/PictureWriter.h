// Writing a decoded picture as a picture file: a BMP file laid out exactly as
// its template, or a PNG image of the same pixels and palette.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "album/PngWriter.h"
#include "base/Bitmap.h"

namespace album {

enum class PictureFormat { Bmp, Png };

// The format a file name's extension names, in any case: ".bmp" or ".png";
// none for any other name.
std::optional<PictureFormat> formatNamedBy(const std::string& path);
// ".bmp" or ".png".
const char* extensionOf(PictureFormat format);

// The whole file of `picture` in `format`, every pixel repeated `scale` times
// across and down (1 to kMaxScale); a PNG file records `info`.
std::vector<uint8_t> pictureFileBytes(const base::Bitmap& picture, PictureFormat format, const PngInfo& info,
                                      int scale = 1);

// Writes a picture file's bytes to `path` through platform::FileWriter,
// replacing an existing file without asking, then gives it `fileTime` when
// there is one. Raises "Cannot create file "%s". %s" when the file cannot be
// written; an existing file is then left as it was.
void writePictureFile(const std::string& path, const std::vector<uint8_t>& bytes, std::optional<int64_t> fileTime);
// The same for a picture, in the format its name names (BMP for any other
// name), the file taking the date `info` holds.
void writePicture(const base::Bitmap& picture, const std::string& path, const PngInfo& info = {});

}  // namespace album
