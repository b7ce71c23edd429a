// The web album's style sheet and script (album/web/), compiled into the program.
#pragma once

#include <string_view>

namespace album {

std::string_view albumStyleSheet();
std::string_view albumScript();

}  // namespace album
