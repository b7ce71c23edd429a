// The root of the skin library's visual classes (Qt).
#pragma once

#include "forms/Controls.h"

namespace skin {

class TVsCustomControl : public forms::TCustomControl {
 public:
  using forms::TCustomControl::TCustomControl;
  const char* ClassName() const override { return "TVsCustomControl"; }

 protected:
  ~TVsCustomControl() override = default;
};

}  // namespace skin
