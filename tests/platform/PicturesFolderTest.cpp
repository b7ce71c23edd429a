// The user's pictures folder: Windows' known folder; elsewhere the XDG user
// folders file read as the desktop reads it, with the home folder and the
// configuration folder set for each case.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/Files.h"
#include "support/Environment.h"
#include "support/TempDir.h"

using namespace testsupport;

#ifdef _WIN32

TEST(PicturesFolder, IsTheUsersOwnExistingFolder) {
  const std::string pictures = platform::picturesFolder();
  ASSERT_FALSE(pictures.empty());
  EXPECT_TRUE(platform::directoryExists(pictures)) << pictures;
  const char* profile = std::getenv("USERPROFILE");
  ASSERT_NE(profile, nullptr);
  EXPECT_EQ(pictures.rfind(std::string(profile) + "\\", 0), 0u) << pictures;
  EXPECT_NE(pictures.back(), '\\');
}

#else

TEST(PicturesFolder, FollowsTheUserFoldersFileElseTakesPicturesInTheHomeFolder) {
  TempDir temp;
  const std::string home = temp.path("home");
  const std::string otherConfig = temp.path("config");
  const struct {
    std::optional<std::string> configHome;  // XDG_CONFIG_HOME
    std::string fileFolder;                 // where user-dirs.dirs is written
    std::string line;                       // its picture line ("" for no file)
    std::string expected;
  } cases[] = {
      {std::nullopt, home + "/.config", "", home + "/Pictures"},
      {std::nullopt, home + "/.config", "XDG_PICTURES_DIR=\"$HOME/Bilder\"", home + "/Bilder"},
      {std::nullopt, home + "/.config", "XDG_PICTURES_DIR=\"/srv/family pictures/\"", "/srv/family pictures"},
      {std::nullopt, home + "/.config", "XDG_PICTURES_DIR=\"Bilder\"", home + "/Pictures"},  // not a path
      {std::nullopt, home + "/.config", "XDG_MUSIC_DIR=\"$HOME/Musik\"", home + "/Pictures"},
      {otherConfig, otherConfig, "XDG_PICTURES_DIR=\"$HOME/Fotos\"", home + "/Fotos"},
      {otherConfig, home + "/.config", "XDG_PICTURES_DIR=\"$HOME/Fotos\"", home + "/Pictures"},  // not looked at
      {std::string("relative"), home + "/.config", "XDG_PICTURES_DIR=\"$HOME/Fotos\"", home + "/Fotos"},
  };
  Environment environment;
  environment.set("HOME", home);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line + " in " + c.fileFolder);
    std::filesystem::remove_all(home);
    std::filesystem::remove_all(otherConfig);
    if (!c.line.empty()) {
      std::filesystem::create_directories(c.fileFolder);
      writeFile(c.fileFolder + "/user-dirs.dirs", "# written by a test\n" + c.line + "\n");
    }
    Environment config;
    if (c.configHome)
      config.set("XDG_CONFIG_HOME", *c.configHome);
    else
      config.unset("XDG_CONFIG_HOME");
    EXPECT_EQ(platform::picturesFolder(), c.expected);
  }
  environment.unset("HOME");
  environment.unset("XDG_CONFIG_HOME");
  EXPECT_EQ(platform::picturesFolder(), "");
}

#endif
