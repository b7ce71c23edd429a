// The Palm folder the window remembers, read without Qt: the window keeps it
// with QSettings ("QuilloryAlbum", key "PalmFolder"), which outside Windows is
// the INI file <config>/QuilloryAlbum/QuilloryAlbum.conf.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace users {

// Settings files larger than this are not read.
inline constexpr size_t kMaxSettingsBytes = 1u << 20;

// Where the window's settings lie: $XDG_CONFIG_HOME (when absolute), else
// $HOME/.config, then QuilloryAlbum/QuilloryAlbum.conf. "" on Windows (the
// window keeps them in the registry there) or when neither is known.
std::string windowSettingsFile();

// The string value of `key` in the section `section` of QSettings' INI text
// (UTF-8), its quotes and backslash escapes undone. nullopt when missing or
// when the value is no single string (a list, or another type written as "@Type(...)").
std::optional<std::string> readIniString(std::string_view text, std::string_view section, std::string_view key);

// The Palm folder the window opened last; "" when none is remembered or the
// settings file cannot be read.
std::string rememberedPalmFolder();

}  // namespace users
