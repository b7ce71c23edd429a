#include "app/AboutBox.h"

#include "base/Stream.h"
#include "forms/Resources.h"

namespace app {

namespace {
const char* const kAboutFormResource = "About.qfd";
}

TAboutForm* LoadAboutForm(forms::TComponent* owner) {
  const std::string bytes = forms::LoadDataResource(kAboutFormResource);
  base::ConstMemoryStream stream(bytes.data(), bytes.size());
  return new TAboutForm(owner, stream);
}

void ShowAboutBox(forms::TComponent* owner, bool splash) {
  const forms::ComponentPtr<TAboutForm> box(LoadAboutForm(owner));
  box->Timer1->SetEnabled(splash);
  box->ShowModal();
}

}  // namespace app
