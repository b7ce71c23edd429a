// The graphics stream format, byte for byte, and how the reader meets bad input.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/Bitmap.h"
#include "base/Stream.h"
#include "skin/VsGraphics.h"
#include "support/Pictures.h"

using namespace skin;
using Bytes = std::vector<uint8_t>;

namespace {

void add(TVsGraphics& g, const std::string& name, const base::Bitmap& bitmap) {
  TVsGraphic entry;
  entry.SetName(name);
  entry.Bitmap() = bitmap;
  g.Add(&entry);
}

Bytes save(const TVsGraphics& g) {
  base::MemoryStream s;
  g.SaveToStream(s);
  return s.bytes();
}

void append(Bytes& out, std::initializer_list<uint8_t> bytes) { out.insert(out.end(), bytes); }
void appendI32(Bytes& out, int32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
}
void appendText(Bytes& out, const std::string& s) { out.insert(out.end(), s.begin(), s.end()); }
Bytes header(int32_t count) {
  Bytes b = {0xB6, 0xFD, 0xB2, 0x04};
  appendI32(b, count);
  return b;
}

// Loads bytes into g and returns the error text, or "" on success.
std::string load(TVsGraphics& g, const Bytes& bytes) {
  base::MemoryStream s(bytes);
  try {
    g.LoadFromStream(s);
  } catch (const std::exception& e) {
    return e.what();
  }
  return "";
}

}  // namespace

TEST(GraphicsStream, EmptyCollectionIsEightBytesBothWays) {
  TVsGraphics g;
  EXPECT_EQ(save(g), (Bytes{0xB6, 0xFD, 0xB2, 0x04, 0, 0, 0, 0}));
  add(g, "x", {});
  EXPECT_EQ(load(g, header(0)), "");
  EXPECT_EQ(g.Count(), 0);
}

TEST(GraphicsStream, EntriesAreLaidOutInOrderAndReadBack) {
  TVsGraphics g;
  const base::Bitmap small = testsupport::patternedBitmap(3, 2);
  add(g, "Ab", small);
  add(g, "", {});             // empty name after a named entry
  add(g, "e", {});            // empty bitmap: name then the single byte 1
  add(g, "", testsupport::patternedBitmap(1, 1, 9));

  Bytes expected = header(4);
  appendI32(expected, 2);
  appendText(expected, "Ab");
  append(expected, {0});
  const Bytes image = small.toBmp();
  expected.insert(expected.end(), image.begin(), image.end());
  appendI32(expected, 0);
  append(expected, {1});
  appendI32(expected, 1);
  appendText(expected, "e");
  append(expected, {1});
  appendI32(expected, 0);
  append(expected, {0});
  const Bytes image2 = testsupport::patternedBitmap(1, 1, 9).toBmp();
  expected.insert(expected.end(), image2.begin(), image2.end());
  EXPECT_EQ(save(g), expected);

  TVsGraphics back;
  ASSERT_EQ(load(back, expected), "");
  ASSERT_EQ(back.Count(), 4);
  EXPECT_EQ(back.Items(0)->Name(), "Ab");
  EXPECT_EQ(back.Items(0)->Bitmap(), small);
  EXPECT_EQ(back.Items(1)->Name(), "");
  EXPECT_TRUE(back.Items(1)->Bitmap().empty());
  EXPECT_EQ(back.Items(2)->Name(), "e");
  EXPECT_TRUE(back.Items(2)->Bitmap().empty());
  EXPECT_EQ(back.Items(3)->Bitmap(), testsupport::patternedBitmap(1, 1, 9));
  EXPECT_EQ(save(back), expected);
}

TEST(GraphicsStream, AboutBoxPictureIsTheWorkedExample) {
  TVsGraphics g;
  add(g, "About1.bmp", testsupport::patternedBitmap(200, 220));
  const Bytes bytes = save(g);
  ASSERT_EQ(bytes.size(), 132077u);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 12), (Bytes{0xB6, 0xFD, 0xB2, 0x04, 1, 0, 0, 0, 10, 0, 0, 0}));
  EXPECT_EQ(std::string(bytes.begin() + 12, bytes.begin() + 22), "About1.bmp");
  EXPECT_EQ(bytes[22], 0);
  EXPECT_EQ(bytes[23], 'B');
  EXPECT_EQ(bytes[24], 'M');
  uint32_t imageSize = 0;
  std::memcpy(&imageSize, &bytes[25], 4);
  EXPECT_EQ(imageSize, 132054u);
}

