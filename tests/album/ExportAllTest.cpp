#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <set>

#include "tools/DatabaseBuilder.h"
#include "album/Enlarge.h"
#include "album/ExportAll.h"
#include "album/Messages.h"
#include "album/PictureDatabase.h"
#include "album/PictureTemplate.h"
#include "album/PictureDate.h"
#include "album/PngWriter.h"
#include "base/Errors.h"
#include "platform/Directory.h"
#include "platform/FileStream.h"
#include "platform/Files.h"
#include "support/TempDir.h"
#include "support/PalmFolders.h"

using namespace album;
using testsupport::TempDir;
namespace fs = std::filesystem;

namespace {

const std::string kSep(1, platform::kPathSeparator);

struct RecordedReport : ExportReport {
  std::vector<std::string> messages;
  std::vector<std::string> errors;
  std::vector<std::string> stops;
  std::vector<std::pair<size_t, size_t>> steps;
  void message(const std::string& text) override { messages.push_back(text); }
  void error(const std::string& text) override { errors.push_back(text); }
  void stop(const std::string& text) override { stops.push_back(text); }
  void progress(size_t done, size_t total) override { steps.emplace_back(done, total); }
};

// A user folder with a Backup folder of picture databases.
struct UserFolder {
  TempDir dir;
  std::string folder() const { return dir.path() + kSep; }
  std::string database(const std::string& file) const { return folder() + "Backup" + kSep + file; }
  std::vector<std::string> databases(const std::vector<std::string>& files) const {
    std::vector<std::string> paths;
    for (const std::string& file : files) paths.push_back(database(file));
    return paths;
  }
  std::string add(const std::string& file, const std::string& name, PictureSize size, uint8_t seed = 1) {
    const std::string path = dir.path("Backup") + kSep + file;
    testsupport::writePictureDatabase(path, name, picturePixelCount(size), seed);
    return path;
  }
};

std::set<std::string> namesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
  return names;
}

std::vector<uint8_t> expectedBmp(const std::string& database) {
  return decodePicture(database).toBmp();
}

// The export's stop for the error of type Error that decoding `database` (a
// full path) raises: the database, then the error's text; empty when it raises none.
template <typename Error>
std::string decodeFailure(const std::string& database) {
  PictureAndInfo decoded;
  try {
    decodePictureAndInfo(database, decoded);
  } catch (const Error& e) {
    return database + ": " + e.what();
  }
  return {};
}

}  // namespace

TEST(ExportAll, WritesEachPictureAtItsSizeInListOrderAndKeepsAddingOnTheNextRun) {
  UserFolder user;
  const std::string big = user.add("QuilloryPicB.pdb", "QuilloryPicBig", PictureSize::Large, 3);
  const std::string small = user.add("QuilloryPicA.pdb", "QuilloryPicSmall", PictureSize::Small, 5);
  const std::string other = user.add("QuilloryPicC.pdb", "QuilloryPicOther", PictureSize::Small, 9);
  TempDir program;
  const std::string folder = program.path() + kSep + "Anna" + kSep;
  const std::vector<std::string> databases =
      user.databases({"QuilloryPicB.pdb", "QuilloryPicA.pdb", "QuilloryPicC.pdb"});

  RecordedReport report;
  EXPECT_EQ(exportUserDatabases(program.path() + kSep, "Anna", databases, decodePictureAndInfo, report).end,
            ExportEnd::Exported);
  EXPECT_EQ(report.messages, std::vector<std::string>{"The pictures was successfully exported to " + folder});
  EXPECT_TRUE(report.errors.empty());
  EXPECT_EQ(TempDir::read(folder + "Pic_1.bmp"), expectedBmp(big));
  EXPECT_EQ(TempDir::read(folder + "Pic_2.bmp"), expectedBmp(small));
  EXPECT_EQ(TempDir::read(folder + "Pic_3.bmp").size(), templateFileSize(PictureSize::Small));
  EXPECT_EQ(report.steps.front(), (std::pair<size_t, size_t>{0, 3}));
  EXPECT_EQ(report.steps.back(), (std::pair<size_t, size_t>{3, 3}));

  RecordedReport again;
  exportUserDatabases(program.path() + kSep, "Anna", databases, decodePictureAndInfo, again);
  EXPECT_EQ(namesIn(folder), (std::set<std::string>{"Pic_1.bmp", "Pic_2.bmp", "Pic_3.bmp", "Pic_4.bmp", "Pic_5.bmp",
                                                     "Pic_6.bmp"}));
  EXPECT_EQ(TempDir::read(folder + "Pic_6.bmp"), expectedBmp(other));
}

