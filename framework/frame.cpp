#include "framework/frame.h"

#include <cstring>
#include <vector>

#include "framework/app.h"
#include "framework/bars.h"
#include "framework/doc.h"
#include "framework/view.h"

namespace {

const char kFrameClass[] = "CapkitFrame";

// Control bars among the frame's children, in creation order.
BOOL CALLBACK CollectBar(HWND child, LPARAM param) {
  if (CControlBar* bar = dynamic_cast<CControlBar*>(CWnd::FromHandlePermanent(child)))
    reinterpret_cast<std::vector<CControlBar*>*>(param)->push_back(bar);
  return TRUE;
}

}  // namespace

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!cs.lpszClass) {
    if (!AfxRegisterFrameworkClass(kFrameClass)) return FALSE;
    cs.lpszClass = kFrameClass;
  }
  return CWnd::PreCreateWindow(cs);
}

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context) {
  HINSTANCE instance = AfxGetResourceHandle();
  m_nIDResource = resourceId;
  char title[256] = "";
  if (LoadStringA(instance, resourceId, title, sizeof title) > 0) {
    if (char* end = std::strchr(title, '\n')) *end = '\0';
  }
  m_strTitle = title;
  HMENU menu = nullptr;
  if (!(style & WS_CHILD)) {
    menu = LoadMenuA(instance, MAKEINTRESOURCEA(resourceId));
    if (!menu) return FALSE;
  }
  m_hAccelTable = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(resourceId));
  m_hIcon = LoadIconA(instance, MAKEINTRESOURCEA(resourceId));
  if (!CreateEx(0, nullptr, m_strTitle.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                CW_USEDEFAULT, parent ? parent->GetSafeHwnd() : nullptr, menu, context)) {
    // A menu handed to a window that was never made is still ours.
    if (menu) DestroyMenu(menu);
    return FALSE;
  }
  m_created = true;
  if (m_hIcon) {
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
  }
  return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT cs) {
  if (CWnd::OnCreate(cs) == -1) return -1;
  auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
  return OnCreateClient(cs, context) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* context) {
  if (context && context->m_pNewViewClass)
    return CreateView(context, AFX_IDW_PANE_FIRST) != nullptr;
  return TRUE;
}

CView* CFrameWnd::CreateView(CCreateContext* context, UINT id) {
  CView* view = CreateObjectAs<CView>(context->m_pNewViewClass);
  if (!view) return nullptr;
  if (!view->Create(this, id, context)) {
    delete view;
    return nullptr;
  }
  if (!m_pActiveView) m_pActiveView = view;
  return view;
}

void CFrameWnd::DockControlBar(CControlBar* bar) {
  if (!bar || !bar->GetSafeHwnd()) return;
  // A bar keeps the side it was made for when the frame takes it there;
  // otherwise it goes to the first side both allow.
  DWORD allowed = bar->m_dwDockStyle & m_dwDockStyle;
  DWORD side = bar->m_dwStyle & CBRS_ALIGN_ANY;
  if (!(side & allowed)) {
    for (DWORD candidate : {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT})
      if (allowed & candidate) {
        side = candidate;
        break;
      }
  }
  if (side) bar->m_dwStyle = (bar->m_dwStyle & ~CBRS_ALIGN_ANY) | side;
  RecalcLayout();
}

void CFrameWnd::RecalcLayout() {
  if (!m_hWnd) return;
  RECT client;
  GetClientRect(&client);
  int width = client.right - client.left;
  int top = 0;
  int bottom = client.bottom;
  std::vector<CControlBar*> bars;
  EnumChildWindows(m_hWnd, CollectBar, reinterpret_cast<LPARAM>(&bars));
  for (CControlBar* bar : bars) {
    if (::GetParent(bar->GetSafeHwnd()) != m_hWnd) continue;
    if (bar->m_dwStyle & CBRS_ALIGN_BOTTOM) {
      bottom -= bar->CalcHeight();
      bar->Place(bottom, width);
    } else {
      bar->Place(top, width);
      top += bar->CalcHeight();
    }
  }
  if (m_pActiveView && m_pActiveView->GetSafeHwnd())
    m_pActiveView->MoveWindow(0, top, width, bottom > top ? bottom - top : 0);
}

void CFrameWnd::InitialUpdateFrame(CDocument* doc, BOOL makeVisible) {
  if (doc) {
    for (CView* view : doc->Views()) view->OnInitialUpdate();
  }
  if (makeVisible) {
    RecalcLayout();
    ShowWindow(SW_SHOW);
    UpdateWindow();
  }
}

void CFrameWnd::OnSize(UINT, int, int) { RecalcLayout(); }

void CFrameWnd::OnDestroy() {
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) {
    app->m_pMainWnd = nullptr;
    PostQuitMessage(0);
  }
  Default();
}

void CFrameWnd::PostNcDestroy() {
  if (m_created) delete this;
}
