// Message maps, Default() and modal dialogs, run against the real dialog
// manager: the order in which maps are searched, that a handler's Default()
// reaches the window's own procedure, and the standard commands of a modal
// dialog (Esc, a mapped button, F1 help).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/app.h"
#include "framework/dialog.h"

namespace {

constexpr UINT kTemplate = 200;
constexpr int kButton = 1001;
constexpr UINT kMsgA = WM_APP + 1;
constexpr UINT kMsgB = WM_APP + 2;
constexpr UINT_PTR kGuardTimer = 77;
constexpr INT_PTR kGuardResult = 4242;  // the dialog was ended by the guard

class TestApp : public CWinApp {
 public:
  TestApp() { m_hInstance = GetModuleHandleA(nullptr); }
  int helpCalls = 0;
  DWORD helpContext = 0;

 protected:
  void OnHelpCommand() {
    ++helpCalls;
    helpContext = m_helpContext;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestApp, CWinApp)
ON_COMMAND(ID_HELP, &TestApp::OnHelpCommand)
END_MESSAGE_MAP()

// A dialog whose base class maps kMsgA and kMsgB.
class BaseDlg : public CDialog {
 public:
  BaseDlg() : CDialog(kTemplate) {}
  std::vector<std::string> calls;

 protected:
  LRESULT OnBaseA(WPARAM, LPARAM) {
    calls.push_back("base A");
    return 1;
  }
  LRESULT OnBaseB(WPARAM, LPARAM) {
    calls.push_back("base B");
    return 2;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseDlg, CDialog)
ON_MESSAGE(kMsgA, &BaseDlg::OnBaseA)
ON_MESSAGE(kMsgB, &BaseDlg::OnBaseB)
END_MESSAGE_MAP()

// Overrides kMsgA twice (the first entry must win), maps a button, and lets
// a test run code once the dialog is up. A timer ends the dialog if the
// test's way of ending it does not work, so no test can hang.
class TestDlg : public BaseDlg {
 public:
  std::function<void(TestDlg&)> onInit;
  bool cancelled = false;
  int pressed = 0;
  bool passSetText = true;
  using CWnd::SendMessage;

 protected:
  BOOL OnInitDialog() override {
    SetTimer(m_hWnd, kGuardTimer, 10000, nullptr);
    if (onInit) onInit(*this);
    return TRUE;
  }
  void OnCancel() override {
    cancelled = true;
    CDialog::OnCancel();
  }
  LRESULT OnDerivedA(WPARAM, LPARAM) {
    calls.push_back("derived A");
    return 10;
  }
  LRESULT OnDerivedASecond(WPARAM, LPARAM) {
    calls.push_back("derived A, second entry");
    return 11;
  }
  LRESULT OnSetText(WPARAM, LPARAM) { return passSetText ? Default() : TRUE; }
  LRESULT OnTimer(WPARAM id, LPARAM) {
    if (id == kGuardTimer) EndDialog(kGuardResult);
    return 0;
  }
  void OnPress() { ++pressed; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestDlg, BaseDlg)
ON_MESSAGE(kMsgA, &TestDlg::OnDerivedA)
ON_MESSAGE(kMsgA, &TestDlg::OnDerivedASecond)
ON_MESSAGE(WM_SETTEXT, &TestDlg::OnSetText)
ON_MESSAGE(WM_TIMER, &TestDlg::OnTimer)
ON_BN_CLICKED(kButton, &TestDlg::OnPress)
END_MESSAGE_MAP()

std::string Caption(HWND hwnd) {
  char text[128] = "";
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

TEST(MessageMap, MostDerivedFirstEntryWinsThenBase) {
  TestApp app;
  TestDlg dlg;
  LRESULT a = 0, b = 0;
  dlg.onInit = [&](TestDlg& d) {
    a = d.SendMessage(kMsgA);
    b = d.SendMessage(kMsgB);
    d.EndDialog(IDOK);
  };
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(a, 10);
  EXPECT_EQ(b, 2);
  EXPECT_EQ(dlg.calls, (std::vector<std::string>{"derived A", "base B"}));
}

// Default() hands the message being handled to the dialog's own procedure,
// which is what stores a caption; a handler that does not call it keeps the
// message from there.
TEST(MessageMap, DefaultReachesTheOriginalProcedure) {
  TestApp app;
  for (bool pass : {true, false}) {
    SCOPED_TRACE(pass ? "Default() called" : "Default() not called");
    TestDlg dlg;
    dlg.passSetText = pass;
    std::string caption;
    dlg.onInit = [&](TestDlg& d) {
      SetWindowTextA(d.m_hWnd, "Changed");
      caption = Caption(d.m_hWnd);
      d.EndDialog(IDOK);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(caption, pass ? "Changed" : "Framework test");
  }
}

TEST(Dialog, EscEndsTheModalLoopThroughOnCancel) {
  TestApp app;
  TestDlg dlg;
  dlg.onInit = [](TestDlg& d) {
    // as the keyboard would: to the control with the focus, through the queue
    PostMessageA(GetDlgItem(d.m_hWnd, kButton), WM_KEYDOWN, VK_ESCAPE, 0);
  };
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_TRUE(dlg.cancelled);
  EXPECT_EQ(dlg.m_hWnd, nullptr);  // detached once the window was gone
}

TEST(Dialog, MappedButtonRunsItsHandlerAndKeepsTheDialog) {
  TestApp app;
  TestDlg dlg;
  bool openAfterPress = false;
  dlg.onInit = [&](TestDlg& d) {
    HWND button = GetDlgItem(d.m_hWnd, kButton);
    d.SendMessage(WM_COMMAND, MAKEWPARAM(kButton, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    openAfterPress = IsWindow(d.m_hWnd) != FALSE;
    d.EndDialog(IDOK);
  };
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.pressed, 1);
  EXPECT_TRUE(openAfterPress);
}

// F1 in a dialog reaches the application's Help command with the dialog's topic.
TEST(Dialog, HelpGoesToTheApplicationsHelpCommand) {
  TestApp app;
  TestDlg dlg;
  dlg.onInit = [](TestDlg& d) {
    HELPINFO info = {};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.hItemHandle = d.m_hWnd;
    d.SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    d.EndDialog(IDOK);
  };
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(app.helpCalls, 1);
  EXPECT_EQ(app.helpContext, 0x20000u + kTemplate);
}

}  // namespace
