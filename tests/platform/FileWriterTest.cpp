// The file writer on real files: replacing, taking a new name without
// overwriting (on FAT, exFAT and NTFS images too, where they can be mounted),
// and failures that leave nothing behind. Runs on Windows too.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <filesystem>
#include <set>
#include <thread>

#include "base/Errors.h"
#include "platform/Directory.h"
#include "platform/FileWriter.h"
#include "support/ErrorText.h"
#ifndef _WIN32
#include "support/MountedImage.h"
#endif
#include "support/TempDir.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using platform::FileWriter;

namespace {

std::string readAll(const fs::path& path) {
  std::string bytes;
  std::FILE* f = std::fopen(path.string().c_str(), "rb");
  if (f == nullptr) return "(missing)";
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
  std::fclose(f);
  return bytes;
}

platform::WriteContent text(const std::string& bytes) {
  return [bytes](base::Stream& out) { out.writeBuffer(bytes.data(), bytes.size()); };
}

std::vector<std::string> entries(const fs::path& folder) { return testsupport::sortedEntries(folder); }

// In `folder`: a new name that is taken stays as it is and the writer moves on
// to a free one, whether the file was flushed on its own, closed for a batch
// and named before the batch flush, or flushed with the batch.
void expectNewNamesNeverOverwrite(const fs::path& folder) {
  const fs::path taken = folder / "Pic_1.bmp";
  const fs::path free = folder / "Pic_2.bmp";
  enum class Finish { Alone, ClosedForBatch, FlushedWithBatch };
  for (const Finish finish : {Finish::Alone, Finish::ClosedForBatch, Finish::FlushedWithBatch}) {
    SCOPED_TRACE(static_cast<int>(finish));
    testsupport::writeFile(taken, "someone else's");
    fs::remove(free);
    FileWriter writer(taken.string(), FileWriter::Purpose::NewName);
    writer.write(text("picture"));
    if (finish != Finish::Alone) writer.closeForBatch();
    if (finish == Finish::FlushedWithBatch) platform::flushBatch(folder.string());
    EXPECT_FALSE(writer.takeNewName(taken.string()));
    EXPECT_TRUE(writer.takeNewName(free.string()));
    EXPECT_EQ(readAll(taken), "someone else's");
    EXPECT_EQ(readAll(free), "picture");
    EXPECT_EQ(entries(folder), (std::vector<std::string>{"Pic_1.bmp", "Pic_2.bmp"}));
  }
}

#ifndef _WIN32
// Writers in several threads name their files at once in `folder`, each
// taking the lowest name it finds free: every file ends under a name of its
// own, none replaced by another.
void expectRacingNamesKeepEveryFile(const fs::path& folder) {
  constexpr int kThreads = 4;
  constexpr int kFilesEach = 15;
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      try {
        for (int i = 0; i < kFilesEach; ++i) {
          FileWriter writer((folder / "Pic_1.bmp").string(), FileWriter::Purpose::NewName);
          writer.write(text(std::to_string(t) + "/" + std::to_string(i)));
          for (int n = 1; !writer.takeNewName((folder / ("Pic_" + std::to_string(n) + ".bmp")).string()); ++n) {
          }
        }
      } catch (...) {
        ++failures;
      }
    });
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(failures.load(), 0);
  std::set<std::string> contents;
  for (const auto& e : fs::directory_iterator(folder)) contents.insert(readAll(e.path()));
  EXPECT_EQ(contents.size(), size_t{kThreads * kFilesEach});
}
#endif

std::string prefixOf(const std::string& message, const std::string& path) {
  return message.substr(0, ("Cannot create file \"" + path + "\". ").size());
}

}  // namespace

TEST(FileWriter, ReplacesInOneStepAndLeavesOnlyTheTarget) {
  testsupport::TempDir folder;
  const fs::path target = folder.root() / "picture.bmp";
  platform::writeFileReplacing(target.string(), text("first"));
  EXPECT_EQ(readAll(target), "first");
  // While the new content is written, the old file is still whole under its
  // name, and the temporary file looks like no picture and no database.
  platform::writeFileReplacing(target.string(), [&](base::Stream& out) {
    EXPECT_EQ(readAll(target), "first");
    EXPECT_EQ(entries(folder.root()).size(), 2u);
    EXPECT_TRUE(platform::listDirectory(folder.path() + "/", "Pic_*.bmp").empty());
    EXPECT_TRUE(platform::listDirectory(folder.path() + "/", "QuilloryPic*.pdb").empty());
    EXPECT_TRUE(platform::listDirectory(folder.path() + "/", "*.bmp").size() == 1);
    out.writeBuffer("second, longer", 14);
  });
  EXPECT_EQ(readAll(target), "second, longer");
  EXPECT_EQ(entries(folder.root()), std::vector<std::string>{"picture.bmp"});
}

