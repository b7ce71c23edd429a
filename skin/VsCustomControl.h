// The root of the skin library's visual classes.
#pragma once

#include "forms/PublishableControl.h"

namespace skin {

class TVsCustomControl : public forms::TPublishableControl {
 public:
  using forms::TPublishableControl::TPublishableControl;
  const char* ClassName() const override { return "TVsCustomControl"; }

 protected:
  ~TVsCustomControl() override = default;
};

}  // namespace skin
