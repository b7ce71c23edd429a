// Forms, self-painting controls, timers, the wait cursor and the application's
// loop on Win32, as real windows driven by the system's own input.
#include <gtest/gtest.h>

#include "Win32Input.h"
#include "forms/Application.h"
#include "forms/Controls.h"
#include "forms/MainWindow.h"
#include "forms/WaitCursor.h"

#include <string>
#include <vector>

namespace {

using forms::ComponentPtr;
using forms::TForm;
using win32test::runFor;
using win32test::runUntil;

// A control that writes down what reaches it and paints a dotted frame with a picture in it.
class Recorder : public forms::TCustomControl {
 public:
  explicit Recorder(TComponent* owner) : TCustomControl(owner) {}
  std::vector<std::string> events;
  base::Bitmap picture;

 protected:
  static std::string at(const char* what, int x, int y) {
    return std::string(what) + " " + std::to_string(x) + "," + std::to_string(y);
  }
  static const char* name(forms::TMouseButton button) {
    return button == forms::TMouseButton::mbLeft ? "left" : button == forms::TMouseButton::mbRight ? "right" : "middle";
  }
  void MouseDown(forms::TMouseButton button, forms::TShiftState, int x, int y) override {
    events.push_back(at((std::string(name(button)) + " down").c_str(), x, y));
  }
  void MouseUp(forms::TMouseButton button, forms::TShiftState, int x, int y) override {
    events.push_back(at((std::string(name(button)) + " up").c_str(), x, y));
  }
  void Click() override { events.push_back("click"); }
  void ContextPopup(forms::TPoint point, bool& handled) override {
    events.push_back(at("menu", point.x, point.y));
    handled = true;
  }
  void Paint(forms::TCanvas& canvas) override {
    canvas.DottedFrame(ClientRect(), forms::clWhite);
    canvas.Draw(3, 3, picture);
  }
};

// A borderless form on the screen with a recorder on it.
struct ShownForm {
  ComponentPtr<TForm> form{new TForm(nullptr)};
  Recorder* control = new Recorder(form.get());

  ShownForm() {
    form->SetBorderStyle("bsNone");
    form->SetBounds(100, 100, 160, 90);
    control->SetBounds(10, 10, 100, 60);
    control->SetParent(form.get());
    form->SetVisible(true);
    SetForegroundWindow(form->Handle());
    runFor(50);
  }
};

RECT regionBox(HWND window, int& type) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  type = GetWindowRgn(window, region);
  RECT box{};
  GetRgnBox(region, &box);
  DeleteObject(region);
  return box;
}

