#include "forms/core/FormData.h"

#include <cstring>

#include "base/ByteOrder.h"
#include "forms/core/Filer.h"

namespace forms {

namespace {

[[noreturn]] void invalidStream() { throw EFilerError(msg::InvalidStream); }
[[noreturn]] void invalidValue() { throw EFilerError(msg::InvalidPropertyValue); }

void writeShortString(base::Stream& s, std::string_view text) {
  if (text.size() > 255) invalidValue();
  s.writeU8(static_cast<uint8_t>(text.size()));
  s.writeBuffer(text.data(), text.size());
}

void writeLongString(base::Stream& s, std::string_view text) {
  if (text.size() > UINT32_MAX) invalidValue();
  s.writeU32LE(static_cast<uint32_t>(text.size()));
  s.writeBuffer(text.data(), text.size());
}

void writeType(base::Stream& s, ValueType t) { s.writeU8(static_cast<uint8_t>(t)); }

class PropertyWriter final : public Filer {
 public:
  explicit PropertyWriter(base::Stream& s) : s_(s) {}

  void defineInteger(std::string_view name, Getter<int32_t> get, Setter<int32_t>,
                     std::optional<int32_t> def) override {
    writeUnlessDefault(name, get, def, ValueType::Int32, [this](int32_t v) { s_.writeI32LE(v); });
  }
  void defineBoolean(std::string_view name, Getter<bool> get, Setter<bool>, std::optional<bool> def) override {
    const bool v = get();
    if (def && v == *def) return;
    writeName(name, v ? ValueType::True : ValueType::False);
  }
  void defineString(std::string_view name, Getter<std::string> get, Setter<std::string>,
                    std::optional<std::string> def) override {
    writeUnlessDefault(name, get, def, ValueType::String, [this](const std::string& v) { writeLongString(s_, v); });
  }
  void defineIdent(std::string_view name, Getter<std::string> get, Setter<std::string>,
                   std::optional<std::string> def) override {
    writeUnlessDefault(name, get, def, ValueType::Ident, [this](const std::string& v) { writeShortString(s_, v); });
  }
  void defineSet(std::string_view name, Getter<Strings> get, Setter<Strings>) override {
    writeName(name, ValueType::Set);
    for (const std::string& item : get()) {
      if (item.empty()) invalidValue();
      writeShortString(s_, item);
    }
    s_.writeU8(0);
  }
  void defineStrings(std::string_view name, Getter<Strings> get, Setter<Strings>) override {
    const Strings lines = get();
    if (lines.empty()) return;
    writeName(name, ValueType::List);
    for (const std::string& line : lines) {
      writeType(s_, ValueType::String);
      writeLongString(s_, line);
    }
    writeType(s_, ValueType::Null);
  }
  void defineComponent(std::string_view name, Getter<TComponent*> get, Setter<TComponent*>) override {
    const TComponent* c = get();
    if (c == nullptr || c->Name().empty()) return;
    writeName(name, ValueType::Ident);
    writeShortString(s_, c->Name());
  }
  void defineEvent(std::string_view name, EventSlot& event) override {
    if (event.handlerName().empty()) return;
    writeName(name, ValueType::Ident);
    writeShortString(s_, event.handlerName());
  }
  void defineObject(std::string_view name, TPersistent& object) override {
    const size_t keep = prefix_.size();
    prefix_.append(name).push_back('.');
    object.DefineProperties(*this);
    prefix_.resize(keep);
  }
  void defineBinaryProperty(std::string_view name, std::function<void(base::Stream&)>,
                            std::function<void(base::Stream&)> write, bool hasData) override {
    if (!hasData) return;
    base::MemoryStream data;
    write(data);
    writeName(name, ValueType::Binary);
    writeLongString(s_, std::string_view(reinterpret_cast<const char*>(data.data()), data.bytes().size()));
  }

 private:
  void writeName(std::string_view name, ValueType type) {
    writeShortString(s_, prefix_ + std::string(name));
    writeType(s_, type);
  }
  template <typename T, typename WriteValue>
  void writeUnlessDefault(std::string_view name, const Getter<T>& get, const std::optional<T>& def, ValueType type,
                          WriteValue writeValue) {
    const T v = get();
    if (def && v == *def) return;
    writeName(name, type);
    writeValue(v);
  }

  base::Stream& s_;
  std::string prefix_;
};

void writeObject(base::Stream& s, TComponent& c, const TComponent& root, int depth) {
  if (depth > kMaxNesting) invalidValue();
  writeShortString(s, c.ClassName());
  writeShortString(s, c.Name());
  PropertyWriter props(s);
  c.DefineProperties(props);
  s.writeU8(0);
  for (TComponent* child : c.GetChildren(&root)) writeObject(s, *child, root, depth + 1);
  s.writeU8(0);
}

class Reader;

// Finds the property named by path among those an object defines, and reads its value.
class PropertyReader final : public Filer {
 public:
  PropertyReader(Reader& reader, std::string_view path) : r_(reader), path_(path) {}
  bool matched() const { return matched_; }

