#include "framework/dialog.h"

#include "framework/app.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent) {}

INT_PTR CDialog::DoModal() {
  HWND parent = m_parent ? m_parent->m_hWnd : nullptr;
  return DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_templateId), parent,
                         &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

// The dialog manager's procedure only attaches the object: from
// WM_INITDIALOG on, the window is subclassed and the message map sees every
// message first, falling back to the dialog manager for default handling.
INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM, LPARAM lParam) {
  if (msg != WM_INITDIALOG) return FALSE;
  CDialog* dlg = reinterpret_cast<CDialog*>(lParam);
  dlg->SubclassAndAttach(hwnd);
  return dlg->OnInitDialog();
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (CWnd::OnCommand(wParam, lParam)) return TRUE;
  UINT id = LOWORD(wParam);
  UINT code = HIWORD(wParam);
  if (code != BN_CLICKED && code != 1) return FALSE;
  if (id == IDCANCEL) {
    OnCancel();
    return TRUE;
  }
  if (id == IDOK) {
    OnOK();
    return TRUE;
  }
  // Commands the dialog does not handle go to the application (F1 help).
  if (CWinApp* app = AfxGetApp()) return app->OnCmdMsg(id, code);
  return FALSE;
}

LRESULT CDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_HELP) {
    // F1: the application's help command with this dialog's topic.
    if (CWinApp* app = AfxGetApp()) {
      app->m_helpContext = 0x20000 + m_templateId;
      if (app->OnCmdMsg(ID_HELP, 0)) return TRUE;
    }
  }
  return CWnd::WindowProc(msg, wParam, lParam);
}
