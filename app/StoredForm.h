// A form with the appearance its stored layout carries: position on the
// screen, border icons, colour, font and scaling.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forms/Controls.h"
#include "forms/core/Classes.h"
#include "forms/core/Colors.h"

namespace app {

class TFont : public forms::TPersistent {
 public:
  const char* ClassName() const override { return "TFont"; }
  // Name, Height (negative: character height in pixels), Color, Charset, Style.
  void DefineProperties(forms::Filer& filer) override;

  std::string name = "MS Sans Serif";
  int32_t height = -11;
  uint32_t color = forms::clWindowText;
  int32_t charset = 1;  // the default character set
  std::vector<std::string> style;
};

class TStoredForm : public forms::TForm {
 public:
  explicit TStoredForm(forms::TComponent* owner);
  const char* ClassName() const override { return "TStoredForm"; }

  const std::string& Position() const { return position_; }
  void SetPosition(const std::string& value);
  const std::vector<std::string>& BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(const std::vector<std::string>& icons);
  uint32_t Color() const { return color_; }
  void SetColor(uint32_t value);
  TFont& Font() { return font_; }
  void FontChanged();
  bool Scaled() const { return scaled_; }
  void SetScaled(bool value) { scaled_ = value; }

  // The form's own properties plus Position, BorderIcons, Color, Font and Scaled.
  void DefineProperties(forms::Filer& filer) override;
  void Loaded() override;

 protected:
  ~TStoredForm() override = default;
  // Puts the form where its Position asks, before it is shown.
  void PlaceOnScreen();

 private:
  std::string position_ = "poDesigned";
  std::vector<std::string> borderIcons_{"biSystemMenu", "biMinimize", "biMaximize"};
  uint32_t color_ = forms::clBtnFace;
  TFont font_;
  bool scaled_ = true;
};

}  // namespace app
