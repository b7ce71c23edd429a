// Decodes arbitrary bytes as a picture database, the way the main window
// does, and checks what a decoded picture must look like.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "album/PictureDatabase.h"
#include "base/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    album::PictureDatabase db(std::make_unique<base::ConstMemoryStream>(data, size));
    if (db.name().size() > 32) std::abort();
    (void)db.hasPictureName();
    const int64_t offset = db.pixelOffset();
    if (offset < 80 || offset > 524360) std::abort();
    album::PictureSize kind = db.pictureSize();
    album::DecodeSteps steps;
    steps.sizeKnown = [&kind](album::PictureSize size) { kind = size; };
    base::Bitmap picture;
    if (!album::decodeDatabase(db, picture, steps)) return 0;
    if (picture.width() != album::pictureWidth(kind) || picture.height() != album::pictureHeight(kind)) std::abort();
    if (picture.toBmp().size() != album::templateFileSize(kind)) std::abort();
  } catch (const base::Exception&) {
    // Stream errors for files that end early are expected.
  }
  try {
    (void)album::decodePicture(data, size);
  } catch (const base::Exception&) {
  }
  return 0;
}