TEST(Win32Form, BorderStyleKeepsTheClientAreaAndRegionsCutTheWindow) {
  ComponentPtr<TForm> form(new TForm(nullptr));
  form->SetClientWidth(200);
  form->SetClientHeight(243);
  EXPECT_TRUE(GetWindowLongPtrW(form->Handle(), GWL_STYLE) & WS_CAPTION);
  form->SetBorderStyle("bsNone");
  const LONG_PTR style = GetWindowLongPtrW(form->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_EQ(form->ClientWidth(), 200);
  EXPECT_EQ(form->ClientHeight(), 243);
  form->SetClientHeight(220);
  EXPECT_EQ(form->Height(), 220);
  EXPECT_THROW(form->SetBorderStyle("bsDialog"), forms::EFilerError);

  EXPECT_FALSE(form->HasWindowRegion());
  form->SetWindowRegion({{0, 0, 200, 100}, {0, 100, 50, 120}});
  int type = 0;
  RECT box = regionBox(form->Handle(), type);
  EXPECT_EQ(type, COMPLEXREGION);
  EXPECT_EQ(box.right, 200);
  EXPECT_EQ(box.bottom, 220);
  EXPECT_TRUE(form->HasWindowRegion());
  form->SetWindowRegion({});
  EXPECT_FALSE(form->HasWindowRegion());

  // With a frame the region still follows the client area, which sits inside the frame.
  form->SetBorderStyle("bsSizeable");
  form->SetWindowRegion({{0, 0, 10, 10}});
  box = regionBox(form->Handle(), type);
  POINT origin{0, 0};
  ClientToScreen(form->Handle(), &origin);
  RECT outer;
  GetWindowRect(form->Handle(), &outer);
  EXPECT_EQ(type, SIMPLEREGION);
  EXPECT_EQ(box.left, origin.x - outer.left);
  EXPECT_EQ(box.top, origin.y - outer.top);
}

TEST(Win32Form, ShowModalRunsUntilATimerTickClosesIt) {
  ComponentPtr<TForm> owner(new TForm(nullptr));
  owner->SetVisible(true);
  auto* form = new TForm(owner.get());
  auto* timer = new forms::TTimer(form);
  int ticks = 0;
  bool ownerDisabled = false;
  bool showing = false;
  timer->SetInterval(20);
  timer->OnTimer = [&](forms::TObject*) {
    ownerDisabled = !IsWindowEnabled(owner->Handle());
    showing = form->Showing();
    if (++ticks < 3) return;
    timer->SetEnabled(false);
    form->Close();
  };
  form->ShowModal();
  EXPECT_EQ(ticks, 3);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(showing);
  EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
  EXPECT_FALSE(form->Showing());
  runFor(100);
  EXPECT_EQ(ticks, 3);
}

TEST(Win32Form, MouseButtonsReachTheControlUnderThem) {
  ShownForm shown;
  HWND control = shown.control->Handle();
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(GetParent(control), shown.form->Handle());

  win32test::click(control, {5, 6});
  // Released outside: no click.
  win32test::drag(control, {5, 6}, {150, 6});
  win32test::click(control, {7, 8}, true);
  EXPECT_EQ(shown.control->events,
            (std::vector<std::string>{"left down 5,6", "left up 5,6", "click", "left down 5,6", "left up 150,6",
                                      "right down 7,8", "right up 7,8", "menu 7,8"}));
}

TEST(Win32Form, ControlPaintsThroughItsCanvasAndMovesWithItsParent) {
  ShownForm shown;
  shown.control->picture = base::Bitmap(2, 2, base::PixelFormat::Rgb24);
  shown.control->picture.scanLine(1)[3 + 2] = 0xFF;  // red at (1, 1)
  const win32test::Capture painted(shown.control->Handle());
  int dots = 0;
  int gaps = 0;
  for (int x = 0; x < 100; ++x) (painted.at(x, 0) == RGB(0, 0, 0) ? dots : gaps) += 1;
  EXPECT_GT(dots, 10);
  EXPECT_GT(gaps, 10);
  EXPECT_EQ(painted.at(2, 2), RGB(255, 255, 255));
  EXPECT_EQ(painted.at(4, 4), RGB(255, 0, 0));
  EXPECT_EQ(painted.at(3, 3), RGB(0, 0, 0));

  // Taken off the form and put back: a window again, where its bounds say.
  shown.control->SetParent(nullptr);
  EXPECT_EQ(shown.control->Handle(), nullptr);
  shown.control->SetLeft(30);
  shown.control->SetParent(shown.form.get());
  ASSERT_NE(shown.control->Handle(), nullptr);
  EXPECT_EQ(shown.control->Left(), 30);
  EXPECT_TRUE(IsWindowVisible(shown.control->Handle()));
}

TEST(Win32WaitCursor, ShowsOverTheControlsNestsAndIsLifted) {
  ShownForm shown;
  HWND control = shown.control->Handle();
  const auto cursorOver = [&] {
    SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  };
  HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
  HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
  shown.control->SetCursor(-21);  // the hand point
  EXPECT_EQ(cursorOver(), hand);
  SetCursor(arrow);
  {
    const forms::WaitCursor outer;
    EXPECT_EQ(GetCursor(), wait);
    {
      const forms::WaitCursor inner;
      EXPECT_EQ(cursorOver(), wait);
    }
    EXPECT_EQ(GetCursor(), wait);
    {
      const forms::WaitCursorLifted lifted;
      EXPECT_EQ(GetCursor(), arrow);
      EXPECT_EQ(cursorOver(), hand);
    }
    EXPECT_EQ(cursorOver(), wait);
  }
  EXPECT_EQ(GetCursor(), arrow);
  EXPECT_EQ(cursorOver(), hand);
}

TEST(Win32Application, RunEndsWhenTheMainWindowIsClosed) {
  int argc = 1;
  char program[] = "forms_win32_tests";
  char* argv[] = {program, nullptr};
  forms::TApplication application(argc, argv, "Quillory Album");
  ComponentPtr<forms::TMainWindow> window(new forms::TMainWindow(200, 100, {}));
  auto* timer = new forms::TTimer(window.get());
  int ticks = 0;
  timer->SetInterval(10);
  timer->OnTimer = [&](forms::TObject*) {
    if (++ticks == 2) window->Close();
  };
  window->Show();
  EXPECT_EQ(application.Run(), 0);
  EXPECT_EQ(ticks, 2);
  EXPECT_FALSE(window->Showing());
}

}  // namespace
