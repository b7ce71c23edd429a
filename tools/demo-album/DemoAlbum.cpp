#include "tools/demo-album/DemoAlbum.h"

#include "album/DatabaseBuilder.h"
#include "platform/FileWriter.h"
#include "platform/Files.h"

namespace demo {

std::vector<DemoDatabase> demoDatabases() {
  std::vector<DemoDatabase> out;
  for (const DemoDrawing& d : demoDrawings()) {
    for (int scale : {1, 2}) {
      Canvas canvas(scale);
      d.draw(canvas);
      const std::string name = std::string("QuilloryPic") + d.title + (scale == 2 ? "Large" : "");
      out.push_back({name + ".pdb", album::buildPictureDatabase(name, canvas.pixels())});
    }
  }
  return out;
}

std::vector<std::string> writeDemoAlbum(const std::string& folder) {
  std::string prefix = folder;
  if (!prefix.empty() && prefix.back() != platform::kPathSeparator) prefix += platform::kPathSeparator;
  std::vector<std::string> paths;
  for (const DemoDatabase& db : demoDatabases()) {
    const std::string path = prefix + db.fileName;
    platform::writeFileReplacing(path, [&db](base::Stream& s) { s.writeBuffer(db.bytes.data(), db.bytes.size()); });
    paths.push_back(path);
  }
  return paths;
}

}  // namespace demo
