#include "framework/view.h"

#include "framework/doc.h"
#include "framework/frame.h"

namespace {

const char kViewClass[] = "CapkitView";

}  // namespace

BEGIN_MESSAGE_MAP(CView, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CView::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!cs.lpszClass) {
    if (!AfxRegisterFrameworkClass(kViewClass)) return FALSE;
    cs.lpszClass = kViewClass;
  }
  cs.dwExStyle |= WS_EX_CLIENTEDGE;
  return CWnd::PreCreateWindow(cs);
}

BOOL CView::Create(CWnd* parent, UINT id, CCreateContext* context) {
  if (!parent || !parent->GetSafeHwnd()) return FALSE;
  if (!CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent->GetSafeHwnd(),
                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), context))
    return FALSE;
  m_created = true;
  if (context && context->m_pCurrentDoc) context->m_pCurrentDoc->AddView(this);
  return TRUE;
}

void CView::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(m_hWnd, &ps);
  if (dc) OnDraw(dc);
  EndPaint(m_hWnd, &ps);
}

void CView::PostNcDestroy() {
  if (m_pDocument) m_pDocument->RemoveView(this);
  if (m_created) delete this;
}
