// What every toolkit shares of the resources: a bitmap read from a resource's bytes.
#include "forms/Resources.h"

#include "base/Stream.h"

namespace forms {

base::Bitmap LoadBitmapResource(const std::string& name) {
  const std::string bytes = LoadDataResource(name);
  base::ConstMemoryStream stream(bytes.data(), bytes.size());
  base::Bitmap bitmap;
  bitmap.loadFromStream(stream);
  return bitmap;
}

}  // namespace forms