TEST(GraphicsStream, BadSignatureAndCounts) {
  TVsGraphics g;
  add(g, "kept?", {});
  EXPECT_EQ(load(g, Bytes{0x04, 0xB2, 0xFD, 0xB6, 0, 0, 0, 0}), "Invalid file format.");
  EXPECT_EQ(g.Count(), 0);  // cleared before the signature was checked

  add(g, "x", {});
  EXPECT_EQ(load(g, header(-1)), "");
  EXPECT_EQ(g.Count(), 0);
  EXPECT_EQ(load(g, header(INT32_MIN)), "Integer overflow");
  EXPECT_EQ(load(g, header(INT32_MAX)), "Invalid file format.");  // runs out of bytes at once
}

TEST(GraphicsStream, StreamEndingInsideAnOwnFieldIsInvalid) {
  Bytes full = header(2);
  appendI32(full, 3);
  appendText(full, "one");
  append(full, {1});
  appendI32(full, 3);
  appendText(full, "two");
  append(full, {1});
  const size_t secondEntry = 8 + 8;
  // Every cut inside the reader's own fields fails; the entries before the cut stay.
  for (size_t cut = 0; cut < full.size(); ++cut) {
    TVsGraphics g;
    EXPECT_EQ(load(g, Bytes(full.begin(), full.begin() + cut)), "Invalid file format.") << cut;
    EXPECT_EQ(g.Count(), cut >= secondEntry ? 1 : 0) << cut;
  }
  TVsGraphics g;
  EXPECT_EQ(load(g, full), "");
  EXPECT_EQ(g.Count(), 2);

  // A name length far beyond the stream is refused before anything is allocated.
  Bytes huge = header(1);
  appendI32(huge, INT32_MAX);
  EXPECT_EQ(load(g, huge), "Invalid file format.");
}

TEST(GraphicsStream, ImagesAreReadAsTheBitmapReaderDoes) {
  const Bytes image = testsupport::patternedBitmap(4, 3).toBmp();
  auto oneImage = [&](const Bytes& bmp, uint8_t flag = 0) {
    Bytes b = header(1);
    appendI32(b, 1);
    appendText(b, "p");
    b.push_back(flag);
    b.insert(b.end(), bmp.begin(), bmp.end());
    return b;
  };
  TVsGraphics g;
  Bytes notBm = image;
  notBm[0] = 'X';
  EXPECT_EQ(load(g, oneImage(notBm)), "Bitmap image is not valid");
  EXPECT_EQ(g.Count(), 0);
  EXPECT_EQ(load(g, oneImage(Bytes(image.begin(), image.begin() + 30))), "Stream read error");

  // Pixel rows cut short are read with what is there.
  EXPECT_EQ(load(g, oneImage(Bytes(image.begin(), image.end() - 5))), "");
  ASSERT_EQ(g.Count(), 1);
  EXPECT_EQ(g.Items(0)->Bitmap().width(), 4);

  // A flag 0 at the very end gives an empty bitmap; any flag but 0 means empty.
  EXPECT_EQ(load(g, oneImage({})), "");
  EXPECT_TRUE(g.Items(0)->Bitmap().empty());
  Bytes flag7 = oneImage({}, 7);
  appendI32(flag7, 0);
  flag7[4] = 2;
  append(flag7, {1});
  EXPECT_EQ(load(g, flag7), "");
  EXPECT_EQ(g.Count(), 2);

  // Headers that claim more than memory can hold are refused, not allocated.
  Bytes giant = image;
  const int32_t side = 30000;
  std::memcpy(&giant[18], &side, 4);
  std::memcpy(&giant[22], &side, 4);
  EXPECT_EQ(load(g, oneImage(giant)), "Bitmap image is not valid");
}
