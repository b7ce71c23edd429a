#include "app/About.h"

#include "forms/core/FormData.h"

namespace app {

namespace {
constexpr int32_t kTicksShown = 20;
}

void RegisterAboutClasses() {
  forms::RegisterFormClasses();
  skin::RegisterSkinClasses();
  skin::RegisterSkinControl();
}

TAboutForm::TAboutForm(forms::TComponent* owner, EmptyLayout) : TStoredForm(owner) { PublishHandlers(); }

TAboutForm::TAboutForm(forms::TComponent* owner, base::Stream& formData) : TAboutForm(owner, EmptyLayout{}) {
  RegisterAboutClasses();
  forms::ReadComponent(formData, *this);
  VsSkin1 = Stored<skin::TVsSkin>("VsSkin1");
  VsComposer1 = Stored<skin::TVsComposer>("VsComposer1");
  Timer1 = Stored<forms::TTimer>("Timer1");
  OnCreate(this);
}

void TAboutForm::PublishHandlers() {
  PublishMethod<forms::TObject*>("FormCreate", [this](forms::TObject* s) { FormCreate(s); });
  PublishMethod<forms::TObject*>("Timer1Timer", [this](forms::TObject* s) { Timer1Timer(s); });
  PublishMethod<forms::TObject*>("VsSkin1Click", [this](forms::TObject* s) { VsSkin1Click(s); });
}

template <typename T>
T* TAboutForm::Stored(const char* name) const {
  auto* component = dynamic_cast<T*>(FindComponent(name));
  if (component == nullptr) throw forms::EFilerError(base::formatMessage(forms::msg::UnresolvedReference, {name}));
  return component;
}

void TAboutForm::FormCreate(forms::TObject*) { Ticks = 0; }

void TAboutForm::Timer1Timer(forms::TObject*) {
  ++Ticks;
  if (Ticks > kTicksShown) {
    Timer1->SetEnabled(false);
    Close();
  }
}

void TAboutForm::VsSkin1Click(forms::TObject*) { Close(); }

void TAboutForm::ShowModal() {
  PlaceOnScreen();
  TStoredForm::ShowModal();
}

}  // namespace app