TEST(ExportAll, FillsTheGapsAndNeverReplacesAnything) {
  UserFolder user;
  for (char c : std::string("ABC")) user.add(std::string("QuilloryPic") + c + ".pdb", "QuilloryPic", PictureSize::Small);
  TempDir out;
  const std::string folder = out.path() + kSep;
  out.write("Pic_1.bmp", {1});
  out.write("Pic_3.bmp", {3});
  out.write("Pic_02.bmp", {2});     // not the name of number 2
  out.write("Pic_2.bmp.txt", {2});  // nor this
  fs::create_directory(out.path("Pic_4.bmp"));  // a folder blocks its number
  RecordedReport report;
  const std::vector<std::string> databases =
      user.databases({"QuilloryPicA.pdb", "QuilloryPicB.pdb", "QuilloryPicC.pdb"});
  EXPECT_EQ(exportPictures(databases, folder, decodePictureAndInfo, report).end, ExportEnd::Exported);
  for (const char* written : {"Pic_2.bmp", "Pic_5.bmp", "Pic_6.bmp"})
    EXPECT_EQ(TempDir::read(out.path(written)).size(), templateFileSize(PictureSize::Small)) << written;
  EXPECT_EQ(TempDir::read(out.path("Pic_1.bmp")), std::vector<uint8_t>{1});
  EXPECT_EQ(TempDir::read(out.path("Pic_3.bmp")), std::vector<uint8_t>{3});
  EXPECT_EQ(TempDir::read(out.path("Pic_02.bmp")), std::vector<uint8_t>{2});
}

TEST(ExportAll, NameTakenWhileExportingMovesOnToTheNextNumber) {
  UserFolder user;
  const std::string db = user.add("QuilloryPic1.pdb", "QuilloryPic1", PictureSize::Small);
  TempDir out;
  // Another program takes Pic_1.bmp after the folder was read, while the database is decoded.
  const PictureDecoder racing = [&](const std::string& path, PictureAndInfo& into) {
    out.write("Pic_1.bmp", {42});
    return decodePictureAndInfo(path, into);
  };
  RecordedReport report;
  EXPECT_EQ(exportPictures({db}, out.path() + kSep, racing, report).end, ExportEnd::Exported);
  EXPECT_EQ(TempDir::read(out.path("Pic_1.bmp")), std::vector<uint8_t>{42});
  EXPECT_EQ(TempDir::read(out.path("Pic_2.bmp")), expectedBmp(db));
}

TEST(ExportAll, LowestFreeNumberMatchesTestingEveryNameInTurn) {
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    TempDir out;
    std::uniform_int_distribution<int> pick(1, 40);
    for (int i = 0; i < 25; ++i) out.write(ExportNumbers::fileName(pick(random)), {0});
    ExportNumbers numbers(out.path() + kSep);
    for (int k = 0; k < 5; ++k) {
      int oneByOne = 1;
      while (platform::fileExists(out.path(ExportNumbers::fileName(oneByOne)))) ++oneByOne;
      ASSERT_EQ(numbers.lowestFree(), oneByOne);
      out.write(ExportNumbers::fileName(oneByOne), {0});
      numbers.take(oneByOne);
    }
  }
}

TEST(ExportAll, NumbersAreReadOnlyFromExactNames) {
  EXPECT_EQ(ExportNumbers::numberOf("Pic_1.bmp"), 1);
  EXPECT_EQ(ExportNumbers::numberOf("Pic_5000.bmp"), 5000);
  for (const char* other : {"Pic_0.bmp", "Pic_01.bmp", "Pic_5001.bmp", "Pic_.bmp", "Pic_1a.bmp", "Pic_-1.bmp",
                            "Pic_1.bmpx", "Pic_99999999999.bmp", "XPic_1.bmp"})
    EXPECT_EQ(ExportNumbers::numberOf(other), 0) << other;
  EXPECT_EQ(ExportNumbers::numberOf("pic_7.BMP"), platform::kFileNamesIgnoreCase ? 7 : 0);
}

TEST(ExportAll, StopsAtAnInvalidDatabaseKeepingWhatWasWritten) {
  UserFolder user;
  user.add("QuilloryPic1.pdb", "QuilloryPic1", PictureSize::Small);
  user.add("QuilloryPic2.pdb", "quilloryPic2", PictureSize::Small);  // fails the name check
  user.add("QuilloryPic3.pdb", "QuilloryPic3", PictureSize::Small);
  TempDir program;
  RecordedReport report;
  EXPECT_EQ(exportUserDatabases(program.path() + kSep, "Ben",
                                user.databases({"QuilloryPic1.pdb", "QuilloryPic2.pdb", "QuilloryPic3.pdb"}),
                                decodePictureAndInfo, report)
                .end,
            ExportEnd::Failed);
  EXPECT_EQ(report.messages, std::vector<std::string>{"Invalid database file!"});
  EXPECT_EQ(namesIn(program.path("Ben")), std::set<std::string>{"Pic_1.bmp"});
}

