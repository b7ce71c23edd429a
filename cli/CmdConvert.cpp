// qalbum convert PDB OUT: decodes one picture database into a BMP file, exactly
// as Save writes it, or into a PNG image of the same pixels.
#include <algorithm>
#include <cctype>

#include "album/PictureDatabase.h"
#include "album/PictureWriter.h"
#include "cli/Commands.h"
#include "cli/PngWriter.h"
#include "platform/FileWriter.h"

namespace cli {

namespace {

bool endsWithNoCase(const std::string& text, const std::string& suffix) {
  if (text.size() < suffix.size()) return false;
  return std::equal(suffix.begin(), suffix.end(), text.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                    [](char want, char got) { return std::tolower(static_cast<unsigned char>(got)) == want; });
}

}  // namespace

int runConvert(const Args& args) {
  if (args.size() != 2) return fail("Usage: qalbum convert PDB OUT");
  const std::string& out = args[1];
  const bool png = endsWithNoCase(out, ".png");
  if (!png && !endsWithNoCase(out, ".bmp")) return fail("The output file name must end in .bmp or .png");

  const base::Bitmap picture = album::decodePicture(args[0]);
  if (png) {
    const std::vector<uint8_t> image = encodePng(picture);
    platform::writeFileReplacing(out, [&image](base::Stream& s) { s.writeBuffer(image.data(), image.size()); });
  } else {
    album::writePicture(picture, out);
  }
  return 0;
}

}  // namespace cli
