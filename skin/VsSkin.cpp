#include "skin/VsSkin.h"

#include "forms/WaitCursor.h"
#include "forms/core/Filer.h"
#include "skin/MaskRegion.h"
#include "skin/Messages.h"

namespace skin {

TVsSkin::TVsSkin(forms::TComponent* owner) : TVsCustomControl(owner) {
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
  if (maskedForm_ != nullptr) maskedForm_->SetWindowRegion({});
  maskedForm_ = nullptr;
  // Without a parent there is no form window to shape; the data waits for the next rebuild.
  auto* form = dynamic_cast<forms::TForm*>(Parent());
  if (rgnData_.Size() > 0 && form != nullptr) {
    std::vector<forms::TRect> rectangles;
    for (const RgnRect& r : rgnData_.Rects()) rectangles.push_back({r.left, r.top, r.right - r.left, r.bottom - r.top});
    form->SetWindowRegion(rectangles);
    maskedForm_ = form;
  }
}

void TVsSkin::FitForm() {
  const forms::TRect before = ClientRect();
  SetBounds(Left(), Top(), Width(), Height());
  if (form_ != nullptr) {
    form_->SetClientWidth(Width());
    form_->SetClientHeight(Height());
  }
  if (ClientRect() == before) Repaint();
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

void TVsSkin::Paint(forms::TCanvas& canvas) {
  // The entry's bitmap as it is now, also when it changed since the last rebuild.
  if (graphic_ != nullptr) {
    canvas.Draw(0, 0, graphic_->Bitmap());
    return;
  }
  canvas.DottedFrame(ClientRect(), forms::clWindow);
}

void TVsSkin::MouseDown(forms::TMouseButton button, forms::TShiftState shift, int x, int y) {
  TVsCustomControl::MouseDown(button, shift, x, y);
  if (button == forms::TMouseButton::mbLeft && formDrag_) StartFormMove();
}

void TVsSkin::StartFormMove() {
  if (auto* form = dynamic_cast<forms::TForm*>(Parent())) form->StartSystemMove();
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
