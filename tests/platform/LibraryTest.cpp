#include <gtest/gtest.h>

#include <cstdint>

#include "platform/Library.h"
#include "support/TestSupport.h"

using platform::Library;
using namespace testsupport;

#if defined(_WIN32) && !defined(_WIN64)
using CountFn = int32_t(__stdcall*)();
#else
using CountFn = int32_t (*)();
#endif

TEST(Library, LoadsCallsAndUnloadsARealLibrary) {
  TempDir folder;
  installUserLibrary(userLibraryFile(), folder.root(), "count\t3\n");
  Library library((folder.root() / "UserData.dll").string());
  ASSERT_TRUE(library.loaded());
  const auto count = reinterpret_cast<CountFn>(library.symbol("UmGetUserCount"));
  ASSERT_NE(count, nullptr);
  EXPECT_EQ(count(), 3);
  EXPECT_EQ(library.symbol("UmNoSuchFunction"), nullptr);

  Library moved(std::move(library));
  EXPECT_FALSE(library.loaded());
  EXPECT_EQ(library.symbol("UmGetUserCount"), nullptr);
  EXPECT_TRUE(moved.loaded());
  moved.unload();
  EXPECT_FALSE(moved.loaded());
  EXPECT_EQ(moved.symbol("UmGetUserCount"), nullptr);
}

TEST(Library, ReportsMissingFilesAndExports) {
  TempDir folder;
  EXPECT_FALSE(Library((folder.root() / "UserData.dll").string()).loaded());
  installUserLibrary(userLibraryWithoutDirectoryFile(), folder.root(), "");
  const Library variant((folder.root() / "UserData.dll").string());
  ASSERT_TRUE(variant.loaded());
  EXPECT_NE(variant.symbol("UmGetUserName"), nullptr);
  EXPECT_EQ(variant.symbol("UmGetUserDirectory"), nullptr);
}

// A 32-bit library in a 64-bit Windows program and a file that is no library
// at all fail with the wrong format; a missing file does not.
TEST(Library, TellsAFileOfTheWrongFormatFromAMissingOne) {
#ifdef _WIN32
  constexpr bool windows = true;
#else
  constexpr bool windows = false;
#endif
  TempDir folder;
  writeFile(folder.root() / "Text.dll", "not a library");
  const Library missing((folder.root() / "UserData.dll").string());
  EXPECT_FALSE(missing.loaded());
  EXPECT_FALSE(missing.wrongFormat());
  Library text((folder.root() / "Text.dll").string());
  EXPECT_FALSE(text.loaded());
  EXPECT_EQ(text.wrongFormat(), windows);
  const Library moved(std::move(text));
  EXPECT_EQ(moved.wrongFormat(), windows);
  EXPECT_FALSE(text.wrongFormat());

#ifdef _WIN64
  ASSERT_FALSE(userLibrary32File().empty()) << "no 32-bit stand-in library beside this 64-bit program";
  const Library library32(userLibrary32File().string());
  EXPECT_FALSE(library32.loaded());
  EXPECT_TRUE(library32.wrongFormat());
#endif
}
