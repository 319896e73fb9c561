#include "viewer/pixlook_app.h"

#include "viewer/pixlook_dlg.h"

BEGIN_MESSAGE_MAP(CPixlookApp, CWinApp)
ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CPixlookApp::CPixlookApp() : CWinApp(nullptr) {}

BOOL CPixlookApp::InitInstance() {
  CPixlookDlg dlg;
  m_pMainWnd = &dlg;
  dlg.DoModal();
  m_pMainWnd = nullptr;
  // The application ends with its dialog; no message loop of its own.
  return FALSE;
}

CPixlookApp theApp;
