// qalbum convert [--format bmp|png] [--scale N] PDB OUT: decodes one picture
// database into a BMP file, exactly as Save writes it, or into a PNG image of
// the same pixels; OUT "-" is standard output. A file takes the database's date.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iostream>

#include "album/Enlarge.h"
#include "album/PictureDatabase.h"
#include "album/PictureDate.h"
#include "album/PictureWriter.h"
#include "album/PngWriter.h"
#include "base/Errors.h"
#include "cli/Commands.h"
#include "cli/ExportSupport.h"
#include "cli/Messages.h"
#include "platform/FileWriter.h"
#include "platform/Files.h"

namespace cli {

namespace {

bool endsWithNoCase(const std::string& text, const std::string& suffix) {
  if (text.size() < suffix.size()) return false;
  return std::equal(suffix.begin(), suffix.end(), text.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                    [](char want, char got) { return std::tolower(static_cast<unsigned char>(got)) == want; });
}

// "bmp" or "png": the --format option, else OUT's extension.
std::string outputFormat(const Invocation& call, const std::string& out) {
  if (const auto format = call.value("--format")) return *format;
  if (out == "-") throw UsageError(msg::StdoutNeedsFormat);
  if (endsWithNoCase(out, ".png")) return "png";
  if (endsWithNoCase(out, ".bmp")) return "bmp";
  throw UsageError(msg::OutputExtension);
}

// A write that fails is reported once, with every other output failure, as the program ends.
void writeToStdout(const std::vector<uint8_t>& bytes) {
  platform::setBinaryMode(stdout);
  std::cout.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The picture of the database at `path`; a failure names the database first, as info does.
base::Bitmap decodeNamed(const std::string& path) {
  try {
    return album::decodePicture(path);
  } catch (const std::exception& e) {
    throw base::Exception(path + ": " + e.what());
  }
}

}  // namespace

int runConvert(const Invocation& call) {
  const std::string& out = call.args[1];
  const std::string format = outputFormat(call, out);
  // A picture's bytes would only garble the terminal.
  if (out == "-" && platform::isTerminal(stdout)) throw UsageError(msg::StdoutIsTerminal);

  const int scale = scaleOption(call);
  const base::Bitmap picture = album::enlarge(decodeNamed(call.args[0]), scale);
  const std::vector<uint8_t> bytes =
      format == "png" ? album::encodePng(picture, album::databasePngInfo(call.args[0])) : picture.toBmp();
  if (out == "-") {
    writeToStdout(bytes);
    return 0;
  }
  if (format == "png") {
    platform::writeFileReplacing(out, [&bytes](base::Stream& s) { s.writeBuffer(bytes.data(), bytes.size()); });
  } else {
    album::writePicture(picture, out);
  }
  album::stampPictureFile(out, album::databaseFileTime(call.args[0]));
  return 0;
}

}  // namespace cli
