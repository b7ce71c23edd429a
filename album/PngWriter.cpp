#include "album/PngWriter.h"

#ifdef QA_HAVE_ZLIB
#include <zlib.h>
#endif

#include <algorithm>
#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>

#include "album/PictureDate.h"
#include "base/ByteOrder.h"
#include "base/Text.h"

namespace album {

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t kBitDepth = 8;
constexpr uint8_t kColourTypePalette = 3;
constexpr uint8_t kFilterNone = 0;

void putU32BE(std::vector<uint8_t>& out, uint32_t v) {
  uint8_t bytes[4];
  base::storeBE32(bytes, v);
  out.insert(out.end(), bytes, bytes + 4);
}

#ifdef QA_HAVE_ZLIB
uint32_t checksum(const uint8_t* data, size_t n) { return static_cast<uint32_t>(crc32(0L, data, static_cast<uInt>(n))); }

// One compressor per thread, reset for each picture: setting up zlib's half a
// megabyte of tables costs more than compressing a small picture.
class Compressor {
 public:
  Compressor() {
    if (deflateInit2(&stream_, Z_BEST_COMPRESSION, Z_DEFLATED, 15, 9, Z_DEFAULT_STRATEGY) != Z_OK)
      throw std::runtime_error("Out of memory");
  }
  ~Compressor() { deflateEnd(&stream_); }
  Compressor(const Compressor&) = delete;
  Compressor& operator=(const Compressor&) = delete;

  std::vector<uint8_t> deflate(const std::vector<uint8_t>& raw) {
    deflateReset(&stream_);
    std::vector<uint8_t> packed(deflateBound(&stream_, static_cast<uLong>(raw.size())));
    stream_.next_in = const_cast<Bytef*>(raw.data());
    stream_.avail_in = static_cast<uInt>(raw.size());
    stream_.next_out = packed.data();
    stream_.avail_out = static_cast<uInt>(packed.size());
    if (::deflate(&stream_, Z_FINISH) != Z_STREAM_END) throw std::runtime_error("Out of memory");
    packed.resize(packed.size() - stream_.avail_out);
    return packed;
  }

 private:
  z_stream stream_{};
};

std::vector<uint8_t> deflate(const std::vector<uint8_t>& raw) {
  thread_local Compressor compressor;
  return compressor.deflate(raw);
}
#else
// Without zlib (the Windows cross build) the image data goes into stored,
// uncompressed deflate blocks: a larger file, but the same pixels.
uint32_t checksum(const uint8_t* data, size_t n) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = 0; i < n; ++i) c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::vector<uint8_t> deflate(const std::vector<uint8_t>& raw) {
  std::vector<uint8_t> out = {0x78, 0x01};  // zlib header: deflate, 32K window, no dictionary
  constexpr size_t kBlock = 65535;
  size_t at = 0;
  do {
    const size_t n = std::min(kBlock, raw.size() - at);
    const bool last = at + n == raw.size();
    out.insert(out.end(), {static_cast<uint8_t>(last ? 1 : 0), static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8),
                           static_cast<uint8_t>(~n), static_cast<uint8_t>(~n >> 8)});
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at), raw.begin() + static_cast<std::ptrdiff_t>(at + n));
    at += n;
  } while (at < raw.size());
  uint32_t a = 1, b = 0;
  for (uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  putU32BE(out, (b << 16) | a);
  return out;
}
#endif

// Appends one chunk: length, type, data and the CRC over type and data.
void putChunk(std::vector<uint8_t>& out, const char (&type)[5], const std::vector<uint8_t>& data) {
  putU32BE(out, static_cast<uint32_t>(data.size()));
  const size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  putU32BE(out, checksum(out.data() + typeAt, out.size() - typeAt));
}

std::vector<uint8_t> header(const base::Bitmap& picture) {
  std::vector<uint8_t> data;
  putU32BE(data, static_cast<uint32_t>(picture.width()));
  putU32BE(data, static_cast<uint32_t>(picture.height()));
  data.insert(data.end(), {kBitDepth, kColourTypePalette, 0, 0, 0});  // deflate, adaptive filters, no interlace
  return data;
}

std::vector<uint8_t> palette(const base::Bitmap& picture) {
  std::vector<uint8_t> data;
  for (const base::RGBQuad& q : picture.palette()) data.insert(data.end(), {q.red, q.green, q.blue});
  return data;
}

// Rows top to bottom, each after a filter-type byte.
std::vector<uint8_t> compressedRows(const base::Bitmap& picture) {
  const size_t width = static_cast<size_t>(picture.width());
  std::vector<uint8_t> raw;
  raw.reserve((width + 1) * static_cast<size_t>(picture.height()));
  for (int y = 0; y < picture.height(); ++y) {
    raw.push_back(kFilterNone);
    raw.insert(raw.end(), picture.scanLine(y), picture.scanLine(y) + width);
  }
  return deflate(raw);
}

std::vector<uint8_t> timeChunk(int64_t unixSeconds) {
  const CivilTime t = civilTime(unixSeconds);
  return {static_cast<uint8_t>(t.year >> 8), static_cast<uint8_t>(t.year), static_cast<uint8_t>(t.month),
          static_cast<uint8_t>(t.day), static_cast<uint8_t>(t.hour), static_cast<uint8_t>(t.minute),
          static_cast<uint8_t>(t.second)};
}

// UTF-8 text as Latin-1 bytes; nullopt when it holds a character beyond U+00FF.
std::optional<std::string> latin1(const std::string& utf8) {
  std::string bytes;
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      bytes += static_cast<char>(c);
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
      bytes += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
    } else {
      return std::nullopt;
    }
  }
  return bytes;
}

// A text chunk: tEXt when the text is Latin-1, else iTXt holding UTF-8.
// Control characters are written as escapes, which neither chunk allows.
void putText(std::vector<uint8_t>& out, const std::string& keyword, const std::string& utf8) {
  if (utf8.empty()) return;
  const std::string text = base::escapeControls(utf8);
  std::vector<uint8_t> data(keyword.begin(), keyword.end());
  data.push_back(0);
  if (const auto bytes = latin1(text)) {
    data.insert(data.end(), bytes->begin(), bytes->end());
    putChunk(out, "tEXt", data);
    return;
  }
  data.insert(data.end(), {0, 0, 0, 0});  // not compressed, no language, no translated keyword
  data.insert(data.end(), text.begin(), text.end());
  putChunk(out, "iTXt", data);
}

}  // namespace

std::vector<uint8_t> encodePng(const base::Bitmap& picture, const PngInfo& info) {
  if (picture.format() != base::PixelFormat::Indexed8 || picture.empty() || picture.palette().empty())
    throw std::invalid_argument("Only 8-bit palettised pictures can be written as PNG");
  std::vector<uint8_t> png(std::begin(kSignature), std::end(kSignature));
  putChunk(png, "IHDR", header(picture));
  putChunk(png, "PLTE", palette(picture));
  if (info.modified) putChunk(png, "tIME", timeChunk(*info.modified));
  putText(png, "Title", info.title);
  putText(png, "Author", info.author);
  if (info.created) putText(png, "Creation Time", rfc1123Time(*info.created));
  putChunk(png, "IDAT", compressedRows(picture));
  putChunk(png, "IEND", {});
  return png;
}

}  // namespace album
