// The Save button, driven through the real Save As dialog and message boxes:
// the extension rule, the overwrite question, refusals, Cancel, and copies
// that fail.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tests/win/support/support.h"
#include "tests/win/viewer/viewer_support.h"

namespace ts = testsupport;
using namespace viewertest;

namespace {

constexpr char kSnapFile[] = "C:\\Snap.bmp";
constexpr int kSaveButton = 1002;
// The file name box of the Save As dialog: a combo box in the explorer-style
// dialog, an edit control in others.
constexpr int kFileNameIds[] = {0x47C, 0x480};

std::vector<std::string> FileNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = data.cFileName;
    if (name != "." && name != ".." && !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      names.push_back(name);
    }
  } while (FindNextFileA(find, &data));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

HWND FileNameBox(HWND dialog) {
  for (int id : kFileNameIds) {
    if (HWND box = GetDlgItem(dialog, id)) return box;
  }
  return nullptr;
}

std::string ControlText(HWND control) {
  char text[512] = "";
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  return text;
}

// Compared as a whole, without printing kilobytes of pixels on a mismatch.
::testing::AssertionResult HasBytes(const std::string& path, const std::string& bytes) {
  auto have = ts::ReadFileBytes(path);
  if (!have) return ::testing::AssertionFailure() << path << " is missing";
  if (*have != bytes) {
    return ::testing::AssertionFailure() << path << " has other contents (" << have->size()
                                         << " bytes, expected " << bytes.size() << ")";
  }
  return ::testing::AssertionSuccess();
}

class SaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(folder_.Path().empty());
    snapBytes_ = MakeBmp(
        {160, 120, 24, 0, {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)}});
    ASSERT_TRUE(ts::WriteFileBytes(kSnapFile, snapBytes_));
    StartViewer();
  }
  void TearDown() override { ts::RemoveFile(kSnapFile); }

  // A fresh viewer, for table cases after the first (a Save ends the viewer).
  void StartViewer() {
    viewer_ = std::make_unique<Viewer>();
    ASSERT_TRUE(viewer_->Start());
  }

  std::string InFolder(const std::string& rest) const { return folder_.Path() + "\\" + rest; }

  // Presses Save and waits for the Save As dialog.
  HWND OpenSaveAs() {
    EXPECT_TRUE(ts::PressButton(viewer_->Window(), kSaveButton));
    HWND dialog = ts::WaitForWindow("Save As", viewer_->Process().Pid(), kWaitMs);
    EXPECT_NE(dialog, nullptr) << "no Save As dialog";
    return dialog;
  }

  std::string PrefilledName(HWND dialog) {
    HWND box = FileNameBox(dialog);
    EXPECT_NE(box, nullptr);
    return box ? ControlText(box) : "";
  }

  // Types a name or path into the Save As dialog and presses its OK button.
  void Choose(HWND dialog, const std::string& name) {
    HWND box = FileNameBox(dialog);
    ASSERT_NE(box, nullptr);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()),
                        SMTO_ABORTIFHUNG, 5000, &ignored);
    ASSERT_TRUE(ts::PressButton(dialog, IDOK));
    EXPECT_TRUE(ts::WaitForWindowGone(dialog, kWaitMs)) << "Save As stayed open";
  }

  void SaveAs(const std::string& name) {
    HWND dialog = OpenSaveAs();
    ASSERT_NE(dialog, nullptr);
    Choose(dialog, name);
  }

  // Waits for the viewer's message box, checks its text, presses a button.
  void Answer(const char* caption, const std::string& text, int button) {
    HWND box = ts::WaitForWindow(caption, viewer_->Process().Pid(), kWaitMs);
    ASSERT_NE(box, nullptr) << "no message box captioned " << caption;
    EXPECT_EQ(ts::MessageBoxText(box), text);
    ASSERT_TRUE(ts::PressButton(box, button));
    EXPECT_TRUE(ts::WaitForWindowGone(box, kWaitMs));
  }

  void ExpectViewerEnded() {
    DWORD code = 0xFFFF;
    ASSERT_TRUE(viewer_->WaitExit(&code)) << "the viewer did not close";
    EXPECT_EQ(code, 0u);
  }

  void ExpectViewerOpen() {
    EXPECT_TRUE(viewer_->Process().Running());
    EXPECT_EQ(SendWithTimeout(viewer_->Window(), WM_NULL), 0);
  }

  ts::TempFolder folder_;
  SnapSetting setting_{kSnapFile};
  std::unique_ptr<Viewer> viewer_;
  std::string snapBytes_;
};

TEST_F(SaveTest, FirstPromptOpensInDriveRootWithSnapBmp) {
  HWND dialog = OpenSaveAs();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(PrefilledName(dialog), "Snap.bmp");
  // a bare name lands in the folder the dialog opened in
  Choose(dialog, "capkit-first-prompt");
  ExpectViewerEnded();
  const std::string saved = "C:\\capkit-first-prompt.bmp";
  EXPECT_TRUE(HasBytes(saved, snapBytes_));
  ts::RemoveFile(saved);
}

