// qalbum convert [--format bmp|png] [--scale N] [--size N] PDB OUT: decodes
// one picture database into a BMP file, exactly as Save writes it, or into a
// PNG image of the same pixels; PDB "-" is standard input, OUT "-" standard
// output. A file takes the database's date.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <optional>

#include "album/Enlarge.h"
#include "album/PictureDatabase.h"
#include "album/PictureDate.h"
#include "album/PictureWriter.h"
#include "album/PngWriter.h"
#include "base/Errors.h"
#include "cli/Commands.h"
#include "cli/ExportSupport.h"
#include "cli/Messages.h"
#include "cli/StandardInput.h"
#include "platform/FileWriter.h"
#include "platform/Files.h"

namespace cli {

const Option kSizeOption{"--size", "N", "fits the picture into N x N pixels, enlarged or made smaller by whole "
                                        "pixels (for thumbnails); not with --scale"};

namespace {

// Larger than any picture enlarged the most, and far from overflowing.
constexpr int kMaxSize = 65535;

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

// The database at `path` ("-": standard input), its picture decoded into
// `picture`; a failure names the database first, as info does.
std::unique_ptr<album::PictureDatabase> decodeNamed(const std::string& path, base::Bitmap& picture) {
  try {
    std::unique_ptr<album::PictureDatabase> database = openDatabase(path);
    if (!album::decodeDatabase(*database, picture)) throw album::EInvalidDatabase();
    return database;
  } catch (const std::exception& e) {
    throw base::Exception(path + ": " + e.what());
  }
}

// --size N, for a thumbnail: the picture fitted into N x N pixels.
std::optional<int> sizeOption(const Invocation& call) {
  const auto value = call.value(kSizeOption.name);
  if (!value) return std::nullopt;
  int size = 0;
  const char* end = value->data() + value->size();
  const auto [stop, error] = std::from_chars(value->data(), end, size);
  if (error != std::errc() || stop != end || size < 1 || size > kMaxSize)
    throw UsageError(base::formatMessage(msg::SizeRange, {std::to_string(kMaxSize), *value}));
  return size;
}

}  // namespace

int runConvert(const Invocation& call) {
  const std::string& out = call.args[1];
  const std::string format = outputFormat(call, out);
  // A picture's bytes would only garble the terminal.
  if (out == "-" && platform::isTerminal(stdout)) throw UsageError(msg::StdoutIsTerminal);
  const std::optional<int> size = sizeOption(call);
  if (size && call.has(kScaleOption.name)) throw UsageError(msg::ScaleOrSize);
  const int scale = scaleOption(call);
  checkStandardInputIfNamed({call.args[0]});

  base::Bitmap picture;
  const std::unique_ptr<album::PictureDatabase> database = decodeNamed(call.args[0], picture);
  picture = size ? album::fitWithin(picture, *size) : album::enlarge(picture, scale);
  const std::vector<uint8_t> bytes =
      format == "png" ? album::encodePng(picture, album::pngInfo(*database)) : picture.toBmp();
  if (out == "-") {
    writeToStdout(bytes);
    return 0;
  }
  if (format == "png") {
    platform::writeFileReplacing(out, [&bytes](base::Stream& s) { s.writeBuffer(bytes.data(), bytes.size()); });
  } else {
    album::writePicture(picture, out);
  }
  album::stampPictureFile(out, album::pictureFileTime(*database));
  return 0;
}

}  // namespace cli
