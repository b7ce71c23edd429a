#include "cli/SkinPicture.h"

#include "cli/Commands.h"
#include "cli/Messages.h"
#include "platform/Directory.h"

namespace cli {

const base::Bitmap* findSkinPicture(skin::TVsGraphics& graphics, const std::string& file, const std::string& name) {
  graphics.LoadFromFile(file);
  const int32_t index = graphics.IndexOf(platform::systemTextToAnsi(name));
  if (index < 0) {
    fail(base::formatMessage(msg::NoPictureNamed, {name}));
    return nullptr;
  }
  return &graphics.Items(index)->Bitmap();
}

}  // namespace cli
