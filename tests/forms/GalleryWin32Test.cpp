// The Win32 gallery window: thumbnails zoomed by whole pixels, chosen and
// zoomed with the keys, closed with Escape.
#include <gtest/gtest.h>

#include "Win32Input.h"
#include "forms/Gallery.h"
#include "forms/MainWindow.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

using win32test::press;
using win32test::runUntil;

// A picture of one colour with a single red pixel.
base::Bitmap dotted(int width, int height) {
  base::Bitmap picture(width, height, base::PixelFormat::Rgb24);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.scanLine(y)[3 * x] = 0xC0;  // blue
  picture.scanLine(1)[3 * 2 + 2] = 0xFF;
  picture.scanLine(1)[3 * 2 + 0] = 0;
  return picture;
}

std::wstring itemText(HWND list, int index) {
  wchar_t text[100] = {};
  LVITEMW item{};
  item.iSubItem = 0;
  item.pszText = text;
  item.cchTextMax = 100;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return text;
}

int redPixels(HWND list) {
  const win32test::Capture shown(list);
  RECT client;
  GetClientRect(list, &client);
  int count = 0;
  for (int y = 0; y < client.bottom; ++y)
    for (int x = 0; x < client.right; ++x) count += shown.at(x, y) == RGB(255, 0, 0);
  return count;
}

TEST(Win32Gallery, ThumbnailsZoomedChosenByKeysAndClosedWithEscape) {
  forms::ComponentPtr<forms::TMainWindow> window(new forms::TMainWindow(200, 100, {}));
  auto* gallery = new forms::TGalleryWindow(*window);
  std::vector<std::string> chosen;
  gallery->OnChosen = [&](const std::string& data) { chosen.push_back(data); };
  std::vector<forms::TThumbnail> thumbnails;
  thumbnails.push_back({"first.pdb", "Boat\n3 June 2003", dotted(8, 6)});
  thumbnails.push_back({"second.pdb", "Apple", dotted(4, 3)});
  gallery->SetCaption("Gallery - Anna");
  gallery->ShowThumbnails(std::move(thumbnails), "QuilloryPicE.pdb: not a picture");
  gallery->Show();
  ASSERT_TRUE(runUntil([&] { return GetForegroundWindow() == gallery->Handle(); }));

  HWND list = gallery->ThumbnailsHandle();
  ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(itemText(list, 0), L"Boat\n3 June 2003");
  EXPECT_EQ(itemText(list, 1), L"Apple");
  EXPECT_TRUE(IsWindowVisible(gallery->LeftOutHandle()));
  wchar_t leftOut[100] = {};
  GetWindowTextW(gallery->LeftOutHandle(), leftOut, 100);
  EXPECT_STREQ(leftOut, L"QuilloryPicE.pdb: not a picture");

  // Every pixel a square of zoom x zoom: the two red dots cover 2 pixels, then 2 x 4.
  EXPECT_EQ(redPixels(list), 2);
  press({VK_CONTROL, VK_OEM_PLUS});
  EXPECT_EQ(gallery->Zoom(), 2);
  EXPECT_EQ(redPixels(list), 8);
  gallery->SetZoom(9);
  EXPECT_EQ(gallery->Zoom(), forms::TGalleryWindow::kMaxZoom);
  press({VK_CONTROL, VK_OEM_MINUS});
  EXPECT_EQ(gallery->Zoom(), forms::TGalleryWindow::kMaxZoom - 1);

  ASSERT_EQ(GetFocus(), list);
  press({VK_RIGHT});
  press({VK_RETURN});
  EXPECT_EQ(chosen, std::vector<std::string>{"second.pdb"});

  press({VK_ESCAPE});
  EXPECT_FALSE(gallery->Showing());
}

}  // namespace
