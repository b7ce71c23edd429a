// Text in the two encodings the program meets: 8-bit ANSI names from inside
// files (Windows-1252) and file names from the file system (UTF-8 where valid).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace base {

// Windows-1252 text as UTF-8; the five bytes the code page leaves undefined
// become the control characters of the same number, as Windows maps them.
std::string cp1252ToUtf8(std::string_view ansi);
// UTF-8 text as Windows-1252; characters the code page lacks, and bytes that
// are not UTF-8, become '?'.
std::string utf8ToCp1252(std::string_view utf8);
// The same when every character has a byte in the code page; nullopt when one
// has none or the bytes are not UTF-8.
std::optional<std::string> utf8ToCp1252Exactly(std::string_view utf8);
// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool isValidUtf8(std::string_view bytes);
// A name from the file system as UTF-8 text: kept when it is UTF-8, else read
// as Windows-1252.
std::string fileNameToUtf8(std::string_view bytes);
// Bytes as UTF-8 text that names every byte: kept where they are UTF-8, each
// other byte written as "\xHH".
std::string escapeInvalidUtf8(std::string_view bytes);
// Appends the code point `c` (at most 0x10FFFF) to `out` in UTF-8.
void appendUtf8(std::string& out, char32_t c);
// UTF-8 text with its control characters written as escapes: "\x1b" for C0
// controls and DEL, "\u0085" for C1 controls.
std::string escapeControls(std::string_view utf8);

}  // namespace base
