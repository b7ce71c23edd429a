// Visual components on Qt. A control is one object that is both a component
// (owner, name, form data) and a QWidget. The two trees differ: the owner (the
// form) frees the control, its parent control shows it (the QWidget parent).
// An owner frees what it owns before its own QWidget part goes; a control whose
// QWidget parent goes first frees itself before Qt would delete it.
#pragma once

#include <QTimer>
#include <QWidget>
#include <string>

#include "forms/core/Classes.h"
#include "forms/core/Filer.h"
#include "forms/core/FormData.h"

class QPainter;

namespace forms {

class TControl : public QWidget, public TComponent {
 public:
  explicit TControl(TComponent* owner);
  const char* ClassName() const override { return "TControl"; }

  // The control this one sits on (its QWidget parent), or none.
  TControl* Parent() const;
  virtual void SetParent(TControl* parent);
  virtual void SetBounds(int left, int top, int width, int height);

  int Left() const { return x(); }
  int Top() const { return y(); }
  int Width() const { return width(); }
  int Height() const { return height(); }
  void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }

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
  ~TControl() override = default;

  virtual void Click() { OnClick(this); }
  virtual void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

  // Follows the QWidget parent, to be freed when it is destroyed.
  bool event(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QMetaObject::Connection parentDestroyed_;
};

// A control that paints itself.
class TCustomControl : public TControl {
 public:
  explicit TCustomControl(TComponent* owner) : TControl(owner) {}
  const char* ClassName() const override { return "TCustomControl"; }

 protected:
  ~TCustomControl() override = default;

  virtual void Paint(QPainter& canvas);
  void paintEvent(QPaintEvent* event) override;
};

// A top-level window whose layout may be loaded from form data.
class TForm : public TControl {
 public:
  explicit TForm(TComponent* owner);
  const char* ClassName() const override { return "TForm"; }

  bool HasParent() const override { return false; }

  std::string Caption() const;
  void SetCaption(const std::string& caption);
  // "bsNone" (no border, no caption) or "bsSizeable" (the default).
  const std::string& BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(const std::string& style);
  int ClientWidth() const { return width(); }
  int ClientHeight() const { return height(); }
  void SetClientWidth(int v) { resize(v, height()); }
  void SetClientHeight(int v) { resize(width(), v); }

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

  QTimer timer_;
  bool enabled_ = true;
  int32_t interval_ = 1000;
};

// Registers TTimer and TCustomControl, the classes of this layer that form data creates.
void RegisterFormClasses();

}  // namespace forms
