// Visual components: controls that are components (owner, name, form data) and
// windows of the toolkit this build stands on (Qt, or Win32 where
// QA_TOOLKIT_WIN32 is set). The interface is declared here once; each toolkit's
// side (Controls_qt.*, Controls_win32.*) holds its window and implements it.
// The owner (the form) frees a control; the parent control shows it. A control
// whose parent window goes first frees itself before the window system would.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forms/Graphics.h"
#include "forms/core/Classes.h"
#include "forms/core/Filer.h"
#include "forms/core/FormData.h"

#if defined(QA_TOOLKIT_WIN32)
#include "forms/Controls_win32.h"
#else
#include "forms/Controls_qt.h"
#endif

namespace forms {

class TControl : public native::Control, public TComponent {
 public:
  explicit TControl(TComponent* owner);
  const char* ClassName() const override { return "TControl"; }

  // The control this one sits on, or none.
  TControl* Parent() const;
  virtual void SetParent(TControl* parent);
  virtual void SetBounds(int left, int top, int width, int height);

  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
  TRect ClientRect() const { return {0, 0, Width(), Height()}; }

  bool Visible() const;
  void SetVisible(bool visible);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  // A cursor number of the class library (crDefault 0, crHourGlass -11, ...).
  void SetCursor(int32_t cursor);
  // Paints the control at once.
  void Repaint();

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override { return Parent(); }
  void SetParentComponent(TComponent* parent) override;
  // The child controls, in the order they were placed; for a root also the
  // components it owns that sit on no control.
  std::vector<TComponent*> GetChildren(const TComponent* root) const override;
  // Left, Top, Width, Height, OnClick.
  void DefineProperties(Filer& filer) override;

  TNotifyEvent OnClick;

 protected:
  ~TControl() override;

  // What the window reports, called by the toolkit's side.
  friend class native::Control;
  virtual void Click() { OnClick(this); }
  virtual void DblClick() {}
  virtual void MouseDown(TMouseButton, TShiftState, int, int) {}
  virtual void MouseUp(TMouseButton, TShiftState, int, int) {}
  virtual void MouseMove(TShiftState, int, int) {}
  // `handled` set true keeps the system's own menu from showing.
  virtual void ContextPopup(TPoint, bool&) {}
  // Only controls that paint themselves (TCustomControl) are asked.
  virtual bool PaintsItself() const { return false; }
  virtual void Paint(TCanvas&) {}

 private:
  // The toolkit's side places the window; this keeps the tree of controls.
  void PlaceWindow(TControl* parent);
  TControl* parent_ = nullptr;
  std::vector<TControl*> children_;
};

// A control that paints itself, its whole area (nothing is erased before).
class TCustomControl : public TControl {
 public:
  explicit TCustomControl(TComponent* owner);
  const char* ClassName() const override { return "TCustomControl"; }

 protected:
  ~TCustomControl() override = default;
  bool PaintsItself() const override { return true; }
};

// A top-level window whose layout may be loaded from form data.
class TForm : public TControl {
 public:
  explicit TForm(TComponent* owner);
  const char* ClassName() const override { return "TForm"; }

  bool HasParent() const override { return false; }

  // UTF-8.
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  // "bsNone" (no border, no caption) or "bsSizeable" (the default).
  const std::string& BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(const std::string& style);
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientWidth(int v);
  void SetClientHeight(int v);
  // The background and the font of the form and of what sits on it.
  void SetColor(TColor color);
  void SetFont(const TFontInfo& font);

  // Centred on the screen it is on.
  void CenterOnScreen();
  // Shows the form and returns once it has been closed.
  void ShowModal();
  void Close();
  bool Showing() const;

  // Cuts the window to these rectangles (client coordinates, banded order);
  // none gives the plain rectangle back.
  void SetWindowRegion(const std::vector<TRect>& rectangles);
  bool HasWindowRegion() const;
  // Hands the window to the window system, which moves it with the mouse until
  // the button is released (the system move command).
  void StartSystemMove();

  // Caption, BorderStyle, ClientWidth, ClientHeight, OnCreate (and Left, Top, OnClick).
  void DefineProperties(Filer& filer) override;

  // Loads the form's stored layout (ReadComponent), then raises OnCreate.
  void ReadFormData(base::Stream& stream);

  TNotifyEvent OnCreate;

 protected:
  ~TForm() override = default;

 private:
  std::string borderStyle_ = "bsSizeable";
};

// A non-visual timer: OnTimer every Interval milliseconds while Enabled.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  const char* ClassName() const override { return "TTimer"; }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  int32_t Interval() const { return interval_; }
  void SetInterval(int32_t v);

  void DefineProperties(Filer& filer) override;
  void Loaded() override;

  TNotifyEvent OnTimer;

 protected:
  ~TTimer() override = default;

 private:
  void UpdateTimer();

  native::Timer timer_;
  bool enabled_ = true;
  int32_t interval_ = 1000;
};

// Registers TTimer and TCustomControl, the classes of this layer that form data creates.
void RegisterFormClasses();

}  // namespace forms
