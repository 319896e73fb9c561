#include "uninstaller/test_view.h"

IMPLEMENT_DYNCREATE(CTestView, CView)

BOOL CTestView::PreCreateWindow(CREATESTRUCTA& cs) { return CView::PreCreateWindow(cs); }