TEST(ExportAll, PngPicturesEncodedTogetherKeepListOrderAndFailuresAcrossBatches) {
  UserFolder user;
  std::vector<std::string> databases;
  const std::set<size_t> invalid = {5, 35};  // in the first batch and in a later one
  for (size_t i = 0; i < 40; ++i) {
    const std::string name = "QuilloryPic" + std::to_string(i);
    databases.push_back(user.add(name + ".pdb", invalid.count(i) ? "x" + name : name, PictureSize::Small,
                                 static_cast<uint8_t>(i)));
  }
  const auto pngOf = [](const std::string& database) {
    PictureAndInfo decoded;
    EXPECT_TRUE(decodePictureAndInfo(database, decoded));
    return encodePng(decoded.picture, decoded.info);
  };
  struct Case {
    OnFailure onFailure;
    size_t exported;
  } cases[] = {{OnFailure::NameAndSkip, 38}, {OnFailure::NameAndStop, 5}};
  for (const Case& c : cases) {
    TempDir out;
    RecordedReport report;
    ExportOptions options;
    options.format = PictureFormat::Png;
    options.onFailure = c.onFailure;
    const ExportResult result = exportPictures(databases, out.path() + kSep, decodePictureAndInfo, report, options);
    EXPECT_EQ(result.end, ExportEnd::Failed);
    EXPECT_EQ(result.counts.exported, c.exported);
    std::vector<std::string> expectedErrors = {databases[5] + ": " + album::msg::InvalidDatabase};
    if (c.onFailure == OnFailure::NameAndSkip)
      expectedErrors.push_back(databases[35] + ": " + album::msg::InvalidDatabase);
    EXPECT_EQ(report.errors, expectedErrors);
    for (size_t step = 0; step < report.steps.size(); ++step) EXPECT_EQ(report.steps[step].first, step);
    std::set<std::string> expectedNames;
    int number = 0;
    for (size_t i = 0; i < databases.size() && expectedNames.size() < c.exported; ++i) {
      if (invalid.count(i)) continue;
      const std::string name = "Pic_" + std::to_string(++number) + ".png";
      expectedNames.insert(name);
      EXPECT_EQ(TempDir::read(out.path(name)), pngOf(databases[i])) << name;
    }
    EXPECT_EQ(namesIn(out.path()), expectedNames);  // no temporary file left
  }
}

// Enlarged pictures fill a batch sooner; the files still come whole, in list order.
TEST(ExportAll, EnlargedPicturesKeepListOrderAcrossSmallerBatches) {
  UserFolder user;
  std::vector<std::string> databases;
  for (size_t i = 0; i < 8; ++i) {
    const std::string name = "QuilloryPic" + std::to_string(i);
    databases.push_back(
        user.add(name + ".pdb", i == 6 ? "x" + name : name, PictureSize::Large, static_cast<uint8_t>(i)));
  }
  TempDir out;
  RecordedReport report;
  ExportOptions options;
  options.scale = kMaxScale;
  options.onFailure = OnFailure::NameAndSkip;
  EXPECT_EQ(exportPictures(databases, out.path() + kSep, decodePictureAndInfo, report, options).counts.exported, 7u);
  EXPECT_EQ(report.errors, std::vector<std::string>{databases[6] + ": " + album::msg::InvalidDatabase});
  int number = 0;
  for (size_t i = 0; i < databases.size(); ++i) {
    if (i == 6) continue;
    const std::string name = ExportNumbers::fileName(++number);
    const auto expected = pictureFileBytes(decodePicture(databases[i]), PictureFormat::Bmp, {}, kMaxScale);
    EXPECT_EQ(TempDir::read(out.path(name)), expected) << name;
  }
  EXPECT_EQ(namesIn(out.path()).size(), 7u);
}

