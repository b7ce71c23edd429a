#include "forms/PublishableControl.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <array>
#include <string_view>
#include <utility>

#include "forms/core/Messages.h"

namespace forms {

namespace {

// The class library's cursor numbers that have a Qt shape.
void applyCursor(QWidget& widget, int32_t cursor) {
  static constexpr std::array<std::pair<int32_t, Qt::CursorShape>, 10> shapes{{
      {-2, Qt::ArrowCursor},
      {-3, Qt::CrossCursor},
      {-4, Qt::IBeamCursor},
      {-11, Qt::WaitCursor},
      {-13, Qt::SplitVCursor},
      {-14, Qt::SplitHCursor},
      {-18, Qt::ForbiddenCursor},
      {-19, Qt::BusyCursor},
      {-21, Qt::PointingHandCursor},
      {-22, Qt::SizeAllCursor},
  }};
  for (const auto& [number, shape] : shapes)
    if (number == cursor) return widget.setCursor(shape);
  widget.unsetCursor();
}

// An identifier property that takes one of two values; any other is refused.
void bindChoice(Filer& filer, std::string_view name, std::string& value, const char* a, const char* b,
                const char* def) {
  filer.defineIdent(
      name, [&value] { return value; },
      [&value, a, b](const std::string& v) {
        if (v != a && v != b) throw EFilerError(msg::InvalidPropertyValue);
        value = v;
      },
      def);
}

}  // namespace

void TPublishableControl::SetParent(TControl* parent) {
  TCustomControl::SetParent(parent);
  if (parent != nullptr && !visible_) hide();
}

void TPublishableControl::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component != nullptr && component == popupMenu_) popupMenu_ = nullptr;
}

void TPublishableControl::SetVisibleState(bool value) {
  visible_ = value;
  if (parentWidget() != nullptr) setVisible(value);
}

void TPublishableControl::DefineControlProperties(Filer& filer) {
  filer.defineBoolean("Enabled", [this] { return !testAttribute(Qt::WA_ForceDisabled); },
                      [this](const bool& v) { setEnabled(v); }, true);
  filer.defineInteger(
      "Cursor", [this] { return cursor_; },
      [this](const int32_t& v) {
        cursor_ = v;
        applyCursor(*this, v);
      },
      0);
  bindChoice(filer, "DragMode", dragMode_, "dmManual", "dmAutomatic", "dmManual");
  bindChoice(filer, "DragKind", dragKind_, "dkDrag", "dkDock", "dkDrag");
  filer.bindInteger("DragCursor", dragCursor_, -12);
  filer.bindBoolean("ParentShowHint", parentShowHint_, true);
  filer.defineComponent(
      "PopupMenu", [this] { return popupMenu_; },
      [this](TComponent* const& c) {
        popupMenu_ = c;
        if (c != nullptr) FreeNotification(c);
      });
  filer.bindBoolean("ShowHint", showHint_, false);
  filer.defineBoolean("Visible", [this] { return visible_; }, [this](const bool& v) { SetVisibleState(v); }, true);
}

void TPublishableControl::DefineControlEvents(Filer& filer) {
  filer.defineEvent("OnContextPopup", OnContextPopup);
  filer.defineEvent("OnDblClick", OnDblClick);
  filer.defineEvent("OnMouseMove", OnMouseMove);
  filer.defineEvent("OnMouseDown", OnMouseDown);
  filer.defineEvent("OnMouseUp", OnMouseUp);
  filer.defineEvent("OnDragOver", OnDragOver);
  filer.defineEvent("OnEndDock", OnEndDock);
  filer.defineEvent("OnDragDrop", OnDragDrop);
  filer.defineEvent("OnEndDrag", OnEndDrag);
  filer.defineEvent("OnStartDock", OnStartDock);
  filer.defineEvent("OnStartDrag", OnStartDrag);
}

void TPublishableControl::DefineHelpProperties(Filer& filer) {
  filer.bindInteger("Tag", tag_, 0);
  filer.bindString("Hint", hint_);
  bindChoice(filer, "HelpType", helpType_, "htKeyword", "htContext", "htContext");
  filer.bindString("HelpKeyword", helpKeyword_);
  filer.bindInteger("HelpContext", helpContext_, 0);
}

void TPublishableControl::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  OnMouseDown(this, button, shift, x, y);
}

void TPublishableControl::mouseReleaseEvent(QMouseEvent* event) {
  TCustomControl::mouseReleaseEvent(event);
  const QPoint at = event->position().toPoint();
  OnMouseUp(this, event->button(), event->modifiers(), at.x(), at.y());
}

void TPublishableControl::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  OnMouseMove(this, event->modifiers(), at.x(), at.y());
}

void TPublishableControl::mouseDoubleClickEvent(QMouseEvent* event) {
  TCustomControl::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) OnDblClick(this);
}

void TPublishableControl::contextMenuEvent(QContextMenuEvent* event) {
  bool handled = false;
  OnContextPopup(this, event->pos(), handled);
  event->setAccepted(handled);
}

}  // namespace forms
