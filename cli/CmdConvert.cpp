// qalbum convert [--format bmp|png] [--scale N] [--size N] PDB OUT: decodes
// one picture database into a BMP file, exactly as Save writes it, or into a
// PNG image of the same pixels; PDB "-" is standard input, OUT "-" standard
// output. A file takes the database's date.
#include <charconv>
#include <cstdio>
#include <iostream>
#include <optional>

#include "album/Enlarge.h"
#include "album/PictureDatabase.h"
#include "album/PictureDate.h"
#include "album/PictureWriter.h"
#include "base/Errors.h"
#include "cli/Commands.h"
#include "cli/ExportSupport.h"
#include "cli/Messages.h"
#include "cli/StandardInput.h"
#include "platform/Files.h"

namespace cli {

const Option kSizeOption{"--size", "N", "fits the picture into N x N pixels, enlarged or made smaller by whole "
                                        "pixels (for thumbnails); not with --scale"};

namespace {

// Larger than any picture enlarged the most, and far from overflowing.
constexpr int kMaxSize = 65535;

// The --format option ("bmp" or "png"), else OUT's extension.
album::PictureFormat outputFormat(const Invocation& call, const std::string& out) {
  if (const auto format = call.value("--format"))
    return *format == "png" ? album::PictureFormat::Png : album::PictureFormat::Bmp;
  if (out == "-") throw UsageError(msg::StdoutNeedsFormat);
  if (const auto format = album::formatNamedBy(out)) return *format;
  throw UsageError(msg::OutputExtension);
}

// A write that fails is reported once, with every other output failure, as the program ends.
void writeToStdout(const std::vector<uint8_t>& bytes) {
  platform::setBinaryMode(stdout);
  std::cout.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The picture of the database at `path` ("-": standard input) and its info; a
// failure names the database first, as info does.
album::PictureAndInfo decodeNamed(const std::string& path) {
  album::PictureAndInfo decoded;
  try {
    if (!album::decodeDatabaseAndInfo(*openDatabase(path), decoded)) throw album::EInvalidDatabase();
  } catch (const std::exception& e) {
    throw base::Exception(path + ": " + e.what());
  }
  return decoded;
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
  const album::PictureFormat format = outputFormat(call, out);
  // A picture's bytes would only garble the terminal.
  if (out == "-" && platform::isTerminal(stdout)) throw UsageError(msg::StdoutIsTerminal);
  const std::optional<int> size = sizeOption(call);
  if (size && call.has(kScaleOption.name)) throw UsageError(msg::ScaleOrSize);
  const int scale = scaleOption(call);
  checkStandardInputIfNamed({call.args[0]});

  album::PictureAndInfo decoded = decodeNamed(call.args[0]);
  if (size) decoded.picture = album::fitWithin(decoded.picture, *size);
  const std::vector<uint8_t> bytes = album::pictureFileBytes(decoded.picture, format, decoded.info, scale);
  if (out == "-")
    writeToStdout(bytes);
  else
    album::writePictureFile(out, bytes, decoded.info.modified);
  return 0;
}

}  // namespace cli
