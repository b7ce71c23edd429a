// Writes the about box's stored layout (form data) with its picture taken from
// a BMP file. Run by the build: make-about-form PICTURE.bmp OUT.qfd
#include <QApplication>
#include <cstdio>
#include <exception>

#include "app/About.h"
#include "forms/core/FormData.h"
#include "platform/FileStream.h"
#include "platform/FileWriter.h"

namespace {

void buildLayout(app::TAboutForm& form, const base::Bitmap& picture) {
  form.SetName("AboutForm");
  form.SetCaption("About");
  form.SetBorderStyle("bsNone");
  form.SetBorderIcons({});
  form.SetPosition("poScreenCenter");
  form.SetColor(forms::clBtnFace);
  form.Font().name = "Arial";
  form.Font().height = -12;
  form.SetScaled(false);
  form.OnCreate.set("FormCreate", {});

  // Created in the order the form's fields list them: skin, composer, timer.
  auto* skinControl = new skin::TVsSkin(&form);
  auto* composer = new skin::TVsComposer(&form);
  auto* timer = new forms::TTimer(&form);

  skin::TVsGraphic entry;
  entry.SetName("About1.bmp");
  entry.Bitmap() = picture;
  composer->SetName("VsComposer1");
  composer->Graphics()->Add(&entry);

  skinControl->SetName("VsSkin1");
  skinControl->SetParent(&form);
  skinControl->SetBounds(0, 0, 200, 220);
  skinControl->SetMaskColor(forms::clWhite);
  skinControl->SetFormDrag(false);
  skinControl->SetGraphicName("About1.bmp");
  skinControl->SetComposer(composer);
  skinControl->OnClick.set("VsSkin1Click", {});

  timer->SetName("Timer1");
  timer->SetEnabled(false);
  timer->SetInterval(100);
  timer->OnTimer.set("Timer1Timer", {});

  // The designed client area; the skin fits it to the picture when the form is loaded.
  form.SetClientWidth(200);
  form.SetClientHeight(243);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make-about-form PICTURE.bmp OUT.qfd\n");
    return 2;
  }
  // Widgets are made but never shown, so no display is needed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  try {
    base::Bitmap picture;
    platform::FileStream in(argv[1], platform::FileMode::OpenRead);
    picture.loadFromStream(in);

    app::RegisterAboutClasses();
    const forms::ComponentPtr<app::TAboutForm> form(new app::TAboutForm(nullptr, app::TAboutForm::EmptyLayout{}));
    buildLayout(*form, picture);
    base::MemoryStream data;
    forms::WriteComponent(data, *form);

    platform::writeFileReplacing(argv[2], [&data](base::Stream& out) { out.writeBuffer(data.data(), data.bytes().size()); });
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
}
