#include "uninstaller/test_app.h"

#include "framework/doc.h"
#include "uninstaller/main_frame.h"
#include "uninstaller/resource.h"
#include "uninstaller/test_doc.h"
#include "uninstaller/test_view.h"

CTestApp theApp;

BOOL CTestApp::InitInstance() {
  AfxEnableControlContainer();
  Enable3dControls();
  SetRegistryKey("Local AppWizard-Generated Applications");
  LoadStdProfileSettings(4);

  AddDocTemplate(new (std::nothrow) CSingleDocTemplate(
      IDR_MAINFRAME, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CTestView)));

  // A new document creates the main frame, and the frame's creation carries
  // out the removal plan and ends the process.
  CCommandLineInfo cmdInfo;
  ParseCommandLine(cmdInfo);
  if (!ProcessShellCommand(cmdInfo)) return FALSE;

  m_pMainWnd->ShowWindow(SW_SHOW);
  m_pMainWnd->UpdateWindow();
  return TRUE;
}
