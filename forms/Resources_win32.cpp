// Resources as RCDATA resources of the program file, under their names.
#include "forms/System_win32.h"

#include "base/Errors.h"
#include "forms/Resources.h"

namespace forms {

std::string LoadDataResource(const std::string& name) {
  HMODULE program = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceA(program, name.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
  HGLOBAL loaded = found != nullptr ? LoadResource(program, found) : nullptr;
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) throw base::EFOpenError(name, base::systemErrorText(static_cast<int>(GetLastError())));
  return std::string(static_cast<const char*>(bytes), SizeofResource(program, found));
}

}  // namespace forms
