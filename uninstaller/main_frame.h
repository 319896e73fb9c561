// The uninstaller's main frame: once its tool bar and status bar exist it
// carries out the removal plan.
#pragma once

#include "framework/bars.h"
#include "framework/frame.h"

class CMainFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)

 protected:
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  int OnCreate(LPCREATESTRUCT cs);

  CStatusBar m_wndStatusBar;
  CToolBar m_wndToolBar;

  DECLARE_MESSAGE_MAP()
};
