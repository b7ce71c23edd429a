#include "cli/SkinPicture.h"

#include "cli/Commands.h"
#include "cli/Messages.h"
#include "base/Errors.h"
#include "base/Text.h"
#include "platform/Directory.h"

namespace cli {

namespace {

// A name from the command line as a message shows it.
std::string shownName(const std::string& name) { return base::escapeControls(platform::fileNameToText(name)); }

}  // namespace

std::string skinPictureName(const std::string& name) {
  const std::optional<std::string> ansi = platform::systemTextToAnsi(name);
  if (!ansi) throw base::Exception(base::formatMessage(msg::NameNotWindows1252, {shownName(name)}));
  return *ansi;
}

const base::Bitmap* findSkinPicture(skin::TVsGraphics& graphics, const std::string& file, const std::string& name) {
  graphics.LoadFromFile(file);
  const std::optional<std::string> ansi = platform::systemTextToAnsi(name);
  const int32_t index = ansi ? graphics.IndexOf(*ansi) : -1;
  if (index < 0) {
    fail(base::formatMessage(msg::NoPictureNamed, {shownName(name)}));
    return nullptr;
  }
  return &graphics.Items(index)->Bitmap();
}

}  // namespace cli
