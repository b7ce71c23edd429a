// TVsIni: the in-memory ini file the skin's read and write events hand over.
#pragma once

#include "forms/core/IniFiles.h"

namespace skin {

class TVsIni : public forms::TMemIniFile {
 public:
  using forms::TMemIniFile::TMemIniFile;
};

}  // namespace skin
