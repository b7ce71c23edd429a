#include "forms/PublishableControl.h"

#include <array>
#include <string_view>
#include <utility>

#include "forms/core/Messages.h"

namespace forms {

namespace {

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
  if (parent != nullptr && !visible_) TCustomControl::SetVisible(false);
}

void TPublishableControl::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component != nullptr && component == popupMenu_) popupMenu_ = nullptr;
}

void TPublishableControl::SetVisibleState(bool value) {
  visible_ = value;
  if (Parent() != nullptr) TCustomControl::SetVisible(value);
}

void TPublishableControl::DefineControlProperties(Filer& filer) {
  filer.defineBoolean(
      "Enabled", [this] { return enabled_; },
      [this](const bool& v) {
        enabled_ = v;
        SetEnabled(v);
      },
      true);
  filer.defineInteger(
      "Cursor", [this] { return cursor_; },
      [this](const int32_t& v) {
        cursor_ = v;
        SetCursor(v);
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

void TPublishableControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  OnMouseDown(this, button, shift, x, y);
}

void TPublishableControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  OnMouseUp(this, button, shift, x, y);
}

void TPublishableControl::MouseMove(TShiftState shift, int x, int y) { OnMouseMove(this, shift, x, y); }

void TPublishableControl::DblClick() { OnDblClick(this); }

void TPublishableControl::ContextPopup(TPoint at, bool& handled) { OnContextPopup(this, at, handled); }

}  // namespace forms
