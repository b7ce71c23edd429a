// The system's message boxes, file dialogs and shell open behind the
// UserInterface, and the program's resources, on Win32. A second thread
// answers each dialog as a person would, through its own buttons.
#include <gtest/gtest.h>

#include "Win32Input.h"
#include "base/Errors.h"
#include "forms/Dialogs.h"
#include "forms/Resources.h"
#include "support/TempDir.h"

#include <commdlg.h>
#include <dlgs.h>

#include <functional>
#include <string>
#include <thread>

namespace {

std::wstring classOf(HWND hwnd) {
  wchar_t name[32] = {};
  GetClassNameW(hwnd, name, 32);
  return name;
}

BOOL CALLBACK findDialog(HWND hwnd, LPARAM result) {
  if (classOf(hwnd) != L"#32770" || !IsWindowVisible(hwnd)) return TRUE;
  *reinterpret_cast<HWND*>(result) = hwnd;
  return FALSE;
}

// The first visible dialog of the thread, waited for up to ten seconds.
HWND waitForDialog(DWORD thread) {
  for (int i = 0; i < 1000; ++i) {
    HWND found = nullptr;
    EnumThreadWindows(thread, findDialog, reinterpret_cast<LPARAM>(&found));
    if (found != nullptr) return found;
    Sleep(10);
  }
  return nullptr;
}

std::wstring textOf(HWND hwnd) {
  wchar_t text[300] = {};
  GetWindowTextW(hwnd, text, 300);
  return text;
}

// Runs `show` on this thread while another answers the dialog it opens with `answer`.
void answered(const std::function<void()>& show, const std::function<void(HWND dialog)>& answer) {
  const DWORD thread = GetCurrentThreadId();
  std::thread person([&] {
    if (HWND dialog = waitForDialog(thread)) answer(dialog);
  });
  show();
  person.join();
}

void pressButton(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

struct Box {
  std::wstring caption;
  std::wstring text;
  bool icon = false;
};

Box boxOf(const std::function<void(forms::UserInterface&)>& show) {
  forms::SystemUserInterface ui("Quillory Album");
  Box box;
  answered([&] { show(ui); },
           [&](HWND dialog) {
             box.caption = textOf(dialog);
             for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
               if (classOf(child) != L"Static" || !IsWindowVisible(child)) continue;
               if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                 box.icon = SendMessageW(child, STM_GETICON, 0, 0) != 0;
               else if (!textOf(child).empty())
                 box.text = textOf(child);
             }
             pressButton(dialog, IDOK);
           });
  return box;
}

TEST(Win32Dialogs, MessageBoxesWithTheirCaptionsTextsAndIcons) {
  const Box message = boxOf([](forms::UserInterface& ui) { ui.showMessage("Load picture first"); });
  EXPECT_EQ(message.caption, L"Quillory Album");
  EXPECT_EQ(message.text, L"Load picture first");
  EXPECT_FALSE(message.icon);

  const Box error = boxOf([](forms::UserInterface& ui) { ui.showError("Caf\xC3\xA9 not found"); });
  EXPECT_EQ(error.caption, L"Error");
  EXPECT_EQ(error.text, L"Caf\u00E9 not found");
  EXPECT_TRUE(error.icon);

  const Box stop = boxOf([](forms::UserInterface& ui) { ui.showStop("Cannot create file"); });
  EXPECT_EQ(stop.caption, L"Quillory Album");
  EXPECT_EQ(stop.text, L"Cannot create file.");
  EXPECT_TRUE(stop.icon);
}

// The file name box of a file dialog: an edit, or a combo box with an edit in newer dialogs.
HWND fileNameBox(HWND dialog) {
  HWND edit = GetDlgItem(dialog, edt1);
  return edit != nullptr ? edit : GetDlgItem(dialog, cmb13);
}

// Types a name into a file dialog and confirms it.
void confirmName(HWND dialog, const wchar_t* name) {
  SendMessageW(fileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
  pressButton(dialog, IDOK);
}

TEST(Win32Dialogs, SaveDialogSetUpAnsweredAndMakingItsFolderCurrent) {
  const testsupport::TempDir folder;
  forms::SystemUserInterface ui("Quillory Album");
  const forms::FileDialogSetup setup{folder.path(), "Save Bitmap As...", "Bmp Files (*.bmp)|*.BMP", "bmp",
                                     "QuilloryPic1.bmp"};
  std::wstring title;
  std::wstring filter;
  std::wstring proposed;
  std::optional<std::string> chosen;
  answered([&] { chosen = ui.saveFile(setup); },
           [&](HWND dialog) {
             title = textOf(dialog);
             HWND types = GetDlgItem(dialog, cmb1);
             wchar_t text[100] = {};
             SendMessageW(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
             filter = text;
             proposed = textOf(fileNameBox(dialog));
             confirmName(dialog, L"picture");
           });
  EXPECT_EQ(title, L"Save Bitmap As...");
  EXPECT_EQ(filter, L"Bmp Files (*.bmp)");
  EXPECT_EQ(proposed, L"QuilloryPic1.bmp");
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, folder.path("picture.bmp"));
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_EQ(std::string(current), folder.path());

  std::optional<std::string> cancelled = "not asked";
  answered([&] { cancelled = ui.openFile({}); }, [](HWND dialog) { pressButton(dialog, IDCANCEL); });
  EXPECT_FALSE(cancelled.has_value());
}

TEST(Win32Dialogs, OpenDocumentThatIsMissingFails) {
  const testsupport::TempDir folder;
  forms::SystemUserInterface ui("Quillory Album");
  EXPECT_EQ(ui.openDocument(folder.path() + "\\", "QuilloryAlbum.htm"), forms::OpenResult::Failed);
}

TEST(Win32Resources, DataAndBitmapsByNameAndAMissingOneNamed) {
  const base::Bitmap logo = forms::LoadBitmapResource("logo.bmp");
  EXPECT_EQ(logo.width(), 144);
  EXPECT_EQ(logo.height(), 33);
  EXPECT_EQ(logo.format(), base::PixelFormat::Rgb24);
  EXPECT_EQ(forms::LoadDataResource("glyph-alpha").substr(0, 2), "BM");
  try {
    forms::LoadDataResource("About.qfd");
    ADD_FAILURE() << "a missing resource was found";
  } catch (const base::EFOpenError& e) {
    EXPECT_EQ(e.path(), "About.qfd");
  }
}

}  // namespace
