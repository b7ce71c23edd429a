// qalbum skin: graphics stream files (the skin's named-bitmap collections).
#include <iostream>
#include <string>

#include "base/Bitmap.h"
#include "base/Errors.h"
#include "base/Text.h"
#include "cli/Commands.h"
#include "platform/Directory.h"
#include "platform/FileStream.h"
#include "platform/Files.h"
#include "skin/VsGraphics.h"

namespace cli {

int runSkinRegion(const Args& args);  // CmdSkinRegion.cpp

namespace {

// Writes the bytes under a temporary name and moves them over path, so a
// failure never leaves a partly written file behind.
void writeFileWhole(const std::string& path, const base::MemoryStream& bytes) {
  const std::string temp = path + ".partial";
  try {
    platform::FileStream out(temp, platform::FileMode::Create);
    out.writeBuffer(bytes.data(), bytes.bytes().size());
    out.close();
  } catch (...) {
    platform::removeFile(temp);
    throw;
  }
  if (!platform::replaceFile(temp, path)) {
    const std::string reason = platform::lastErrorText();
    platform::removeFile(temp);
    throw base::EFCreateError(path, reason);
  }
}

std::string describe(const base::Bitmap& b) {
  if (b.empty()) return "empty";
  return std::to_string(b.width()) + "x" + std::to_string(b.height()) + "x" + std::to_string(b.bitsPerPixel());
}

int list(const Args& args) {
  skin::TVsGraphics graphics;
  graphics.LoadFromFile(args[0]);
  for (int32_t i = 0; i < graphics.Count(); ++i) {
    const skin::TVsGraphic* g = graphics.Items(i);
    std::cout << i << '\t' << base::escapeControls(base::cp1252ToUtf8(g->Name())) << '\t' << describe(g->Bitmap())
              << '\n';
  }
  return 0;
}

int pack(const Args& args) {
  skin::TVsGraphics graphics;
  for (size_t i = 1; i < args.size(); ++i) {
    const size_t eq = args[i].find('=');
    if (eq == std::string::npos) return fail("Expected NAME=BMP, got \"" + args[i] + "\".");
    skin::TVsGraphic entry;
    entry.SetName(platform::systemTextToAnsi(args[i].substr(0, eq)));
    platform::FileStream in(args[i].substr(eq + 1), platform::FileMode::OpenRead);
    entry.Bitmap().loadFromStream(in);
    graphics.Add(&entry);
  }
  base::MemoryStream bytes;
  graphics.SaveToStream(bytes);
  writeFileWhole(args[0], bytes);
  return 0;
}

int extract(const Args& args) {
  skin::TVsGraphics graphics;
  graphics.LoadFromFile(args[0]);
  const int32_t index = graphics.IndexOf(platform::systemTextToAnsi(args[1]));
  if (index < 0) return fail("No picture named \"" + args[1] + "\".");
  const base::Bitmap& bitmap = graphics.Items(index)->Bitmap();
  if (bitmap.empty()) return fail("The picture \"" + args[1] + "\" is empty.");
  base::MemoryStream bytes;
  bitmap.saveToStream(bytes);
  writeFileWhole(args[2], bytes);
  return 0;
}

struct SkinCommand {
  const char* name;
  const char* arguments;
  size_t minArgs;
  size_t maxArgs;
  int (*run)(const Args& args);
};

// The sub-commands of "qalbum skin".
const SkinCommand kSkinCommands[] = {
    {"list", "FILE", 1, 1, list},
    {"pack", "OUT NAME=BMP...", 1, SIZE_MAX, pack},
    {"extract", "FILE NAME OUT.bmp", 3, 3, extract},
    {"region", "FILE NAME --mask RRGGBB", 4, 4, runSkinRegion},
};

int usage() {
  std::string text = "Usage:";
  for (const SkinCommand& c : kSkinCommands) text += std::string("\n  qalbum skin ") + c.name + " " + c.arguments;
  return fail(text);
}

}  // namespace

int runSkin(const Args& args) {
  if (args.empty()) return usage();
  for (const SkinCommand& c : kSkinCommands) {
    if (args[0] != c.name) continue;
    const Args rest(args.begin() + 1, args.end());
    if (rest.size() < c.minArgs || rest.size() > c.maxArgs) return usage();
    return c.run(rest);
  }
  return usage();
}

}  // namespace cli
