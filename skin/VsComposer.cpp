#include "skin/VsComposer.h"

#include "forms/core/Filer.h"

namespace skin {

TVsComposer::TVsComposer(forms::TComponent* owner) : TVsSharedComponent(owner), graphics_(std::make_unique<TVsGraphics>()) {
  graphics_->OnChange = [this](forms::TObject* sender) { GraphicsChanged(sender); };
}

TVsComposer::~TVsComposer() { graphics_.reset(); }

void TVsComposer::GraphicsChanged(forms::TObject*) { NotifyLinks(); }

void TVsComposer::DefineProperties(forms::Filer& filer) {
  TVsSharedComponent::DefineProperties(filer);
  filer.defineObject("Graphics", *graphics_);
  filer.bindInteger("Left", designLeft_, 0);
  filer.bindInteger("Top", designTop_, 0);
}

void RegisterSkinClasses() { forms::RegisterClass<TVsComposer>("TVsComposer"); }

}  // namespace skin
