#include "app/AboutBox.h"

#include <QFile>
#include <memory>

#include "base/Errors.h"

// Outside any namespace, as Qt's resource macro requires.
static void initAboutFormResource() { Q_INIT_RESOURCE(about_form); }

namespace app {

namespace {
const char* const kAboutFormResource = ":/forms/About.qfd";
}

TAboutForm* LoadAboutForm(forms::TComponent* owner) {
  initAboutFormResource();
  QFile file(QString::fromLatin1(kAboutFormResource));
  if (!file.open(QIODevice::ReadOnly))
    throw base::EFOpenError(kAboutFormResource, file.errorString().toStdString() + ".");
  const QByteArray bytes = file.readAll();
  base::ConstMemoryStream stream(bytes.constData(), static_cast<size_t>(bytes.size()));
  return new TAboutForm(owner, stream);
}

void ShowAboutBox(forms::TComponent* owner, bool splash) {
  const forms::ComponentPtr<TAboutForm> box(LoadAboutForm(owner));
  box->Timer1->SetEnabled(splash);
  box->ShowModal();
}

}  // namespace app
