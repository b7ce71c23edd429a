// Writing a whole file so that a failure never leaves a half-written file:
// the new content goes to a fresh file beside the target, which then replaces it.
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
