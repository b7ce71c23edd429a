// The about box: one picture drawn by a skin, shown as a splash at start and
// from Help > About. Its layout and picture come from stored form data.
#pragma once

#include <cstdint>

#include "app/StoredForm.h"
#include "base/Stream.h"
#include "forms/Controls.h"
#include "skin/VsComposer.h"
#include "skin/VsSkin.h"

namespace app {

class TAboutForm : public TStoredForm {
 public:
  // An empty form, for the build tool that writes the stored layout.
  struct EmptyLayout {};
  TAboutForm(forms::TComponent* owner, EmptyLayout);
  // Loads the layout from form data, then runs the creation handler.
  TAboutForm(forms::TComponent* owner, base::Stream& formData);
  const char* ClassName() const override { return "TAboutForm"; }

  void FormCreate(forms::TObject* sender);
  // The twenty-first tick closes the box.
  void Timer1Timer(forms::TObject* sender);
  void VsSkin1Click(forms::TObject* sender);

  // Shows the box, centred as its layout asks, and returns once it has been closed.
  void ShowModal();

  skin::TVsSkin* VsSkin1 = nullptr;
  skin::TVsComposer* VsComposer1 = nullptr;
  forms::TTimer* Timer1 = nullptr;
  int32_t Ticks = 0;

 protected:
  ~TAboutForm() override = default;

 private:
  void PublishHandlers();
  template <typename T>
  T* Stored(const char* name) const;
};

// Makes the classes of the about box's form data known to the reader.
void RegisterAboutClasses();

}  // namespace app
