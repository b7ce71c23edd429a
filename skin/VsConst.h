// The skin library's message texts.
#pragma once

namespace skin::msg {
inline constexpr const char* InvalidFileFormat = "Invalid file format.";
inline constexpr const char* SkinNeedsForm = "TVsSkin needs to be placed on a form.";
}  // namespace skin::msg
