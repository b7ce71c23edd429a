#include "skin/VsSkin.h"

#include <QPainter>
#include <QWindow>

#include "forms/BitmapImage.h"
#include "forms/WaitCursor.h"
#include "forms/core/Filer.h"
#include "skin/MaskRegion.h"
#include "skin/Messages.h"
#include "skin/VsMask.h"

namespace skin {

TVsSkin::TVsSkin(forms::TComponent* owner) : TVsCustomControl(owner) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  SetBounds(0, 0, 300, 200);
  changeLink_.OnChange = [this](forms::TObject*) { SkinChanged(); };
}

void TVsSkin::SetMaskColor(uint32_t value) {
  if (value == maskColor_) return;
  maskColor_ = value;
  UpdateSkin();
}

void TVsSkin::SetGraphicName(const std::string& value) {
  const std::string name = value.substr(0, kMaxGraphicName);
  if (name == graphicName_) return;
  graphicName_ = name;
  UpdateSkin();
}

void TVsSkin::SetComposer(TVsComposer* value) {
  if (composer_ != nullptr) {
    composer_->UnRegisterChanges(&changeLink_);
    RemoveFreeNotification(composer_);
  }
  composer_ = value;
  if (composer_ != nullptr) {
    composer_->RegisterChanges(&changeLink_);
    // Also a composer of another owner tells this control that it goes.
    FreeNotification(composer_);
  }
  if (IsLoading()) graphic_ = nullptr;
  UpdateSkin();
}

void TVsSkin::SkinChanged() {
  // While loading the rebuild waits for Loaded; the old entry may be gone already.
  if (IsLoading()) graphic_ = nullptr;
  UpdateSkin();
}

TVsGraphic* TVsSkin::FindGraphic(const std::string& name) const {
  if (composer_ == nullptr || composer_->Graphics() == nullptr) return nullptr;
  const int32_t index = composer_->Graphics()->IndexOf(name);
  return index < 0 ? nullptr : composer_->Graphics()->Items(index);
}

void TVsSkin::UpdateSkin() {
  if (IsLoading()) return;
  BuildRegion();
  FitForm();
}

void TVsSkin::BuildRegion() {
  graphic_ = FindGraphic(graphicName_);
  rgnData_.SetSize(0);
  if (graphic_ != nullptr && maskColor_ != forms::clNone) {
    const forms::WaitCursor hourglass;
    BuildMaskRegion(Left(), Top(), graphic_->Bitmap(), maskColor_, rgnData_);
  }
  ApplyRegion();
}

void TVsSkin::ApplyRegion() {
  if (QWidget* masked = maskedWindow_) masked->clearMask();
  maskedWindow_ = nullptr;
  // Without a parent there is no form window to shape; the data waits for the next rebuild.
  QWidget* window = parentWidget();
  if (rgnData_.Size() > 0 && window != nullptr) {
    window->setMask(CreateRegion(rgnData_));
    maskedWindow_ = window;
  }
}

void TVsSkin::FitForm() {
  const QRect before = rect();
  SetBounds(Left(), Top(), Width(), Height());
  if (forms::TForm* form = form_) {
    form->SetClientWidth(Width());
    form->SetClientHeight(Height());
  }
  if (rect() == before) repaint();
}

void TVsSkin::SetParent(forms::TControl* parent) {
  if (parent != nullptr) {
    auto* form = dynamic_cast<forms::TForm*>(parent);
    if (form == nullptr) throw base::Exception(msg::SkinNeedsForm);
    form->SetBorderStyle("bsNone");
    form_ = form;
  } else {
    // Taken off its form, the control no longer sizes it.
    form_ = nullptr;
  }
  TVsCustomControl::SetParent(parent);
}

void TVsSkin::SetBounds(int, int, int width, int height) {
  if (graphic_ != nullptr) {
    width = graphic_->Bitmap().width();
    height = graphic_->Bitmap().height();
  }
  TVsCustomControl::SetBounds(0, 0, width, height);
}

void TVsSkin::Loaded() {
  TVsCustomControl::Loaded();
  UpdateSkin();
}

void TVsSkin::Notification(forms::TComponent* component, forms::TOperation operation) {
  TVsCustomControl::Notification(component, operation);
  if (operation != forms::TOperation::opRemove || component == nullptr) return;
  if (composer_ == nullptr || component != static_cast<forms::TComponent*>(composer_)) return;
  if (IsDestroying()) {
    // Going too: drop the reference without shaping a form that is being torn down.
    composer_->UnRegisterChanges(&changeLink_);
    composer_ = nullptr;
    graphic_ = nullptr;
    return;
  }
  SetComposer(nullptr);
}

void TVsSkin::Paint(QPainter& canvas) {
  // The entry's bitmap as it is now, also when it changed since the last rebuild.
  if (graphic_ != nullptr) {
    canvas.drawImage(0, 0, forms::toQImage(graphic_->Bitmap()));
    return;
  }
  canvas.setPen(QPen(QColor(Qt::black), 1, Qt::DotLine));
  canvas.setBrush(palette().color(QPalette::Base));
  canvas.drawRect(0, 0, Width() - 1, Height() - 1);
}

void TVsSkin::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
  TVsCustomControl::MouseDown(button, shift, x, y);
  if (button == Qt::LeftButton && formDrag_) StartFormMove();
}

void TVsSkin::StartFormMove() {
  QWidget* form = parentWidget();
  if (form == nullptr) return;
  if (QWindow* window = form->windowHandle()) window->startSystemMove();
}

void TVsSkin::DefineProperties(forms::Filer& filer) {
  TVsCustomControl::DefineProperties(filer);
  using Strings = forms::Filer::Strings;
  filer.defineStrings("AutoSave", [this] { return autoSave_; }, [this](const Strings& v) { SetAutoSave(v); });
  filer.defineInteger(
      "MaskColor", [this] { return static_cast<int32_t>(maskColor_); },
      [this](const int32_t& v) { SetMaskColor(static_cast<uint32_t>(v)); }, static_cast<int32_t>(forms::clNone));
  filer.defineBoolean("FormDrag", [this] { return formDrag_; }, [this](const bool& v) { SetFormDrag(v); }, true);
  filer.defineString(
      "GraphicName", [this] { return graphicName_; }, [this](const std::string& v) { SetGraphicName(v); }, "");
  filer.defineComponent(
      "Composer", [this]() -> forms::TComponent* { return composer_; },
      [this](forms::TComponent* const& c) {
        auto* composer = dynamic_cast<TVsComposer*>(c);
        if (c != nullptr && composer == nullptr) throw forms::EFilerError(forms::msg::InvalidPropertyValue);
        SetComposer(composer);
      });
  filer.defineString(
      "Signature", [this] { return signature_; }, [this](const std::string& v) { SetSignature(v); }, "");
  filer.defineEvent("OnSkinRead", OnSkinRead);
  filer.defineEvent("OnSkinWrite", OnSkinWrite);
  DefineControlProperties(filer);
  DefineControlEvents(filer);
  DefineHelpProperties(filer);
}

void RegisterSkinControl() { forms::RegisterClass<TVsSkin>("TVsSkin"); }

}  // namespace skin
