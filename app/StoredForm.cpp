#include "app/StoredForm.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "forms/core/Filer.h"

namespace app {

namespace {

template <size_t N>
void checkOneOf(const std::string& value, const std::array<std::string_view, N>& allowed) {
  if (std::find(allowed.begin(), allowed.end(), value) == allowed.end())
    throw forms::EFilerError(forms::msg::InvalidPropertyValue);
}

constexpr std::array<std::string_view, 8> kPositions{"poDesigned",      "poDefault",        "poDefaultPosOnly",
                                                     "poDefaultSizeOnly", "poScreenCenter", "poDesktopCenter",
                                                     "poMainFormCenter",  "poOwnerFormCenter"};
constexpr std::array<std::string_view, 4> kBorderIcons{"biSystemMenu", "biMinimize", "biMaximize", "biHelp"};
constexpr std::array<std::string_view, 4> kFontStyles{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

}  // namespace

void TFont::DefineProperties(forms::Filer& filer) {
  filer.bindInteger("Charset", charset, 1);
  filer.defineInteger(
      "Color", [this] { return static_cast<int32_t>(color); },
      [this](const int32_t& v) { color = static_cast<uint32_t>(v); }, static_cast<int32_t>(forms::clWindowText));
  filer.bindInteger("Height", height, -11);
  filer.bindString("Name", name, "MS Sans Serif");
  filer.defineSet(
      "Style", [this] { return style; },
      [this](const forms::Filer::Strings& v) {
        for (const std::string& s : v) checkOneOf(s, kFontStyles);
        style = v;
      });
}

TStoredForm::TStoredForm(forms::TComponent* owner) : forms::TForm(owner) {
  SetColor(color_);
  FontChanged();
}

void TStoredForm::SetPosition(const std::string& value) {
  checkOneOf(value, kPositions);
  position_ = value;
}

void TStoredForm::SetBorderIcons(const std::vector<std::string>& icons) {
  for (const std::string& icon : icons) checkOneOf(icon, kBorderIcons);
  borderIcons_ = icons;
}

void TStoredForm::SetColor(uint32_t value) {
  color_ = value;
  forms::TForm::SetColor(value);
}

void TStoredForm::FontChanged() {
  forms::TFontInfo info;
  info.name = font_.name;
  // Negative heights are character heights in pixels, positive ones cell heights.
  info.pixels = std::max(1, font_.height < 0 ? -font_.height : font_.height);
  const auto has = [this](std::string_view s) {
    return std::find(font_.style.begin(), font_.style.end(), s) != font_.style.end();
  };
  info.bold = has("fsBold");
  info.italic = has("fsItalic");
  info.underline = has("fsUnderline");
  info.strikeOut = has("fsStrikeOut");
  info.color = font_.color;
  SetFont(info);
}

void TStoredForm::DefineProperties(forms::Filer& filer) {
  forms::TForm::DefineProperties(filer);
  filer.defineIdent("Position", [this] { return position_; }, [this](const std::string& v) { SetPosition(v); },
                    "poDesigned");
  filer.defineSet("BorderIcons", [this] { return borderIcons_; },
                  [this](const forms::Filer::Strings& v) { SetBorderIcons(v); });
  filer.defineInteger(
      "Color", [this] { return static_cast<int32_t>(color_); },
      [this](const int32_t& v) { SetColor(static_cast<uint32_t>(v)); }, static_cast<int32_t>(forms::clBtnFace));
  filer.defineObject("Font", font_);
  filer.bindBoolean("Scaled", scaled_, true);
}

void TStoredForm::Loaded() {
  forms::TForm::Loaded();
  FontChanged();
}

void TStoredForm::PlaceOnScreen() {
  if (position_ != "poScreenCenter" && position_ != "poDesktopCenter") return;
  CenterOnScreen();
}

}  // namespace app
