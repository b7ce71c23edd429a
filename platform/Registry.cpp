#include "platform/Registry.h"

#include "base/Errors.h"

namespace platform {

std::string foldRegistryName(std::string name) {
  for (char& c : name)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return name;
}

std::string RegistryKey::readString(const std::string& name) const {
  const auto v = value(name);
  if (!v || v->data.empty()) return {};
  if (!v->isText()) throw base::ERegistryException(name);
  return v->data.substr(0, v->data.find('\0'));
}

}  // namespace platform
