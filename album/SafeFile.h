// Writing a whole file so that a failure never leaves a half-written file or
// loses an older one: a free name is written in place and removed on failure;
// over an existing file the new content goes to a fresh file beside it first.
#pragma once

#include <functional>
#include <string>

#include "base/Stream.h"

namespace album {

// Calls `write` with a stream on a new temporary file in the target's folder,
// then puts that file in the target's place. On any failure the temporary file
// is removed, an existing target stays as it was, and "Cannot create file "%s". %s"
// is raised with the target's path and the cause.
void writeFileReplacing(const std::string& path, const std::function<void(base::Stream&)>& write);

}  // namespace album
