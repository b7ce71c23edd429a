// A self-painting control that carries the class library control's common
// properties and events, for a descendant to publish in its form data.
#pragma once

#include <cstdint>
#include <string>

#include "forms/Controls.h"

namespace forms {

using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;
// Sender, position, Handled.
using TContextPopupEvent = TEvent<TObject*, TPoint, bool&>;
// Drag and dock events are held and stored; this layer has no drag and dock of its own.
using TDragOverEvent = TEvent<TObject*, TObject*, int, int, int, bool&>;
using TDragDropEvent = TEvent<TObject*, TObject*, int, int>;
using TStartDragEvent = TEvent<TObject*, TObject*&>;

// Enabled, Cursor and Visible act on the widget and the mouse events are raised;
// the drag, dock, hint, help and popup menu properties are only kept.
class TPublishableControl : public TCustomControl {
 public:
  explicit TPublishableControl(TComponent* owner) : TCustomControl(owner) {}
  const char* ClassName() const override { return "TPublishableControl"; }

  // A control stored as not Visible stays hidden on its parent.
  void SetParent(TControl* parent) override;
  void Notification(TComponent* component, TOperation operation) override;

  TContextPopupEvent OnContextPopup;
  TNotifyEvent OnDblClick;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnEndDock;
  TDragDropEvent OnDragDrop;
  TDragDropEvent OnEndDrag;
  TStartDragEvent OnStartDock;
  TStartDragEvent OnStartDrag;

 protected:
  ~TPublishableControl() override = default;

  // Enabled, Cursor, DragMode, DragKind, DragCursor, ParentShowHint, PopupMenu, ShowHint, Visible.
  void DefineControlProperties(Filer& filer);
  // OnContextPopup, OnDblClick, the mouse, drag and dock events.
  void DefineControlEvents(Filer& filer);
  // Tag, Hint, HelpType, HelpKeyword, HelpContext.
  void DefineHelpProperties(Filer& filer);

  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void DblClick() override;
  void ContextPopup(TPoint at, bool& handled) override;

 private:
  void SetVisibleState(bool value);

  bool visible_ = true;
  bool enabled_ = true;
  int32_t cursor_ = 0;
  std::string dragMode_ = "dmManual";
  std::string dragKind_ = "dkDrag";
  int32_t dragCursor_ = -12;
  bool parentShowHint_ = true;
  bool showHint_ = false;
  TComponent* popupMenu_ = nullptr;
  int32_t tag_ = 0;
  std::string hint_;
  std::string helpType_ = "htContext";
  std::string helpKeyword_;
  int32_t helpContext_ = 0;
};

}  // namespace forms
