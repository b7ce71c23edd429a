// How a persistent object describes its stored properties. DefineProperties
// calls one define... method per property, with a getter and a setter (or the
// object itself for a nested persistent object); the form-data writer asks the
// getters, the reader calls the setter of the property it has just met.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Stream.h"
#include "forms/core/Classes.h"

namespace forms {

class Filer {
 public:
  template <typename T>
  using Getter = std::function<T()>;
  template <typename T>
  using Setter = std::function<void(const T&)>;
  using Strings = std::vector<std::string>;

  virtual ~Filer() = default;

  // Published properties. A value equal to its default is not written.
  // Colours are integers (0x00BBGGRR, or a system colour value).
  virtual void defineInteger(std::string_view name, Getter<int32_t> get, Setter<int32_t> set,
                             std::optional<int32_t> def = std::nullopt) = 0;
  virtual void defineBoolean(std::string_view name, Getter<bool> get, Setter<bool> set,
                             std::optional<bool> def = std::nullopt) = 0;
  virtual void defineString(std::string_view name, Getter<std::string> get, Setter<std::string> set,
                            std::optional<std::string> def = std::nullopt) = 0;
  // An enumeration value, stored by its identifier.
  virtual void defineIdent(std::string_view name, Getter<std::string> get, Setter<std::string> set,
                           std::optional<std::string> def = std::nullopt) = 0;
  // A set of enumeration values, stored as identifiers; always written.
  virtual void defineSet(std::string_view name, Getter<Strings> get, Setter<Strings> set) = 0;
  // A list of strings; an empty list is not written.
  virtual void defineStrings(std::string_view name, Getter<Strings> get, Setter<Strings> set) = 0;
  // A reference to another component of the same root, stored by name and set
  // once every object has been read. None is not written.
  virtual void defineComponent(std::string_view name, Getter<TComponent*> get, Setter<TComponent*> set) = 0;
  // An event, stored by its handler's name; an event without a name is not written.
  virtual void defineEvent(std::string_view name, EventSlot& event) = 0;
  // A nested persistent object: its own properties are stored as "name.property".
  virtual void defineObject(std::string_view name, TPersistent& object) = 0;
  // A property in a format of the object's own: the writer hands write a
  // stream to fill, the reader hands read a stream holding exactly the stored bytes.
  virtual void defineBinaryProperty(std::string_view name, std::function<void(base::Stream&)> read,
                                    std::function<void(base::Stream&)> write, bool hasData) = 0;

  // Plain stores into a variable.
  void bindInteger(std::string_view name, int32_t& value, std::optional<int32_t> def = std::nullopt) {
    defineInteger(name, [&value] { return value; }, [&value](const int32_t& v) { value = v; }, def);
  }
  void bindBoolean(std::string_view name, bool& value, std::optional<bool> def = std::nullopt) {
    defineBoolean(name, [&value] { return value; }, [&value](const bool& v) { value = v; }, def);
  }
  void bindString(std::string_view name, std::string& value, std::optional<std::string> def = std::string()) {
    defineString(name, [&value] { return value; }, [&value](const std::string& v) { value = v; }, std::move(def));
  }
};

}  // namespace forms
