// Form data: a root component, its properties and the components nested in
// it, in a binary format of our own (docs/formats.md, "Form data").
#pragma once

#include <cstdint>

#include "base/Stream.h"
#include "forms/core/Classes.h"

namespace forms {

// The byte before every stored value.
enum class ValueType : uint8_t {
  Null = 0x00,    // ends a list
  List = 0x01,    // values up to Null
  Int32 = 0x04,   // 4 bytes, little-endian
  String = 0x06,  // 32-bit little-endian byte count, the bytes
  Ident = 0x07,   // short string
  False = 0x08,
  True = 0x09,
  Binary = 0x0A,  // 32-bit little-endian byte count, the bytes
  Set = 0x0B,     // short strings up to an empty one
  Nil = 0x0D,     // no component
};

inline constexpr uint8_t kFormSignature[4] = {'Q', 'A', 'F', '1'};
// How deep components may be nested in each other in stored data.
inline constexpr int kMaxNesting = 32;

// Writes root with its properties and the components GetChildren gives, recursively.
void WriteComponent(base::Stream& stream, TComponent& root);

// Reads stored data into an existing root: creates the nested components
// (owned by root, through the class registry), sets every property while they
// are loading, sets component references once everything is read, then calls
// Loaded on root and on each created component in reading order. On failure
// the components created so far are destroyed and the error passes on.
void ReadComponent(base::Stream& stream, TComponent& root);

}  // namespace forms
