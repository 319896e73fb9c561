// The uninstaller's view: never shown, draws nothing.
#pragma once

#include "framework/view.h"

class CTestView : public CView {
  DECLARE_DYNCREATE(CTestView)

 protected:
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  void OnDraw(HDC) override {}
};
