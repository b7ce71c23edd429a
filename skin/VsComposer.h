// TVsComposer: a non-visual component owning the pictures that skins show,
// telling every registered link when they change.
#pragma once

#include <memory>

#include "skin/VsControls.h"
#include "skin/VsGraphics.h"

namespace skin {

class TVsComposer : public TVsSharedComponent {
 public:
  explicit TVsComposer(forms::TComponent* owner);
  const char* ClassName() const override { return "TVsComposer"; }

  TVsGraphics* Graphics() const { return graphics_.get(); }
  // Copies value into the owned collection (Assign); the collection itself stays.
  void SetGraphics(const forms::TPersistent* value) { graphics_->Assign(value); }

  // Published: Graphics, a nested object, stored as "Graphics.Graphics"; also
  // the designer's Left and Top, which are kept for writing and do nothing else.
  void DefineProperties(forms::Filer& filer) override;

 protected:
  // Destroys Graphics without a change notification.
  ~TVsComposer() override;

 private:
  void GraphicsChanged(forms::TObject* sender);

  std::unique_ptr<TVsGraphics> graphics_;
  int32_t designLeft_ = 0;
  int32_t designTop_ = 0;
};

// Registers the library's component classes with the form-data class registry.
void RegisterSkinClasses();

}  // namespace skin
