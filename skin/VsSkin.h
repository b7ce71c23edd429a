// TVsSkin: a control that turns its form into a borderless window shaped like a
// picture from a composer, draws that picture, and can drag the form.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forms/core/Colors.h"
#include "skin/RgnData.h"
#include "skin/VsComposer.h"
#include "skin/VsCustomControl.h"
#include "skin/VsSysUtils.h"

namespace skin {

// The control's published size limit of a picture name.
inline constexpr size_t kMaxGraphicName = 255;

using TVSkinReadWrite = forms::TEvent<forms::TObject*, TVsIni*>;

class TVsSkin : public TVsCustomControl {
 public:
  // 300 by 200 at (0, 0), nothing masked, the form draggable; no rebuild yet.
  explicit TVsSkin(forms::TComponent* owner);
  const char* ClassName() const override { return "TVsSkin"; }

  uint32_t MaskColor() const { return maskColor_; }
  void SetMaskColor(uint32_t value);
  bool FormDrag() const { return formDrag_; }
  void SetFormDrag(bool value) { formDrag_ = value; }
  const std::string& GraphicName() const { return graphicName_; }
  // Keeps at most the first 255 characters; letter case counts.
  void SetGraphicName(const std::string& value);
  TVsComposer* Composer() const { return composer_; }
  // Rebuilds also when the composer stays the same.
  void SetComposer(TVsComposer* value);
  const std::string& Signature() const { return signature_; }
  void SetSignature(const std::string& value) { signature_ = value; }
  const std::vector<std::string>& AutoSave() const { return autoSave_; }
  void SetAutoSave(const std::vector<std::string>& lines) { autoSave_ = lines; }

  // The composer's entry shown, found at the last rebuild; none shows the placeholder.
  TVsGraphic* Graphic() const { return graphic_; }
  const TRgnData& RgnData() const { return rgnData_; }
  forms::TForm* Form() const { return form_; }

  // Finds the picture, rebuilds the region, shapes and sizes the form; skipped while loading.
  void UpdateSkin();
  // The composer's entry of that name (first match, letter case ignored), or none.
  TVsGraphic* FindGraphic(const std::string& name) const;

  // Refuses any parent but a form, which then loses its border.
  void SetParent(forms::TControl* parent) override;
  // Always at (0, 0); with a picture always the picture's size.
  void SetBounds(int left, int top, int width, int height) override;
  void Loaded() override;
  void Notification(forms::TComponent* component, forms::TOperation operation) override;
  void DefineProperties(forms::Filer& filer) override;

  // Held and stored; the skin reads and writes no settings of its own.
  TVSkinReadWrite OnSkinRead;
  TVSkinReadWrite OnSkinWrite;

 protected:
  ~TVsSkin() override = default;
  void Paint(forms::TCanvas& canvas) override;
  void MouseDown(forms::TMouseButton button, forms::TShiftState shift, int x, int y) override;
  // Hands the form to the window system, which moves it with the mouse.
  virtual void StartFormMove();

 private:
  void SkinChanged();
  void BuildRegion();
  void ApplyRegion();
  void FitForm();

  TRgnData rgnData_;
  bool formDrag_ = true;
  forms::TForm* form_ = nullptr;
  // The form that was given the last region; cleared again before the next one.
  forms::TForm* maskedForm_ = nullptr;
  uint32_t maskColor_ = forms::clNone;
  TVsGraphic* graphic_ = nullptr;
  std::string graphicName_;
  std::string signature_;
  TVsComposer* composer_ = nullptr;
  TVsChangeLink changeLink_;
  std::vector<std::string> autoSave_;
};

// Registers TVsSkin with the form-data class registry.
void RegisterSkinControl();

}  // namespace skin
