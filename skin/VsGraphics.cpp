#include "skin/VsGraphics.h"

#include "base/ByteOrder.h"
#include "base/Checked.h"
#include "forms/core/Filer.h"
#include "platform/FileStream.h"
#include "platform/FileWriter.h"
#include "skin/Messages.h"

namespace skin {

namespace {

[[noreturn]] void invalidFormat() { throw base::Exception(msg::InvalidFileFormat); }

// Reads one of the format's own fields; a stream that ends inside it is not a graphics stream.
void readField(base::Stream& stream, void* buffer, size_t count) {
  auto* out = static_cast<uint8_t*>(buffer);
  size_t got = 0;
  while (got < count) {
    const size_t n = stream.read(out + got, count - got);
    if (n == 0) invalidFormat();
    got += n;
  }
}

int32_t readInt32(base::Stream& stream) {
  uint8_t b[4];
  readField(stream, b, 4);
  return base::loadLEI32(b);
}

uint8_t foldAnsi(uint8_t c) {
  if (c >= 'A' && c <= 'Z') return static_cast<uint8_t>(c + 0x20);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<uint8_t>(c + 0x20);  // Latin-1 capitals, not ×
  switch (c) {
    case 0x8A: return 0x9A;  // Š
    case 0x8C: return 0x9C;  // Œ
    case 0x8E: return 0x9E;  // Ž
    case 0x9F: return 0xFF;  // Ÿ
    default: return c;
  }
}

}  // namespace

bool AnsiSameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (foldAnsi(static_cast<uint8_t>(a[i])) != foldAnsi(static_cast<uint8_t>(b[i]))) return false;
  return true;
}

// --- TVsGraphic ---

void TVsGraphic::Assign(const forms::TPersistent* source) {
  const auto* other = dynamic_cast<const TVsGraphic*>(source);
  if (other == nullptr || other == this) return;
  UpdateBatch batch(*this);
  name_ = other->name_;
  bitmap_ = other->bitmap_;
}

void TVsGraphic::LoadFromStream(base::Stream& stream) {
  const int32_t length = readInt32(stream);
  if (length > 0) {
    if (length > stream.remaining()) invalidFormat();
    std::string name(static_cast<size_t>(length), '\0');
    readField(stream, name.data(), name.size());
    name_ = std::move(name);
  } else {
    name_.clear();
  }
  uint8_t emptyFlag = 0;
  readField(stream, &emptyFlag, 1);
  if (emptyFlag == 0)
    bitmap_.loadFromStream(stream);
  else
    bitmap_.clear();
}

void TVsGraphic::SaveToStream(base::Stream& stream) const {
  stream.writeI32LE(base::checkedCast<int32_t>(name_.size()));
  stream.writeBuffer(name_.data(), name_.size());
  stream.writeU8(bitmap_.empty() ? 1 : 0);
  if (!bitmap_.empty()) bitmap_.saveToStream(stream);
}

// --- TVsGraphics ---

TVsGraphics::~TVsGraphics() {
  OnChange = nullptr;
  items_.clear();
}

void TVsGraphics::CheckIndex(int32_t index) const {
  if (index < 0 || index >= Count()) throw base::EListError(index);
}

TVsGraphic* TVsGraphics::Items(int32_t index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].get();
}

int32_t TVsGraphics::Add(const forms::TPersistent* graphic) {
  const int32_t index = base::checkedCast<int32_t>(items_.size());
  auto entry = std::make_unique<TVsGraphic>();
  entry->Assign(graphic);
  items_.push_back(std::move(entry));
  Changed();
  return index;
}

void TVsGraphics::Delete(int32_t index) {
  CheckIndex(index);
  items_.erase(items_.begin() + index);
  Changed();
}

void TVsGraphics::Clear() {
  UpdateBatch batch(*this);
  while (Count() > 0) Delete(0);
}

int32_t TVsGraphics::IndexOf(std::string_view name) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (AnsiSameText(items_[static_cast<size_t>(i)]->Name(), name)) return i;
  return -1;
}

void TVsGraphics::Assign(const forms::TPersistent* source) {
  if (source == nullptr) return Clear();
  const auto* other = dynamic_cast<const TVsGraphics*>(source);
  if (other == nullptr || other == this) return;
  UpdateBatch batch(*this);
  Clear();
  for (const auto& entry : other->items_) Add(entry.get());
}

void TVsGraphics::DefineProperties(forms::Filer& filer) {
  TVsPersistent::DefineProperties(filer);
  filer.defineBinaryProperty(
      "Graphics", [this](base::Stream& s) { ReadData(s); }, [this](base::Stream& s) { WriteData(s); }, Count() > 0);
}

void TVsGraphics::LoadFromStream(base::Stream& stream) {
  Clear();
  TVsGraphic scratch;
  uint8_t signature[4];
  readField(stream, signature, 4);
  const uint32_t found = base::loadLE32(signature);
  if (found != kGraphicsSignature) invalidFormat();
  const int32_t count = readInt32(stream);
  // The last index is computed checked: a count of -2147483648 overflows here.
  const int32_t last = base::checkedSub<int32_t>(count, 1);
  for (int32_t i = 0; i <= last; ++i) {
    scratch.LoadFromStream(stream);
    Add(&scratch);
  }
}

void TVsGraphics::SaveToStream(base::Stream& stream) const {
  stream.writeU32LE(kGraphicsSignature);
  stream.writeI32LE(Count());
  for (const auto& entry : items_) entry->SaveToStream(stream);
}

void TVsGraphics::LoadFromFile(const std::string& fileName) {
  platform::FileStream file(fileName, platform::FileMode::OpenRead);
  UpdateBatch batch(*this);
  LoadFromStream(file);
}

void TVsGraphics::SaveToFile(const std::string& fileName) const {
  platform::writeFileReplacing(fileName, [this](base::Stream& out) { SaveToStream(out); });
}

void TVsGraphics::ReadData(base::Stream& stream) {
  UpdateBatch batch(*this);
  Clear();
  LoadFromStream(stream);
}

void TVsGraphics::WriteData(base::Stream& stream) {
  UpdateBatch batch(*this);
  SaveToStream(stream);
}

}  // namespace skin