TEST(ExportAll, PlatformErrorsEndTheExportWithoutSuccessMessage) {
  UserFolder user;
  user.add("QuilloryPic1.pdb", "QuilloryPic1", PictureSize::Small);
  user.dir.write("Backup" + kSep + "QuilloryPic2.pdb", {'Q', 'u', 'i', 'l', 'l', 'o', 'r', 'y', 'P', 'i', 'c'});
  TempDir program;
  RecordedReport report;
  EXPECT_EQ(exportUserDatabases(program.path() + kSep, "Cy", user.databases({"QuilloryPic1.pdb", "QuilloryPic2.pdb"}),
                                decodePictureAndInfo, report)
                .end,
            ExportEnd::Stopped);
  EXPECT_EQ(exportUserDatabases(program.path() + kSep, "Cy", user.databases({"Missing.pdb"}), decodePictureAndInfo,
                                report)
                .end,
            ExportEnd::Stopped);
  const std::string backup = user.folder() + "Backup" + kSep;
  EXPECT_EQ(report.stops, (std::vector<std::string>{decodeFailure<base::EReadError>(backup + "QuilloryPic2.pdb"),
                                                    decodeFailure<base::EFOpenError>(backup + "Missing.pdb")}));
  EXPECT_FALSE(report.stops.front().empty() || report.stops.back().empty());
  EXPECT_TRUE(report.messages.empty());
  EXPECT_EQ(namesIn(program.path("Cy")), std::set<std::string>{"Pic_1.bmp"});

  // A locked database cannot be read either.
  const std::string locked = user.add("QuilloryPic3.pdb", "QuilloryPic3", PictureSize::Small);
  platform::FileStream holder(locked, platform::FileMode::OpenReadExclusive);
  EXPECT_EQ(exportPictures({locked}, program.path("Cy") + kSep, decodePictureAndInfo, report).end, ExportEnd::Stopped);
  EXPECT_EQ(report.stops.back(), decodeFailure<base::EFOpenError>(locked));
  EXPECT_FALSE(report.stops.back().empty());
}

TEST(ExportAll, FullAlbumStopsBeforeWriting) {
  UserFolder user;
  const std::string db = user.add("QuilloryPic1.pdb", "QuilloryPic1", PictureSize::Small);
  TempDir out;
  for (int n = 1; n <= ExportNumbers::kMax; ++n) out.write(ExportNumbers::fileName(n), {});
  RecordedReport report;
  EXPECT_EQ(exportPictures({db, db}, out.path() + kSep, decodePictureAndInfo, report).end, ExportEnd::Failed);
  EXPECT_EQ(report.messages, std::vector<std::string>{"Your Quillory album is full! Please delete some pictures."});
  EXPECT_EQ(namesIn(out.path()).size(), static_cast<size_t>(ExportNumbers::kMax));
}

TEST(ExportAll, UserNamesThatAreNoPlainFolderNameCreateNothing) {
  UserFolder user;
  user.add("QuilloryPic1.pdb", "QuilloryPic1", PictureSize::Small);
  TempDir outer;
  fs::create_directory(outer.path("program"));
  const std::string program = outer.path("program") + kSep;
  for (const std::string& name : std::vector<std::string>{"", ".", "..", "../escape", "a" + kSep + "b", std::string("x\0y", 3)}) {
    RecordedReport report;
    EXPECT_EQ(
        exportUserDatabases(program, name, user.databases({"QuilloryPic1.pdb"}), decodePictureAndInfo, report).end,
        ExportEnd::FolderFailed);
    EXPECT_EQ(report.errors, std::vector<std::string>{"Cannot create " + program + name + kSep});
    EXPECT_TRUE(report.messages.empty());
  }
  EXPECT_EQ(namesIn(outer.path()), std::set<std::string>{"program"});
  EXPECT_TRUE(namesIn(program).empty());

  // An export folder that cannot be made: a file holds its name. The system's reason follows.
  outer.write("program" + kSep + "Dana", {0});
  RecordedReport report;
  EXPECT_EQ(
      exportUserDatabases(program, "Dana", user.databases({"QuilloryPic1.pdb"}), decodePictureAndInfo, report).end,
      ExportEnd::FolderFailed);
  ASSERT_EQ(report.errors.size(), 1u);
  const std::string start = "Cannot create " + program + "Dana" + kSep + ". ";
  EXPECT_EQ(report.errors[0].substr(0, start.size()), start);
  EXPECT_GT(report.errors[0].size(), start.size());
}

TEST(ExportAll, AnEmptyListDoesNothingAtAll) {
  TempDir program;
  RecordedReport report;
  EXPECT_EQ(exportUserDatabases(program.path() + kSep, "Eve", {}, decodePictureAndInfo, report).end,
            ExportEnd::Exported);
  EXPECT_TRUE(report.messages.empty() && report.errors.empty());
  EXPECT_FALSE(fs::exists(program.path("Eve")));
}
