// Message boxes, the common file dialogs, the shell's folder dialog and the
// shell's open, through their W functions for texts and A functions for paths.
#include "forms/System_win32.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>

#include "forms/Dialogs.h"
#include "forms/core/Messages.h"

namespace forms {

namespace {

void showBox(const std::string& caption, const std::string& text, UINT icon) {
  // No owner and task-modal: centred on the screen while every window of the program waits.
  // The window that was active gets the keyboard back afterwards, which a box without
  // an owner does not give it by itself.
  HWND active = GetActiveWindow();
  MessageBoxW(nullptr, native::toWide(text).c_str(), native::toWide(caption).c_str(),
              MB_OK | MB_TASKMODAL | MB_SETFOREGROUND | icon);
  if (active != nullptr && IsWindow(active)) SetActiveWindow(active);
}

// "Text|pattern|Text|pattern" as the NUL-separated list the dialogs take, ended by two NULs.
std::string dialogFilter(const std::string& filter) {
  std::string list;
  size_t start = 0;
  while (start < filter.size()) {
    const size_t bar = std::min(filter.find('|', start), filter.size());
    list += native::toAnsi(filter.substr(start, bar - start));
    list.push_back('\0');
    start = bar + 1;
  }
  return list;  // the string's own terminator is the second NUL
}

std::optional<std::string> runFileDialog(const FileDialogSetup& setup, bool save) {
  std::string file = setup.fileName;
  file.resize(std::max<size_t>(file.size() + 1, 32768), '\0');
  const std::string filter = dialogFilter(setup.filter);
  const std::string title = native::toAnsi(setup.title);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetActiveWindow();
  dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = setup.initialFolder.empty() ? nullptr : setup.initialFolder.c_str();
  dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
  dialog.lpstrDefExt = setup.defaultExtension.empty() ? nullptr : setup.defaultExtension.c_str();
  // The platform's defaults: no read-only box, resizable, no question before a file is replaced.
  // Without OFN_NOCHANGEDIR the confirmed file's folder becomes the current directory.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
  if (!(save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog))) return std::nullopt;
  return std::string(file.c_str());
}

int CALLBACK setUpFolderDialog(HWND dialog, UINT message, LPARAM, LPARAM data) {
  if (message != BFFM_INITIALIZED) return 0;
  const auto& setup = *reinterpret_cast<const FileDialogSetup*>(data);
  if (!setup.title.empty()) native::setWindowText(dialog, setup.title);
  if (!setup.initialFolder.empty())
    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(setup.initialFolder.c_str()));
  return 0;
}

}  // namespace

SystemUserInterface::SystemUserInterface(std::string applicationTitle) : title_(std::move(applicationTitle)) {}

void SystemUserInterface::showMessage(const std::string& text) { showBox(title_, text, 0); }

void SystemUserInterface::showError(const std::string& text) { showBox(msg::ErrorCaption, text, MB_ICONERROR); }

void SystemUserInterface::showStop(const std::string& text) { showBox(title_, withFullStop(text), MB_ICONSTOP); }

std::optional<std::string> SystemUserInterface::openFile(const FileDialogSetup& setup) {
  return runFileDialog(setup, false);
}

std::optional<std::string> SystemUserInterface::saveFile(const FileDialogSetup& setup) {
  return runFileDialog(setup, true);
}

std::optional<std::string> SystemUserInterface::chooseFolder(const FileDialogSetup& setup) {
  // The dialog of the new style needs COM on this thread.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  BROWSEINFOA browse{};
  browse.hwndOwner = GetActiveWindow();
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  browse.lpfn = setUpFolderDialog;
  browse.lParam = reinterpret_cast<LPARAM>(&setup);
  std::optional<std::string> folder;
  if (PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&browse)) {
    char path[MAX_PATH];
    if (SHGetPathFromIDListA(chosen, path)) folder = path;
    CoTaskMemFree(chosen);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return folder;
}

OpenResult SystemUserInterface::openDocument(const std::string& folder, const std::string& fileName) {
  const auto code = reinterpret_cast<INT_PTR>(
      ShellExecuteA(GetActiveWindow(), "OPEN", fileName.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL));
  if (code > 32) return OpenResult::Opened;
  return code == SE_ERR_ASSOCINCOMPLETE ? OpenResult::AssociationIncomplete : OpenResult::Failed;
}

}  // namespace forms