TEST(FileWriter, NewNameNeverOverwritesAndMovesOnToAnotherName) {
  testsupport::TempDir folder;
  expectNewNamesNeverOverwrite(folder.root());
}

#ifndef _WIN32
// FAT, exFAT and NTFS have no hard links, and some no non-replacing rename:
// there the writer falls back to the other ways of taking a new name. Racing
// writers reach the last way's look for a taken name, which a single writer
// never does (the system refuses a taken name before the file system sees it).
class NewNamesOnFileSystem : public ::testing::TestWithParam<testsupport::ImageKind> {};

TEST_P(NewNamesOnFileSystem, NeverOverwriteAndMoveOnToAnotherName) {
  const testsupport::MountedImage image(GetParam());
  if (!image.mounted()) GTEST_SKIP() << image.why();
  const fs::path album = image.path("album");
  fs::create_directory(album);
  expectNewNamesNeverOverwrite(album);
  fs::create_directory(image.path("race"));
  expectRacingNamesKeepEveryFile(image.path("race"));
}

INSTANTIATE_TEST_SUITE_P(Images, NewNamesOnFileSystem,
                         ::testing::Values(testsupport::ImageKind::ExfatFuse, testsupport::ImageKind::VfatFuse,
                                           testsupport::ImageKind::NtfsFuse, testsupport::ImageKind::ExfatKernel,
                                           testsupport::ImageKind::VfatKernel),
                         [](const ::testing::TestParamInfo<testsupport::ImageKind>& info) {
                           std::string name = testsupport::MountedImage::describe(info.param);
                           std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
                           return name;
                         });
#endif

TEST(FileWriter, FailuresNameTheTargetAndLeaveNothingBehind) {
  testsupport::TempDir folder;
  const fs::path kept = folder.root() / "kept.vsg";
  testsupport::writeFile(kept, "old");
  const std::string stopped = messageOf([&] {
    platform::writeFileReplacing(kept.string(), [](base::Stream& out) {
      out.writeBuffer("half", 4);
      throw base::EWriteError();
    });
  });
  EXPECT_EQ(stopped, "Cannot create file \"" + kept.string() + "\". Stream write error");
  EXPECT_EQ(readAll(kept), "old");

  // Another error than a write error passes through as it is.
  EXPECT_EQ(messageOf([&] {
              FileWriter writer((folder.root() / "Pic_1.bmp").string(), FileWriter::Purpose::NewName);
              writer.write([](base::Stream&) { throw base::EReadError(); });
            }),
            "Stream read error");

  // A folder under the target's name, and a folder that does not exist.
  fs::create_directory(folder.root() / "folder.bmp");
  const std::string inTheWay = (folder.root() / "folder.bmp").string();
  const std::string missing = (folder.root() / "missing" / "x.bmp").string();
  for (const std::string& target : {inTheWay, missing}) {
    const std::string message = messageOf([&] { platform::writeFileReplacing(target, text("x")); });
    EXPECT_EQ(prefixOf(message, target), "Cannot create file \"" + target + "\". ") << message;
    EXPECT_GT(message.size(), prefixOf(message, target).size());
  }
  EXPECT_EQ(entries(folder.root()), (std::vector<std::string>{"folder.bmp", "kept.vsg"}));
}

TEST(FileWriter, RelativeNamesAreReportedInFull) {
  testsupport::TempDir folder;
  const fs::path before = fs::current_path();
  fs::current_path(folder.root());
  const fs::path here = fs::current_path();
  const std::string message = messageOf([] { platform::writeFileReplacing("nowhere/out.bmp", text("x")); });
  platform::writeFileReplacing("here.bmp", text("x"));
  fs::current_path(before);
  const std::string full = (here / "nowhere" / "out.bmp").string();
  EXPECT_EQ(prefixOf(message, full), "Cannot create file \"" + full + "\". ") << message;
  EXPECT_EQ(readAll(folder.root() / "here.bmp"), "x");
}
