// qalbum run as a real program on real files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "tools/DatabaseBuilder.h"
#include "album/PictureDatabase.h"
#include "support/Qalbum.h"
#include "support/TempDir.h"
#include "support/Pictures.h"
#include "support/PngFile.h"

using testsupport::TempDir;

namespace {

using Outcome = testsupport::ProgramRun;
using testsupport::qalbum;

}  // namespace

TEST(Qalbum, ConvertWritesTheSameBytesAsSaveAndTheSamePixelsAsPng) {
  TempDir dir;
  const std::vector<uint8_t> db = album::buildPictureDatabase("QuilloryPicStripes", testsupport::pixelPattern(89600));
  const std::string pdb = dir.write("QuilloryPicStripes.pdb", db);
  const base::Bitmap picture = album::decodePicture(db.data(), db.size());

  Outcome bmp = qalbum(dir, {"convert", pdb, dir.path("out.bmp")});
  EXPECT_EQ(bmp.status, 0);
  EXPECT_EQ(bmp.err, "");
  EXPECT_EQ(TempDir::read(dir.path("out.bmp")), picture.toBmp());

  Outcome png = qalbum(dir, {"convert", pdb, dir.path("out.PNG")});
  EXPECT_EQ(png.status, 0);
  const std::vector<uint8_t> pngFile = TempDir::read(dir.path("out.PNG"));
  const testsupport::PngFile image = testsupport::readPng(pngFile);
  EXPECT_TRUE(image.signatureGood);
  EXPECT_TRUE(image.crcsGood);
  EXPECT_EQ(image.depth, 8);
  EXPECT_EQ(image.colourType, 3);  // palettised
  EXPECT_TRUE(testsupport::samePixels(testsupport::pngPicture(image), picture));

  // "-" is standard output, in the format the option names whatever OUT would say.
  Outcome piped = qalbum(dir, {"convert", "--format", "png", pdb, "-"});
  EXPECT_EQ(piped.status, 0);
  EXPECT_EQ(piped.out, std::string(pngFile.begin(), pngFile.end()));
  piped = qalbum(dir, {"convert", pdb, "--format=bmp", "-"});
  const std::vector<uint8_t> bmpFile = picture.toBmp();
  EXPECT_EQ(piped.out, std::string(bmpFile.begin(), bmpFile.end()));
}

TEST(Qalbum, FailuresNameTheDatabaseAndLeaveOutUntouched) {
  TempDir dir;
  const std::vector<uint8_t> old{1, 2, 3};
  const std::string out = dir.write("out.bmp", old);

  std::vector<uint8_t> wrongName = album::buildPictureDatabase("quilloryPicX", testsupport::pixelPattern(22400));
  // A database that fails is named, as info names it.
  const std::string a = dir.write("a.pdb", wrongName);
  Outcome r = qalbum(dir, {"convert", a, out});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, a + ": Invalid database file!\n");

  std::vector<uint8_t> oneShort = album::buildPictureDatabase("QuilloryPicX", {});
  oneShort.pop_back();
  const std::string b = dir.write("b.pdb", oneShort);
  r = qalbum(dir, {"convert", b, out});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, b + ": Stream write error\n");

  oneShort.resize(50);
  const std::string c = dir.write("c.pdb", oneShort);
  r = qalbum(dir, {"convert", c, out});
  EXPECT_EQ(r.err, c + ": Stream read error\n");

  const std::string none = dir.path("none.pdb");
  r = qalbum(dir, {"convert", none, out});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, none + ": Cannot open file \"" + none + "\". No such file or directory.\n");

  const std::string good = dir.write("g.pdb", album::buildPictureDatabase("QuilloryPicG", testsupport::pixelPattern(100)));
  r = qalbum(dir, {"convert", good, dir.path("out.gif")});
  EXPECT_EQ(r.status, 2);
  r = qalbum(dir, {"convert", good, dir.path("no/such/folder.bmp")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("Cannot create file \"" + dir.path("no/such/folder.bmp") + "\". ", 0), 0u) << r.err;

  EXPECT_EQ(TempDir::read(out), old);
  std::vector<std::string> names = dir.entries();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.pdb", "b.pdb", "c.pdb", "g.pdb", "out.bmp"}));
}

