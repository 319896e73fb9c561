#include "viewer/save_command.h"

#include <commdlg.h>

#include <cstring>
#include <string>

#include "platform/bounded_format.h"
#include "platform/handles.h"
#include "viewer/pixlook_dlg.h"
#include "viewer/save_name.h"

char g_szSavePath[kSavePathChars] = "c:\\Snap.bmp";

namespace {

constexpr char kSnapSource[] = "C:\\Snap.bmp";
constexpr int kFileNameChars = 260;
constexpr DWORD kSaveFlags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN;  // 0x8804

constexpr char kErrorCaption[] = "Error";
constexpr char kWrongExtensionText[] = "The extended name must be bmp!";
constexpr char kPathTooLongText[] = "The path name is too long!";

bool CanOpenForReading(const char* path) {
  platform::UniqueFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return static_cast<bool>(file);
}

void ShowError(const char* text) { MessageBoxA(nullptr, text, kErrorCaption, MB_OK); }

}  // namespace

bool PromptSavePath(HWND owner, char* buffer, int capacity, bool* tooLong) {
  if (tooLong) *tooLong = false;
  if (buffer == nullptr || capacity <= 0) return false;
  std::size_t nameAt = viewer::FileNameOffset(buffer);
  std::string folder(buffer, nameAt);
  char file[kFileNameChars];
  platform::CopyTruncated(file, sizeof file, buffer + nameAt);

  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = "BMP Files\0*.bmp\0";
  ofn.lpstrCustomFilter = nullptr;
  ofn.nFilterIndex = 0;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrFileTitle = nullptr;
  ofn.lpstrInitialDir = folder.c_str();
  ofn.lpstrTitle = "Save As";
  ofn.Flags = kSaveFlags;
  ofn.lpstrDefExt = nullptr;
  if (!GetSaveFileNameA(&ofn)) return false;

  // A path the buffer cannot hold is refused whole, never kept cut short.
  if (std::strlen(file) >= static_cast<std::size_t>(capacity)) {
    if (tooLong) *tooLong = true;
    return false;
  }
  std::memcpy(buffer, file, std::strlen(file) + 1);
  return true;
}

void CPixlookDlg::OnSave() {
  bool tooLong = false;
  if (!PromptSavePath(g_hViewerWnd, g_szSavePath, kSavePathChars, &tooLong)) {
    if (tooLong) ShowError(kPathTooLongText);
    return;
  }
  switch (viewer::ApplyBmpExtension(g_szSavePath, sizeof g_szSavePath)) {
    case viewer::SaveNameResult::kWrongExtension:
      ShowError(kWrongExtensionText);
      return;
    case viewer::SaveNameResult::kTooLong:
      ShowError(kPathTooLongText);
      return;
    case viewer::SaveNameResult::kKept:
    case viewer::SaveNameResult::kExtended:
      break;
  }

  // "File: " + a path of at most 255 characters + the question always fits.
  BOOL keepExisting = FALSE;
  if (CanOpenForReading(g_szSavePath)) {
    char question[kSavePathChars + 64];
    platform::FormatBounded(question, sizeof question, "File: %s already exist,OverWrite it?",
                            g_szSavePath);
    keepExisting = MessageBoxA(nullptr, question, "Notify", MB_YESNO | MB_ICONINFORMATION) == IDNO;
  }
  if (!CopyFileA(kSnapSource, g_szSavePath, keepExisting) && !keepExisting) {
    // Closing now would tell the user the snapshot was kept when it was not.
    char text[kSavePathChars + 64];
    platform::FormatBounded(text, sizeof text, "Can't copy %s to %s!", kSnapSource, g_szSavePath);
    ShowError(text);
    return;
  }
  PostQuitMessage(0);
}
