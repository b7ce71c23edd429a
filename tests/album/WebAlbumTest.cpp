// The web album: the order of the pictures and their file names, names from
// files escaped in the page, and the album made in real folders again and again.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "album/AlbumPage.h"
#include "album/AlbumPictures.h"
#include "album/PictureDatabase.h"
#include "album/WebAlbum.h"
#include "platform/Files.h"
#include "support/PalmFolders.h"
#include "support/TempDir.h"
#include "tools/DatabaseBuilder.h"

using namespace album;
using testsupport::TempDir;
namespace fs = std::filesystem;

namespace {

constexpr int64_t kDay = 86400;
constexpr int64_t k2003 = 1041379200;  // 2003-01-01 00:00 UTC

AlbumPicture picture(const std::string& name, std::optional<int64_t> created, std::optional<int64_t> modified,
                     const std::string& database = "db") {
  AlbumPicture p;
  p.database = database;
  p.name = name;
  p.created = created;
  p.modified = modified;
  return p;
}

struct RecordedReport : ExportReport {
  std::vector<std::string> messages, errors, stops;
  void message(const std::string& text) override { messages.push_back(text); }
  void error(const std::string& text) override { errors.push_back(text); }
  void stop(const std::string& text) override { stops.push_back(text); }
};

// The files under `folder` with their contents.
std::map<std::string, std::vector<uint8_t>> filesIn(const fs::path& folder) {
  std::map<std::string, std::vector<uint8_t>> files;
  for (const auto& e : fs::recursive_directory_iterator(folder))
    if (e.is_regular_file()) files[fs::relative(e.path(), folder).generic_string()] = TempDir::read(e.path().string());
  return files;
}

std::string readText(const fs::path& file) {
  const std::vector<uint8_t> bytes = TempDir::read(file.string());
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

TEST(WebAlbum, PicturesGoInTheOrderDrawnUnderStableDistinctFileNames) {
  std::vector<AlbumPicture> pictures = {
      picture("QuilloryPicLater", k2003 + 40 * kDay, k2003 + 41 * kDay),
      picture("QuilloryPicUndated", std::nullopt, std::nullopt),
      picture("QuilloryPicB", k2003, k2003 + 9 * kDay),
      picture("QuilloryPicA", k2003, k2003 + 9 * kDay, "db2"),
      picture("QuilloryPicA", k2003, k2003 + 9 * kDay, "db1"),   // the same name and dates: path order
      picture("QuilloryPica", k2003, k2003 + 2 * kDay),          // modified earlier; one name with A, letter case aside
      picture("QuilloryPicOnlyModified", std::nullopt, k2003 + 5 * kDay),
      picture("QuilloryPic1/2", k2003 + 400 * kDay, std::nullopt),
  };
  sortAsDrawn(pictures);
  nameFiles(pictures);
  std::vector<std::string> names;
  for (const AlbumPicture& p : pictures) names.push_back(p.fileName + (p.database == "db" ? "" : " @" + p.database));
  EXPECT_EQ(names, (std::vector<std::string>{
                       "2003-01-01 QuilloryPica.png",
                       "2003-01-01 QuilloryPicA (2).png @db1",
                       "2003-01-01 QuilloryPicA (3).png @db2",
                       "2003-01-01 QuilloryPicB.png",
                       "2003-01-06 QuilloryPicOnlyModified.png",
                       "2003-02-10 QuilloryPicLater.png",
                       "2004-02-05 QuilloryPic1_2.png",
                       "undated QuilloryPicUndated.png",
                   }));
}

TEST(WebAlbum, NamesFromFilesAreEscapedInThePage) {
  AlbumSection section;
  section.name = "Ben & \"Co\" <i>";
  section.folder = "Ben & #1 100%";
  section.pictures = {picture("QuilloryPic<script>alert(1)</script>", k2003, k2003)};
  section.pictures[0].fileName = "2003-01-01 QuilloryPic<s>.png";
  section.leftOut = {"QuilloryPicX.pdb: <b>broken</b>"};
  const std::string page = albumPage({section});
  for (const char* raw : {"<script>alert", "<i>", "<b>broken", "\"Co\"", "<s>"})
    EXPECT_EQ(page.find(raw), std::string::npos) << raw;
  for (const char* escaped : {"QuilloryPic&lt;script&gt;alert(1)&lt;/script&gt;", "Ben &amp; &quot;Co&quot; &lt;i&gt;",
                              "&lt;b&gt;broken&lt;/b&gt;", "src=\"Ben%20%26%20%231%20100%25/2003-01-01%20QuilloryPic%3Cs%3E.png\""})
    EXPECT_NE(page.find(escaped), std::string::npos) << escaped;
}

class AlbumFolders : public ::testing::Test {
 protected:
  // Anna's pictures, each drawn a day after the one before; their pixels differ.
  std::string addPicture(const std::string& user, const std::string& name, int day) {
    std::vector<uint8_t> pixels(160 * 140, static_cast<uint8_t>(day + 1));
    DatabaseDates dates;
    dates.created = testsupport::palmSeconds(k2003 + day * kDay);
    dates.modified = testsupport::palmSeconds(k2003 + day * kDay + 3600);
    const std::string path = backup.path(user + "-" + name + ".pdb");
    backup.write(user + "-" + name + ".pdb", buildPictureDatabase(name, pixels, dates));
    return path;
  }
  AlbumResult make(const std::vector<AlbumUser>& users, bool keepGoing = false) {
    report = {};
    AlbumOptions options;
    options.keepGoing = keepGoing;
    return makeWebAlbum(users, out.path() + platform::kPathSeparator, report, options, counts);
  }
  TempDir backup, out;
  RecordedReport report;
  std::vector<ExportCounts> counts;
};

TEST_F(AlbumFolders, MadeAgainItKeepsEveryFileAndAddsNewPictures) {
  AlbumUser anna{"Anna", "Anna", {addPicture("Anna", "QuilloryPicSun", 2), addPicture("Anna", "QuilloryPicCat", 1)}};
  ASSERT_EQ(make({anna}), AlbumResult::Made) << (report.stops.empty() ? "" : report.stops[0]);
  const auto first = filesIn(out.root());
  EXPECT_EQ(first.size(), 3u);
  ASSERT_EQ(first.count("Anna/2003-01-02 QuilloryPicCat.png"), 1u);
  EXPECT_EQ(make({anna}), AlbumResult::Made);
  EXPECT_EQ(filesIn(out.root()), first);

  anna.databases.push_back(addPicture("Anna", "QuilloryPicBoat", 0));
  EXPECT_EQ(make({anna}), AlbumResult::Made);
  auto second = filesIn(out.root());
  EXPECT_EQ(second.size(), 4u);
  const std::string page = readText(out.root() / "index.html");
  EXPECT_LT(page.find("QuilloryPicBoat"), page.find("QuilloryPicCat"));
  EXPECT_LT(page.find("QuilloryPicCat"), page.find("QuilloryPicSun"));
  second.erase("index.html");
  second.erase("Anna/2003-01-01 QuilloryPicBoat.png");
  auto before = first;
  before.erase("index.html");
  EXPECT_EQ(second, before);
  EXPECT_EQ(counts.size(), 1u);
  EXPECT_EQ(counts[0].exported, 3u);
}

TEST_F(AlbumFolders, ADamagedDatabaseStopsTheAlbumUnlessItGoesOnWithoutIt) {
  std::vector<uint8_t> cut = buildPictureDatabase("QuilloryPicX", {});
  cut.resize(70);  // ends inside the header
  const std::string broken = backup.write("broken.pdb", cut);
  const std::vector<AlbumUser> users = {{"Anna", "Anna", {addPicture("Anna", "QuilloryPicSun", 1), broken}},
                                        {"Dots", "..", {addPicture("Dots", "QuilloryPicDog", 1)}},
                                        {"Tom", "Tom", {addPicture("Tom", "QuilloryPicCar", 3)}}};
  EXPECT_EQ(make(users), AlbumResult::Failed);
  ASSERT_EQ(report.errors.size(), 1u);
  EXPECT_EQ(report.errors[0].rfind(broken + ": ", 0), 0u) << report.errors[0];
  EXPECT_TRUE(filesIn(out.root()).empty());

  EXPECT_EQ(make(users, true), AlbumResult::Incomplete);
  EXPECT_EQ(report.errors.size(), 2u);  // the damaged database and the user folder refused
  EXPECT_EQ(filesIn(out.root()).size(), 3u);
  EXPECT_EQ(counts[0].exported, 1u);
  EXPECT_EQ(counts[0].skipped, 1u);
  EXPECT_EQ(counts[1].skipped, 1u);
  EXPECT_EQ(counts[2].exported, 1u);
  EXPECT_NE(readText(out.root() / "index.html").find("broken.pdb: " + report.errors[0].substr(broken.size() + 2)),
            std::string::npos);
}
