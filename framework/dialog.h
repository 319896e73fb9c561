// Modal dialogs from dialog templates.
#pragma once

#include "framework/wnd.h"

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);

  // Runs the dialog until EndDialog; returns its result, or -1 when the
  // dialog could not be created.
  virtual INT_PTR DoModal();
  void EndDialog(INT_PTR result) { ::EndDialog(m_hWnd, result); }

  UINT m_templateId;

 protected:
  virtual BOOL OnInitDialog() { return TRUE; }
  // Enter with no default button, and Esc: end the dialog.
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  CWnd* m_parent;
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};
