// The skin library's message texts.
#pragma once

namespace skin::msg {
inline constexpr const char* InvalidFileFormat = "Invalid file format.";
inline constexpr const char* SkinNeedsForm = "TVsSkin needs to be placed on a form.";
inline constexpr const char* RangeCheck = "Range check error";
}  // namespace skin::msg
