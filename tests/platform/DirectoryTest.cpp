#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/Directory.h"
#include "platform/Files.h"
#include "support/TempDir.h"

using namespace platform;
using testsupport::TempDir;

TEST(Wildcard, MatchesAsTheWindowsFileSystemDoes) {
  EXPECT_TRUE(matchesWildcard("QuilloryPic1.pdb", "QuilloryPic*.pdb"));
  EXPECT_TRUE(matchesWildcard("QuilloryPic.pdb", "QuilloryPic*.pdb"));
  EXPECT_TRUE(matchesWildcard("quillorypicA.PDB", "QuilloryPic*.pdb"));
  EXPECT_TRUE(matchesWildcard("QuilloryPic.pdb.pdb", "QuilloryPic*.pdb"));
  EXPECT_TRUE(matchesWildcard("Pic_12.bmp", "Pic_??.bmp"));
  EXPECT_FALSE(matchesWildcard("Pic_1.bmp", "Pic_??.bmp"));
  EXPECT_FALSE(matchesWildcard("QuilloryPic1.pdbx", "QuilloryPic*.pdb"));
  EXPECT_FALSE(matchesWildcard("QuilloryPi.pdb", "QuilloryPic*.pdb"));
  EXPECT_FALSE(matchesWildcard("XQuilloryPic1.pdb", "QuilloryPic*.pdb"));
  EXPECT_TRUE(matchesWildcard("", "*"));
  EXPECT_FALSE(matchesWildcard("", "?"));
}

TEST(ListDirectory, ListsMatchingFilesAndFoldersHiddenOnesToo) {
  TempDir dir;
  dir.write("QuilloryPic1.pdb", {1});
  dir.write(".QuilloryPic2.pdb", {1});
  dir.write("QuilloryPic3.PDB", {1});
  dir.write("Other.pdb", {1});
  std::filesystem::create_directory(dir.path("QuilloryPicFolder.pdb"));
  std::vector<std::string> names = listDirectory(dir.path() + kPathSeparator, "QuilloryPic*.pdb");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"QuilloryPic1.pdb", "QuilloryPic3.PDB", "QuilloryPicFolder.pdb"}));
  EXPECT_TRUE(listDirectory(dir.path("missing") + kPathSeparator, "*").empty());
}

TEST(FolderName, RefusesWhatWouldNameAnotherFolder) {
  EXPECT_TRUE(isPlainFolderName("Anna"));
  EXPECT_TRUE(isPlainFolderName("Anna Smith"));
#ifndef _WIN32
  EXPECT_TRUE(isPlainFolderName("..."));
  EXPECT_TRUE(isPlainFolderName("a\\b:c"));
#endif
  for (const char* bad : {"", ".", "..", "a/b", "/", "../x"}) EXPECT_FALSE(isPlainFolderName(bad)) << bad;
  EXPECT_FALSE(isPlainFolderName(std::string_view("a\0b", 3)));
#ifdef _WIN32
  for (const char* bad : {"a\\b", "C:", "a:b", "a*", "what?", "CON", "nul.txt", "COM1", "trailing.", "space "})
    EXPECT_FALSE(isPlainFolderName(bad)) << bad;
#endif
}

TEST(FolderName, PlainFileNamesKeepEverythingButSeparators) {
  EXPECT_EQ(toPlainFileName("QuilloryPicSun"), "QuilloryPicSun");
  EXPECT_EQ(toPlainFileName("QuilloryPic/../../x"), "QuilloryPic_.._.._x");
  EXPECT_EQ(toPlainFileName("QuilloryPic\\a"), "QuilloryPic_a");
  EXPECT_TRUE(isPlainFolderName(toPlainFileName("QuilloryPic/..") + ".bmp"));
}

// A folder that is there already counts as made: another run may have made it
// between a look and the call. What is in the way, or a missing parent, fails
// with its own reason.
TEST(CreateDirectory, MakesOneLevelAndTakesAFolderThatIsThereAlready) {
  TempDir dir;
  dir.write("file", {1});
  const struct {
    std::string path;
    bool made;
  } cases[] = {{dir.path("new"), true}, {dir.path("new"), true}, {dir.path("file"), false},
               {dir.path("missing") + kPathSeparator + "inner", false}};
  std::vector<std::string> reasons;
  for (const auto& c : cases) {
    EXPECT_EQ(createDirectory(c.path), c.made) << c.path;
    if (!c.made) reasons.push_back(lastErrorText());
    EXPECT_EQ(directoryExists(c.path), c.made) << c.path;
  }
  ASSERT_EQ(reasons.size(), 2u);
  EXPECT_NE(reasons[0], reasons[1]) << "a file in the way is no missing folder";
}
