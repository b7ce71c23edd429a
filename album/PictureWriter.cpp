#include "album/PictureWriter.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "album/Enlarge.h"
#include "album/PictureDate.h"
#include "album/PngWriter.h"
#include "platform/FileWriter.h"

namespace album {

namespace {

bool endsWithNoCase(const std::string& text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         std::equal(suffix.rbegin(), suffix.rend(), text.rbegin(), [](char want, char got) {
           return std::tolower(static_cast<unsigned char>(got)) == want;
         });
}

std::vector<uint8_t> encode(const base::Bitmap& picture, PictureFormat format, const PngInfo& info) {
  return format == PictureFormat::Png ? encodePng(picture, info) : picture.toBmp();
}

}  // namespace

std::optional<PictureFormat> formatNamedBy(const std::string& path) {
  for (PictureFormat format : {PictureFormat::Bmp, PictureFormat::Png})
    if (endsWithNoCase(path, extensionOf(format))) return format;
  return std::nullopt;
}

const char* extensionOf(PictureFormat format) { return format == PictureFormat::Png ? ".png" : ".bmp"; }

std::vector<uint8_t> pictureFileBytes(const base::Bitmap& picture, PictureFormat format, const PngInfo& info,
                                      int scale) {
  return scale > 1 ? encode(enlarge(picture, scale), format, info) : encode(picture, format, info);
}

void writePictureFile(const std::string& path, const std::vector<uint8_t>& bytes, std::optional<int64_t> fileTime) {
  platform::writeFileReplacing(path, [&bytes](base::Stream& out) { out.writeBuffer(bytes.data(), bytes.size()); });
  stampPictureFile(path, fileTime);
}

void writePicture(const base::Bitmap& picture, const std::string& path, const PngInfo& info) {
  writePictureFile(path, pictureFileBytes(picture, formatNamedBy(path).value_or(PictureFormat::Bmp), info),
                   info.modified);
}

}  // namespace album
