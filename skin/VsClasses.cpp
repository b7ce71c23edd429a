#include "skin/VsClasses.h"

#include "base/Checked.h"

namespace skin {

void TVsPersistent::BeginUpdate() { updateCount_ = base::checkedAdd<int32_t>(updateCount_, 1); }

void TVsPersistent::EndUpdate() {
  if (updateCount_ > 0) --updateCount_;
  Changed();
}

void TVsPersistent::Changed() {
  if (updateCount_ == 0 && OnChange) OnChange(this);
}

}  // namespace skin
