// The about box as the program shows it, from the layout built into the program.
#pragma once

#include "app/About.h"
#include "forms/core/Classes.h"

namespace app {

// A new about box loaded from the built-in form data; the caller frees it.
TAboutForm* LoadAboutForm(forms::TComponent* owner);

// Creates the box owned by `owner`, shows it modally and destroys it. As the
// splash its timer closes it after about two seconds; otherwise it stays until clicked.
void ShowAboutBox(forms::TComponent* owner, bool splash);

}  // namespace app
