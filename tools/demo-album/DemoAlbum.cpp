#include "tools/demo-album/DemoAlbum.h"

#include "tools/DatabaseBuilder.h"
#include "platform/FileWriter.h"
#include "platform/Files.h"

namespace demo {

std::vector<DemoDatabase> demoDatabases() {
  std::vector<DemoDatabase> out;
  // The drawings were made a few days apart in spring 2003 and touched up later.
  constexpr uint32_t kDay = 86400;
  uint32_t day = 0;
  for (const DemoDrawing& d : demoDrawings()) {
    for (int scale : {1, 2}) {
      Canvas canvas(scale);
      d.draw(canvas);
      const std::string name = std::string("QuilloryPic") + d.title + (scale == 2 ? "Large" : "");
      album::DatabaseDates dates;
      dates.created = album::DatabaseDates::kJune2003 - 60 * kDay + 3 * day * kDay + 9 * 3600;
      dates.modified = dates.created + (day % 3) * kDay + 1800;
      ++day;
      out.push_back({name + ".pdb", album::buildPictureDatabase(name, canvas.pixels(), dates)});
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
