#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <vector>

#include "base/Errors.h"
#include "platform/Registry.h"
#include "support/Environment.h"
#include "support/TestSupport.h"

using platform::RegistryKey;
using platform::RegistryType;
using testsupport::TestRegistry;

namespace {
const char* kKey = "Software\\Quillory Tests\\Registry";
}

TEST(Registry, ReadsValuesWithTheirTypes) {
  TestRegistry registry(kKey);
  if (!registry.usable()) GTEST_SKIP() << "the key belongs to a real installation";
  EXPECT_FALSE(RegistryKey::openCurrentUser(kKey));

  registry.setString("Plain", "C:\\Palm");
  registry.setExpandString("Expand", "%USERPROFILE%\\Palm");
  registry.setDWord("Number", 0x01020304);
  registry.setString("Empty", "");

  auto key = RegistryKey::openCurrentUser(kKey);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->value("plain")->type, RegistryType::String);
  EXPECT_EQ(key->value("Expand")->type, RegistryType::ExpandString);
  EXPECT_EQ(key->value("Number")->type, RegistryType::DWord);
  EXPECT_EQ(key->value("Number")->data, std::string("\x04\x03\x02\x01", 4));
  EXPECT_FALSE(key->value("Absent"));

  // Text ends at its zero; expandable text is not expanded.
  EXPECT_EQ(key->readString("Plain"), "C:\\Palm");
  EXPECT_EQ(key->readString("Expand"), "%USERPROFILE%\\Palm");
  EXPECT_EQ(key->readString("Empty"), "");
  EXPECT_EQ(key->readString("Absent"), "");
  try {
    key->readString("Number");
    FAIL() << "a number read as text";
  } catch (const base::ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for 'Number'");
  }

  key->close();
  EXPECT_FALSE(key->value("Plain"));
  EXPECT_EQ(key->readString("Plain"), "");
}

TEST(Registry, OpensAnEmptyKey) {
  TestRegistry registry(kKey);
  if (!registry.usable()) GTEST_SKIP() << "the key belongs to a real installation";
  registry.createKey();
  const auto key = RegistryKey::openCurrentUser(kKey);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->readString("DesktopPath"), "");
}

#ifndef _WIN32
using testsupport::Environment;

TEST(RegistryFile, IsFoundThroughTheEnvironmentInItsOrder) {
  testsupport::TempDir home;
  testsupport::TempDir config;
  const auto write = [](const std::filesystem::path& folder, const std::string& marker) {
    std::filesystem::create_directories(folder / "QuilloryAlbum");
    testsupport::writeFile(folder / "QuilloryAlbum" / "registry.reg",
                           "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\T]\n\"From\"=\"" + marker + "\"\n");
  };
  write(home.root() / ".config", "home");
  write(config.root(), "xdg");
  testsupport::writeFile(config.root() / "named.reg", "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\T]\n\"From\"=\"named\"\n");

  Environment env;
  env.set("HOME", home.path());
  env.unset("XDG_CONFIG_HOME");
  env.unset("QUILLORY_REGISTRY");
  EXPECT_EQ(RegistryKey::openCurrentUser("Software\\T")->readString("From"), "home");
  env.set("XDG_CONFIG_HOME", config.path());
  EXPECT_EQ(RegistryKey::openCurrentUser("Software\\T")->readString("From"), "xdg");
  env.set("QUILLORY_REGISTRY", (config.root() / "named.reg").string());
  EXPECT_EQ(RegistryKey::openCurrentUser("Software\\T")->readString("From"), "named");

  // A missing or foreign file holds no keys; only HKEY_CURRENT_USER counts.
  testsupport::writeFile(config.root() / "named.reg", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\T]\n\"From\"=\"m\"\n");
  EXPECT_FALSE(RegistryKey::openCurrentUser("Software\\T"));
  testsupport::writeFile(config.root() / "named.reg", "not a registry file\n");
  EXPECT_FALSE(RegistryKey::openCurrentUser("Software\\T"));
  env.set("QUILLORY_REGISTRY", (config.root() / "absent.reg").string());
  EXPECT_FALSE(RegistryKey::openCurrentUser("Software\\T"));
}
#endif