  void defineInteger(std::string_view name, Getter<int32_t>, Setter<int32_t> set, std::optional<int32_t>) override;
  void defineBoolean(std::string_view name, Getter<bool>, Setter<bool> set, std::optional<bool>) override;
  void defineString(std::string_view name, Getter<std::string>, Setter<std::string> set,
                    std::optional<std::string>) override;
  void defineIdent(std::string_view name, Getter<std::string>, Setter<std::string> set,
                   std::optional<std::string>) override;
  void defineSet(std::string_view name, Getter<Strings>, Setter<Strings> set) override;
  void defineStrings(std::string_view name, Getter<Strings>, Setter<Strings> set) override;
  void defineComponent(std::string_view name, Getter<TComponent*>, Setter<TComponent*> set) override;
  void defineEvent(std::string_view name, EventSlot& event) override;
  void defineObject(std::string_view name, TPersistent& object) override;
  void defineBinaryProperty(std::string_view name, std::function<void(base::Stream&)> read,
                            std::function<void(base::Stream&)>, bool) override;

 private:
  bool claim(std::string_view name) {
    if (matched_ || !SameName(name, path_)) return false;
    matched_ = true;
    return true;
  }

  Reader& r_;
  std::string_view path_;
  bool matched_ = false;
};

class Reader {
 public:
  Reader(base::Stream& s, TComponent& root) : s_(s), root_(root) {}

  void readRoot() {
    uint8_t signature[4];
    readExact(signature, 4);
    if (std::memcmp(signature, kFormSignature, 4) != 0) invalidStream();
    root_.SetLoadingState(csLoading | csReading);
    try {
      if (readShortString() != root_.ClassName()) invalidStream();
      root_.SetName(readShortString());
      readBody(root_, 0);
      for (const Fixup& f : fixups_) f.set(resolve(f.name));
    } catch (...) {
      destroyCreated();
      root_.ClearLoadingState(csLoading | csReading);
      throw;
    }
    callLoaded();
  }

  // Reading primitives: a stream that ends early is an invalid stream.
  void readExact(void* buffer, size_t count) {
    if (count > 0 && s_.read(buffer, count) != count) invalidStream();
  }
  uint8_t readU8() {
    uint8_t v;
    readExact(&v, 1);
    return v;
  }
  ValueType readType() { return static_cast<ValueType>(readU8()); }
  int32_t readI32() {
    uint8_t b[4];
    readExact(b, 4);
    return base::loadLEI32(b);
  }
  std::string readBytes(uint32_t count) {
    if (static_cast<int64_t>(count) > s_.remaining()) invalidStream();
    std::string text(count, '\0');
    readExact(text.data(), count);
    return text;
  }
  std::string readShortString() { return readBytes(readU8()); }
  std::string readLongString() { return readBytes(static_cast<uint32_t>(readI32())); }

  void addFixup(Filer::Setter<TComponent*> set, std::string name) { fixups_.push_back({std::move(set), std::move(name)}); }
  const TComponent& root() const { return root_; }

 private:
  struct Fixup {
    Filer::Setter<TComponent*> set;
    std::string name;
  };

  void readBody(TComponent& c, int depth) {
    for (std::string path = readShortString(); !path.empty(); path = readShortString()) {
      PropertyReader property(*this, path);
      c.DefineProperties(property);
      if (!property.matched()) throw EFilerError(base::formatMessage(msg::UnknownProperty, {path}));
    }
    for (std::string className = readShortString(); !className.empty(); className = readShortString()) {
      if (depth >= kMaxNesting) invalidStream();
      readChild(className, c, depth + 1);
    }
  }

  void readChild(const std::string& className, TComponent& parent, int depth) {
    const ComponentFactory& create = FindClass(className);
    TComponent* c = create(&root_);
    created_.push_back(c);
    c->SetLoadingState(csLoading | csReading);
    c->SetName(readShortString());
    if (c->HasParent()) c->SetParentComponent(&parent);
    readBody(*c, depth);
  }

  TComponent* resolve(const std::string& name) const {
    if (SameName(name, root_.Name())) return &root_;
    TComponent* c = root_.FindComponent(name);
    if (c == nullptr) throw EFilerError(base::formatMessage(msg::UnresolvedReference, {name}));
    return c;
  }

