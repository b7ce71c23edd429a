#include <gtest/gtest.h>

#include <cstdint>

#include "TestSupport.h"
#include "platform/Library.h"

using platform::Library;
using namespace testsupport;

#if defined(_WIN32) && !defined(_WIN64)
using CountFn = int32_t(__stdcall*)();
#else
using CountFn = int32_t (*)();
#endif

TEST(Library, LoadsCallsAndUnloadsARealLibrary) {
  TempFolder folder;
  installUserLibrary(userLibraryFile(), folder.path(), "count\t3\n");
  Library library((folder.path() / "UserData.dll").string());
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
  TempFolder folder;
  EXPECT_FALSE(Library((folder.path() / "UserData.dll").string()).loaded());
  installUserLibrary(userLibraryWithoutDirectoryFile(), folder.path(), "");
  const Library variant((folder.path() / "UserData.dll").string());
  ASSERT_TRUE(variant.loaded());
  EXPECT_NE(variant.symbol("UmGetUserName"), nullptr);
  EXPECT_EQ(variant.symbol("UmGetUserDirectory"), nullptr);
}
