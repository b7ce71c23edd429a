// The window's resources as the Win32 window loads them from its own program
// file: pictures and form data by name, the icon by id, the version and the
// manifest's Common Controls 6.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "support/TempDir.h"

namespace {

std::string resourceBytes(const char* name) {
  HRSRC found = FindResourceA(nullptr, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (found == nullptr) return {};
  const char* data = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
  return std::string(data, SizeofResource(nullptr, found));
}

std::string fileBytes(const std::string& name) {
  const std::vector<uint8_t> bytes = testsupport::TempDir::read(platform::programFolder() + "resource-files\\" + name);
  return std::string(bytes.begin(), bytes.end());
}

// A text of the version information's U.S. English, Unicode table.
std::string versionText(const std::vector<char>& info, const char* name) {
  const std::string key = std::string("\\StringFileInfo\\040904B0\\") + name;
  char* text = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&text), &length) || length == 0) return {};
  return std::string(text, length - 1);
}

}  // namespace

TEST(WindowsResources, PicturesAndFormDataLoadByNameInAnyCaseWithTheirFilesBytes) {
  const struct {
    const char* name;
    const char* file;
  } resources[] = {{"logo.bmp", "logo.bmp"},     {"glyph0", "glyph0.bmp"}, {"glyph1", "glyph1.bmp"},
                   {"glyph2", "glyph2.bmp"},     {"glyph3", "glyph3.bmp"}, {"glyph4", "glyph4.bmp"},
                   {"glyph5", "glyph5.bmp"},     {"glyph6", "glyph6.bmp"}, {"About.qfd", "About.qfd"},
                   {"ABOUT.QFD", "About.qfd"}};
  for (const auto& r : resources) {
    const std::string expected = fileBytes(r.file);
    ASSERT_FALSE(expected.empty()) << r.file;
    EXPECT_EQ(resourceBytes(r.name), expected) << r.name;
  }
  EXPECT_TRUE(resourceBytes("glyph7").empty());
}

TEST(WindowsResources, IconOneIsA32By32Icon) {
  HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, 0, 0,
                                             LR_DEFAULTSIZE));
  ASSERT_NE(icon, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP colour{};
  GetObjectA(info.hbmColor, sizeof colour, &colour);
  EXPECT_EQ(colour.bmWidth, 32);
  EXPECT_EQ(colour.bmHeight, 32);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(icon);
}

TEST(WindowsResources, VersionInformationNamesTheProgramAndItsVersion) {
  const std::string program = platform::programFilePath();
  std::vector<char> info(GetFileVersionInfoSizeA(program.c_str(), nullptr));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoA(program.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  EXPECT_EQ(versionText(info, "ProductName"), "Quillory Album");
  EXPECT_EQ(versionText(info, "ProductVersion"), QA_VERSION);
  EXPECT_EQ(versionText(info, "FileVersion"), QA_VERSION);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  const std::string numbers = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                              std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                              std::to_string(HIWORD(fixed->dwFileVersionLS));
  EXPECT_EQ(numbers, QA_VERSION);
}

// Without the manifest the system loads the older Common Controls 5 from the
// system folder; version 6 comes from its side-by-side assembly.
TEST(WindowsResources, TheManifestSelectsCommonControlsSix) {
  HMODULE controls = LoadLibraryA("comctl32.dll");
  ASSERT_NE(controls, nullptr);
  char buffer[MAX_PATH * 4];
  std::string path(buffer, GetModuleFileNameA(controls, buffer, sizeof buffer));
  FreeLibrary(controls);
  for (char& c : path) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_NE(path.find("microsoft.windows.common-controls_6595b64144ccf1df_6.0."), std::string::npos) << path;
}