TEST(Qalbum, InfoPrintsOneBlockPerFileAndGoesOnAfterAFailure) {
  TempDir dir;
  std::vector<uint8_t> many = album::buildPictureDatabase("QuilloryPicMany", testsupport::pixelPattern(24000));
  many[76] = 1;
  many[77] = 0;  // 256 records: the pixels start at 2128
  const std::string a = dir.write("a.pdb", many);
  const std::string b = dir.write("b.pdb", album::buildPictureDatabase("NotAPicture", testsupport::pixelPattern(10)));
  const std::string c = dir.write("c.pdb", album::buildPictureDatabase("QuilloryPicSmall", testsupport::pixelPattern(22400)));

  Outcome r = qalbum(dir, {"info", a, b, c});
  const char* dates = "  created: 2003-06-01 00:00:00 UTC\n  modified: 2003-06-01 00:00:00 UTC\n  type: Pict\n  creator: Qlry\n";
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, b + ": Invalid database file!\n");
  std::ostringstream expected;
  expected << a << "\n  name: QuilloryPicMany\n  records: 256\n  file size: 24088 bytes\n"
           << "  picture size: 320 x 280\n  pixel bytes: 21960\n" << dates << "\n"
           << c << "\n  name: QuilloryPicSmall\n  records: 1\n  file size: 22488 bytes\n"
           << "  picture size: 160 x 140\n  pixel bytes: 22400\n" << dates;
  EXPECT_EQ(r.out, expected.str());
  EXPECT_EQ(qalbum(dir, {"info", c}).status, 0);
}

TEST(Qalbum, DashReadsTheDatabaseFromStandardInput) {
  TempDir dir;
  const std::string pdb = dir.write("QuilloryPicPiped.pdb", album::buildPictureDatabase("QuilloryPicPiped", testsupport::pixelPattern(22400)));
  const std::string fromPipe = "cat " + testsupport::shellQuoted(pdb) + " |";

  // A pipe has no size to ask for: the file is the one its name gives, with the database's date.
  Outcome r = qalbum(dir, {"convert", "-", dir.path("piped.bmp")}, {.shellPrefix = fromPipe});
  EXPECT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(qalbum(dir, {"convert", pdb, dir.path("named.bmp")}).status, 0);
  EXPECT_EQ(TempDir::read(dir.path("piped.bmp")), TempDir::read(dir.path("named.bmp")));
  EXPECT_EQ(std::filesystem::last_write_time(dir.path("piped.bmp")),
            std::filesystem::last_write_time(dir.path("named.bmp")));

  // Every byte counts for the picture size, also those far past the pixels read.
  const std::string longer = "{ cat " + testsupport::shellQuoted(pdb) + "; head -c 3000000 /dev/zero; } |";
  r = qalbum(dir, {"info", "-"}, {.shellPrefix = longer});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find("  pixel bytes")),
            "-\n  name: QuilloryPicPiped\n  records: 1\n  file size: 3022488 bytes\n  picture size: 320 x 280\n");

  const std::string other = dir.write("other.pdb", album::buildPictureDatabase("NotAPicture", testsupport::pixelPattern(100)));
  r = qalbum(dir, {"convert", "--format", "png", "-", "-"}, {.stdinFrom = other});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "-: Invalid database file!\n");  // named first, as any failing database
  EXPECT_EQ(r.out, "");
}

TEST(Qalbum, InfoPrintsUtf8WithControlCharactersEscaped) {
  TempDir dir;
  // A file name in Windows-1252 bytes, a database name in Windows-1252 with an escape character.
  const std::string path = dir.write("caf\xE9.pdb", album::buildPictureDatabase("QuilloryPicCaf\xE9\x1B[2J", testsupport::pixelPattern(10)));
  Outcome r = qalbum(dir, {"info", path});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find("  records")),
            dir.path("caf\xC3\xA9.pdb") + "\n  name: QuilloryPicCaf\xC3\xA9\\x1b[2J\n");
}