  bool stillOwned(const TComponent* c) const { return root_.IndexOfComponent(c) >= 0; }

  // Last created first, so nothing is destroyed through a component destroyed earlier.
  void destroyCreated() {
    for (auto it = created_.rbegin(); it != created_.rend(); ++it)
      if (stillOwned(*it)) TComponent::Free(*it);
    created_.clear();
  }

  void callLoaded() {
    root_.ClearLoadingState(csReading);
    for (TComponent* c : created_) c->ClearLoadingState(csReading);
    size_t next = 0;
    try {
      root_.Loaded();
      for (; next < created_.size(); ++next)
        if (stillOwned(created_[next])) created_[next]->Loaded();
    } catch (...) {
      root_.ClearLoadingState(csLoading);
      for (; next < created_.size(); ++next)
        if (stillOwned(created_[next])) created_[next]->ClearLoadingState(csLoading);
      throw;
    }
  }

  base::Stream& s_;
  TComponent& root_;
  std::vector<TComponent*> created_;
  std::vector<Fixup> fixups_;
};

void expect(ValueType actual, ValueType wanted) {
  if (actual != wanted) invalidValue();
}

void PropertyReader::defineInteger(std::string_view name, Getter<int32_t>, Setter<int32_t> set,
                                   std::optional<int32_t>) {
  if (!claim(name)) return;
  expect(r_.readType(), ValueType::Int32);
  set(r_.readI32());
}

void PropertyReader::defineBoolean(std::string_view name, Getter<bool>, Setter<bool> set, std::optional<bool>) {
  if (!claim(name)) return;
  const ValueType t = r_.readType();
  if (t != ValueType::True && t != ValueType::False) invalidValue();
  set(t == ValueType::True);
}

void PropertyReader::defineString(std::string_view name, Getter<std::string>, Setter<std::string> set,
                                  std::optional<std::string>) {
  if (!claim(name)) return;
  expect(r_.readType(), ValueType::String);
  set(r_.readLongString());
}

void PropertyReader::defineIdent(std::string_view name, Getter<std::string>, Setter<std::string> set,
                                 std::optional<std::string>) {
  if (!claim(name)) return;
  expect(r_.readType(), ValueType::Ident);
  set(r_.readShortString());
}

void PropertyReader::defineSet(std::string_view name, Getter<Strings>, Setter<Strings> set) {
  if (!claim(name)) return;
  expect(r_.readType(), ValueType::Set);
  Strings items;
  for (std::string item = r_.readShortString(); !item.empty(); item = r_.readShortString()) items.push_back(item);
  set(items);
}

void PropertyReader::defineStrings(std::string_view name, Getter<Strings>, Setter<Strings> set) {
  if (!claim(name)) return;
  expect(r_.readType(), ValueType::List);
  Strings lines;
  for (ValueType t = r_.readType(); t != ValueType::Null; t = r_.readType()) {
    expect(t, ValueType::String);
    lines.push_back(r_.readLongString());
  }
  set(lines);
}

void PropertyReader::defineComponent(std::string_view name, Getter<TComponent*>, Setter<TComponent*> set) {
  if (!claim(name)) return;
  const ValueType t = r_.readType();
  if (t == ValueType::Nil) return set(nullptr);
  expect(t, ValueType::Ident);
  r_.addFixup(std::move(set), r_.readShortString());
}

void PropertyReader::defineEvent(std::string_view name, EventSlot& event) {
  if (!claim(name)) return;
  expect(r_.readType(), ValueType::Ident);
  const std::string handler = r_.readShortString();
  event.bind(handler, r_.root().MethodAddress(handler));
}

void PropertyReader::defineObject(std::string_view name, TPersistent& object) {
  if (matched_ || path_.size() <= name.size() || path_[name.size()] != '.' ||
      !SameName(path_.substr(0, name.size()), name))
    return;
  PropertyReader inner(r_, path_.substr(name.size() + 1));
  object.DefineProperties(inner);
  matched_ = inner.matched();
}

void PropertyReader::defineBinaryProperty(std::string_view name, std::function<void(base::Stream&)> read,
                                          std::function<void(base::Stream&)>, bool) {
  if (!claim(name)) return;
  expect(r_.readType(), ValueType::Binary);
  const std::string bytes = r_.readLongString();
  base::ConstMemoryStream data(bytes.data(), bytes.size());
  read(data);
}

}  // namespace

void WriteComponent(base::Stream& stream, TComponent& root) {
  stream.writeBuffer(kFormSignature, sizeof kFormSignature);
  writeObject(stream, root, root, 0);
}

void ReadComponent(base::Stream& stream, TComponent& root) { Reader(stream, root).readRoot(); }

}  // namespace forms
