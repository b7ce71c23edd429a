// The skin's named-bitmap collection and its graphics stream format
// (docs/formats.md, "Skin graphics stream").
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/Bitmap.h"
#include "base/Stream.h"
#include "skin/VsClasses.h"

namespace skin {

inline constexpr uint32_t kGraphicsSignature = 0x04B2FDB6;

// One entry: a name and an owned bitmap, both empty at first.
class TVsGraphic : public TVsPersistent {
 public:
  const char* ClassName() const override { return "TVsGraphic"; }

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  base::Bitmap& Bitmap() { return bitmap_; }
  const base::Bitmap& Bitmap() const { return bitmap_; }

  // Copies name and bitmap from another entry; any other source is ignored.
  void Assign(const forms::TPersistent* source) override;
  // One entry of the graphics stream at the stream's position.
  void LoadFromStream(base::Stream& stream);
  void SaveToStream(base::Stream& stream) const;

 private:
  std::string name_;
  base::Bitmap bitmap_;
};

class TVsGraphics : public TVsPersistent {
 public:
  TVsGraphics() = default;
  // Destroys the entries without telling anybody.
  ~TVsGraphics() override;
  const char* ClassName() const override { return "TVsGraphics"; }

  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  // Raises "List index out of bounds (%d)" for an index outside 0..Count-1.
  TVsGraphic* Items(int32_t index) const;
  // Appends a copy of graphic (an empty entry for anything but a TVsGraphic).
  int32_t Add(const forms::TPersistent* graphic);
  void Delete(int32_t index);
  void Clear();
  // The first entry whose name equals name ignoring letter case (Windows-1252), or -1.
  int32_t IndexOf(std::string_view name) const;

  // None clears; another collection is copied entry by entry; anything else is ignored.
  void Assign(const forms::TPersistent* source) override;
  // One binary property "Graphics", stored when there are entries.
  void DefineProperties(forms::Filer& filer) override;

  virtual void LoadFromStream(base::Stream& stream);
  virtual void SaveToStream(base::Stream& stream) const;
  virtual void LoadFromFile(const std::string& fileName);
  virtual void SaveToFile(const std::string& fileName) const;

  void ReadData(base::Stream& stream);
  void WriteData(base::Stream& stream);

 private:
  void CheckIndex(int32_t index) const;

  std::vector<std::unique_ptr<TVsGraphic>> items_;
};

// Case-insensitive equality of 8-bit text as the Windows-1252 code page folds
// letters: ASCII, the Latin-1 letters and the few letters of 0x80..0x9F.
bool AnsiSameText(std::string_view a, std::string_view b);

}  // namespace skin