// Names the extension rule accepts: the copy has exactly this name.
TEST_F(SaveTest, SavesUnderTheAcceptedName) {
  struct {
    const char* typed;   // below the test's folder
    const char* folder;  // where the copy goes, below the test's folder
    const char* saved;
  } cases[] = {
      {"shot", "", "shot.bmp"},
      {"shot.BMP", "", "shot.BMP"},
      {"shot.Bmp", "", "shot.Bmp"},
      {"pics.old\\shot", "pics.old", "shot.bmp"},
  };
  bool first = true;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    if (!first) StartViewer();
    first = false;
    ts::TempFolder folder;
    std::string target =
        std::string(c.folder).empty() ? folder.Path() : folder.Path() + "\\" + c.folder;
    ASSERT_TRUE(ts::MakeDirs(target));
    SaveAs(folder.Path() + "\\" + c.typed);
    ExpectViewerEnded();
    EXPECT_EQ(FileNames(target), std::vector<std::string>{c.saved});
    EXPECT_TRUE(HasBytes(target + "\\" + c.saved, snapBytes_));
  }
}

// Another extension is refused; the next prompt offers the refused name in
// the same folder, so the user can correct it.
TEST_F(SaveTest, RefusesOtherExtensionsAndOffersTheNameAgain) {
  bool first = true;
  for (const char* name : {"shot.jpg", "shot.bmp.jpg"}) {
    SCOPED_TRACE(name);
    if (!first) StartViewer();
    first = false;
    ts::TempFolder folder;
    SaveAs(folder.Path() + "\\" + name);
    Answer("Error", "The extended name must be bmp!", IDOK);
    ExpectViewerOpen();
    EXPECT_TRUE(FileNames(folder.Path()).empty());

    HWND dialog = OpenSaveAs();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(PrefilledName(dialog), name);
    Choose(dialog, "again");
    ExpectViewerEnded();
    EXPECT_EQ(FileNames(folder.Path()), std::vector<std::string>{"again.bmp"});
  }
}

TEST_F(SaveTest, CancelKeepsTheViewerOpen) {
  HWND dialog = OpenSaveAs();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(ts::PressButton(dialog, IDCANCEL));
  EXPECT_TRUE(ts::WaitForWindowGone(dialog, kWaitMs));
  ExpectViewerOpen();
  // nothing was taken from the cancelled prompt
  dialog = OpenSaveAs();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(PrefilledName(dialog), "Snap.bmp");
  ASSERT_TRUE(ts::PressButton(dialog, IDCANCEL));
  EXPECT_TRUE(ts::WaitForWindowGone(dialog, kWaitMs));
  ExpectViewerOpen();
}

TEST_F(SaveTest, AsksBeforeReplacingAnExistingFile) {
  const std::string old = "old contents, not an image";
  struct {
    int answer;
    bool replaced;
  } cases[] = {{IDNO, false}, {IDYES, true}};
  bool first = true;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer == IDYES ? "Yes" : "No");
    if (!first) StartViewer();
    first = false;
    const std::string target = InFolder(c.answer == IDYES ? "yes.bmp" : "no.bmp");
    ASSERT_TRUE(ts::WriteFileBytes(target, old));
    SaveAs(target);
    Answer("Notify", "File: " + target + " already exist,OverWrite it?", c.answer);
    ExpectViewerEnded();
    EXPECT_TRUE(HasBytes(target, c.replaced ? snapBytes_ : old));
  }
}

// A path the 256-character buffer cannot hold, as chosen or with ".bmp"
// added, is refused whole: nothing is copied under a cut name.
TEST_F(SaveTest, RefusesPathsTooLongToHold) {
  // Deep enough that a name of a few characters takes the path past 255.
  std::string deep = folder_.Path();
  while (deep.size() < 230)
    deep += "\\" + std::string(std::min<std::size_t>(40, 236 - deep.size()), 'd');
  ASSERT_TRUE(ts::MakeDirs(deep));
  struct {
    const char* name;
    std::string path;
  } cases[] = {
      {"chosen path over 255", deep + "\\" + std::string(253 - deep.size(), 'n') + ".bmp"},
      {"255 with .bmp still to add", deep + "\\" + std::string(253 - deep.size(), 'n')},
  };
  ASSERT_GT(cases[0].path.size(), 255u);
  ASSERT_LT(cases[0].path.size(), 260u);
  ASSERT_LE(cases[1].path.size(), 255u);
  ASSERT_GT(cases[1].path.size() + 4, 255u);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SaveAs(c.path);
    Answer("Error", "The path name is too long!", IDOK);
    ExpectViewerOpen();
    EXPECT_TRUE(FileNames(deep).empty());
  }
}

// A copy that fails is reported and the viewer stays open for another try.
TEST_F(SaveTest, ReportsAFailedCopy) {
  ASSERT_TRUE(ts::RemoveFile(kSnapFile));
  const std::string target = InFolder("shot.bmp");
  SaveAs(target);
  Answer("Error", "Can't copy C:\\Snap.bmp to " + target + "!", IDOK);
  ExpectViewerOpen();
  EXPECT_TRUE(FileNames(folder_.Path()).empty());
}

}  // namespace
