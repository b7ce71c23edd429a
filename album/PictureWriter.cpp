#include "album/PictureWriter.h"

#include "platform/FileWriter.h"

namespace album {

void writePicture(const base::Bitmap& picture, const std::string& path) {
  platform::writeFileReplacing(path, [&picture](base::Stream& out) { picture.saveToStream(out); });
}

}  // namespace album
