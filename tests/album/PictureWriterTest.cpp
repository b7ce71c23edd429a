#include <gtest/gtest.h>

#include <filesystem>
#ifndef _WIN32
#include <unistd.h>
#endif

#include "tools/DatabaseBuilder.h"
#include "album/PictureDatabase.h"
#include "album/PictureWriter.h"
#include "platform/FileWriter.h"
#include "base/Errors.h"
#include "support/TempDir.h"

#include "support/ErrorText.h"

using namespace album;
using testsupport::TempDir;

namespace {
std::vector<uint8_t> rowNumbers(int width, int height) {
  std::vector<uint8_t> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(static_cast<uint8_t>(y + x % 3));
  return pixels;
}

}  // namespace

TEST(PictureWriter, WritesTheTemplateLayoutBottomRowFirst) {
  TempDir dir;
  for (PictureSize size : {PictureSize::Small, PictureSize::Large}) {
    const int w = pictureWidth(size), h = pictureHeight(size);
    const std::vector<uint8_t> pixels = rowNumbers(w, h);
    const std::vector<uint8_t> db = buildPictureDatabase("QuilloryPicRows", pixels);
    const std::string out = dir.path("out.bmp");
    writePicture(decodePicture(db.data(), db.size()), out);

    const std::vector<uint8_t> written = TempDir::read(out);
    const std::vector<uint8_t>& tmpl = pictureTemplate(size);
    ASSERT_EQ(written.size(), tmpl.size());
    EXPECT_TRUE(std::equal(tmpl.begin(), tmpl.begin() + 1078, written.begin()));
    // The file's first row is the picture's bottom row, the last row of the pixel data.
    EXPECT_TRUE(std::equal(written.begin() + 1078, written.begin() + 1078 + w, pixels.begin() + (h - 1) * w));
    EXPECT_TRUE(std::equal(written.end() - w, written.end(), pixels.begin()));
  }
}

TEST(PictureWriter, ReplacesAnExistingFileAndLeavesNoTemporaryBehind) {
  TempDir dir;
  const std::string out = dir.write("pic.bmp", std::vector<uint8_t>(200000, 0xAB));
  writePicture(blankPicture(PictureSize::Small), out);
  EXPECT_EQ(TempDir::read(out), pictureTemplate(PictureSize::Small));
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"pic.bmp"});

  // A name as long as the file system allows still works.
  const std::string longest = dir.path(std::string(251, 'p') + ".bmp");
  writePicture(blankPicture(PictureSize::Small), longest);
  EXPECT_EQ(TempDir::read(longest).size(), 23478u);
}

TEST(PictureWriter, FailureNamesTheTargetAndKeepsTheOldFile) {
  TempDir dir;
  // A folder in the way cannot be replaced by a file.
  std::filesystem::create_directory(dir.path("taken.bmp"));
  const std::string taken = dir.path("taken.bmp");
  const std::string message = messageOf([&] { writePicture(blankPicture(PictureSize::Small), taken); });
  EXPECT_EQ(message.rfind("Cannot create file \"" + taken + "\". ", 0), 0u) << message;
  EXPECT_GT(message.size(), ("Cannot create file \"" + taken + "\". ").size());

  const std::string nowhere = dir.path("missing/pic.bmp");
  EXPECT_EQ(messageOf([&] { writePicture(blankPicture(PictureSize::Small), nowhere); })
                .rfind("Cannot create file \"" + nowhere + "\". ", 0),
            0u);

  // A write that fails half-way leaves the old content and no temporary file.
  const std::vector<uint8_t> old(100, 7);
  const std::string keep = dir.write("keep.bmp", old);
  EXPECT_THROW(platform::writeFileReplacing(keep,
                                  [](base::Stream& s) {
                                    s.writeU32LE(1);
                                    throw base::EWriteError();
                                  }),
               base::EFCreateError);
  EXPECT_EQ(TempDir::read(keep), old);
  std::vector<std::string> names = dir.entries();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"keep.bmp", "taken.bmp"}));
}

TEST(PictureWriter, KeepsAWriteProtectedFile) {
#ifndef _WIN32
  if (::geteuid() == 0) GTEST_SKIP() << "root may write any file";
#endif
  TempDir dir;
  const std::vector<uint8_t> old(10, 1);
  const std::string out = dir.write("locked.bmp", old);
  std::filesystem::permissions(out, std::filesystem::perms::owner_read);
  const std::string message = messageOf([&] { writePicture(blankPicture(PictureSize::Small), out); });
  EXPECT_EQ(message.rfind("Cannot create file \"" + out + "\". ", 0), 0u) << message;
  EXPECT_EQ(TempDir::read(out), old);
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"locked.bmp"});
}
