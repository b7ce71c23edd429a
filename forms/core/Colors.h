// Colour values as form data stores them: 0x00BBGGRR, or a symbolic value above
// 0x00FFFFFF that no pixel has.
#pragma once

#include <cstdint>

namespace forms {

inline constexpr uint32_t clWhite = 0x00FFFFFF;
inline constexpr uint32_t clNone = 0x1FFFFFFF;
// System colours: whatever the desktop uses for that part of a window.
inline constexpr uint32_t clWindowText = 0xFF000008;
inline constexpr uint32_t clBtnFace = 0xFF00000F;
inline constexpr uint32_t clWindow = 0xFF000005;

}  // namespace forms
