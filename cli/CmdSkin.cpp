// qalbum skin: graphics stream files (the skin's named-bitmap collections).
#include <iostream>
#include <string>

#include "base/Bitmap.h"
#include "base/Errors.h"
#include "base/Text.h"
#include "cli/Commands.h"
#include "cli/Messages.h"
#include "cli/SkinPicture.h"
#include "platform/Directory.h"
#include "platform/FileStream.h"
#include "platform/FileWriter.h"
#include "skin/VsGraphics.h"

namespace cli {

namespace {

std::string describe(const base::Bitmap& b) {
  if (b.empty()) return "empty";
  return std::to_string(b.width()) + "x" + std::to_string(b.height()) + "x" + std::to_string(b.bitsPerPixel());
}

}  // namespace

int runSkinList(const Invocation& call) {
  const Args& args = call.args;
  skin::TVsGraphics graphics;
  graphics.LoadFromFile(args[0]);
  for (int32_t i = 0; i < graphics.Count(); ++i) {
    const skin::TVsGraphic* g = graphics.Items(i);
    std::cout << i << '\t' << base::escapeControls(base::cp1252ToUtf8(g->Name())) << '\t' << describe(g->Bitmap())
              << '\n';
  }
  return 0;
}

int runSkinPack(const Invocation& call) {
  const Args& args = call.args;
  skin::TVsGraphics graphics;
  for (size_t i = 1; i < args.size(); ++i) {
    const size_t eq = args[i].find('=');
    if (eq == std::string::npos) throw UsageError(base::formatMessage(msg::ExpectedNameBmp, {args[i]}));
    skin::TVsGraphic entry;
    entry.SetName(skinPictureName(args[i].substr(0, eq)));
    platform::FileStream in(args[i].substr(eq + 1), platform::FileMode::OpenRead);
    entry.Bitmap().loadFromStream(in);
    graphics.Add(&entry);
  }
  graphics.SaveToFile(args[0]);
  return 0;
}

int runSkinExtract(const Invocation& call) {
  const Args& args = call.args;
  skin::TVsGraphics graphics;
  const base::Bitmap* picture = findSkinPicture(graphics, args[0], args[1]);
  if (picture == nullptr) return 1;
  const base::Bitmap& bitmap = *picture;
  if (bitmap.empty()) return fail(base::formatMessage(msg::EmptyPicture, {args[1]}));
  platform::writeFileReplacing(args[2], [&bitmap](base::Stream& out) { bitmap.saveToStream(out); });
  return 0;
}

}  // namespace cli
