// TVsPersistent: the skin library's persistent base with batched change
// notification. Changes inside BeginUpdate ... EndUpdate yield one OnChange,
// from the outermost EndUpdate.
#pragma once

#include <cstdint>
#include <exception>

#include "forms/core/Classes.h"

namespace skin {

class TVsPersistent : public forms::TPersistent {
 public:
  const char* ClassName() const override { return "TVsPersistent"; }

  int32_t UpdateCount() const { return updateCount_; }
  void BeginUpdate();
  // Closes a batch if one is open, then calls Changed in every case.
  void EndUpdate();
  // Tells OnChange, unless a batch is open.
  void Changed();

  forms::TNotifyEvent OnChange;

 private:
  int32_t updateCount_ = 0;
};

// Opens a batch for the lifetime of the guard, so the batch closes on failure too.
class UpdateBatch {
 public:
  explicit UpdateBatch(TVsPersistent& target) : target_(target) { target_.BeginUpdate(); }
  ~UpdateBatch() noexcept(false) {
    // A failure is already on its way: a second one from the notification would end the program.
    if (std::uncaught_exceptions() > pending_) {
      try {
        target_.EndUpdate();
      } catch (...) {
      }
      return;
    }
    target_.EndUpdate();
  }
  UpdateBatch(const UpdateBatch&) = delete;
  UpdateBatch& operator=(const UpdateBatch&) = delete;

 private:
  TVsPersistent& target_;
  int pending_ = std::uncaught_exceptions();
};

}  // namespace skin
