#include "album/PictureWriter.h"

#include "album/SafeFile.h"

namespace album {

void writePicture(const base::Bitmap& picture, const std::string& path) {
  writeFileReplacing(path, [&picture](base::Stream& out) { picture.saveToStream(out); });
}

}  // namespace album
