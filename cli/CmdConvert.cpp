// qalbum convert PDB OUT [--scale N]: decodes one picture database into a BMP
// file, exactly as Save writes it, or into a PNG image of the same pixels;
// the file takes the database's date.
#include <algorithm>
#include <cctype>

#include "album/Enlarge.h"
#include "album/PictureDatabase.h"
#include "album/PictureDate.h"
#include "album/PictureWriter.h"
#include "album/PngWriter.h"
#include "album/SafeFile.h"
#include "cli/Commands.h"
#include "cli/ExportSupport.h"

namespace cli {

namespace {

bool endsWithNoCase(const std::string& text, const std::string& suffix) {
  if (text.size() < suffix.size()) return false;
  return std::equal(suffix.begin(), suffix.end(), text.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                    [](char want, char got) { return std::tolower(static_cast<unsigned char>(got)) == want; });
}

}  // namespace

int runConvert(const Args& arguments) {
  Args args = arguments;
  int scale = 1;
  if (const auto error = takeScale(args, scale)) return fail(*error);
  if (args.size() != 2) return fail("Usage: qalbum convert PDB OUT [--scale N]");
  const std::string& out = args[1];
  const bool png = endsWithNoCase(out, ".png");
  if (!png && !endsWithNoCase(out, ".bmp")) return fail("The output file name must end in .bmp or .png");

  const base::Bitmap decoded = album::decodePicture(args[0]);
  const base::Bitmap picture = album::enlarge(decoded, scale);
  if (png) {
    const std::vector<uint8_t> image = album::encodePng(picture);
    album::writeFileReplacing(out, [&image](base::Stream& s) { s.writeBuffer(image.data(), image.size()); });
  } else {
    album::writePicture(picture, out);
  }
  album::stampPictureFile(out, album::databaseFileTime(args[0]));
  return 0;
}

}  // namespace cli
