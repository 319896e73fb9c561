#include "framework/wnd.h"

#include <unordered_map>

namespace {

// HWND -> attached object. The programs have one thread.
std::unordered_map<HWND, CWnd*>& Attached() {
  static std::unordered_map<HWND, CWnd*> map;
  return map;
}

// The object whose window CreateEx is creating: the window's first messages
// (WM_GETMINMAXINFO comes before WM_NCCREATE) already belong to it.
CWnd* g_creating = nullptr;
// Set when the window being created was destroyed during its creation: the
// object may have deleted itself in PostNcDestroy and must not be touched.
bool g_creatingDestroyed = false;

}  // namespace

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, AfxSig::v_v, nullptr}};
  static const AFX_MSGMAP map = {nullptr, entries};
  return &map;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(UINT message, UINT code, UINT id) const {
  for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->entries; e->message != 0; ++e) {
      if (e->message != message) continue;
      if (message == WM_COMMAND) {
        if (e->id != id) continue;
        bool codeMatches = e->code == code || (e->code == kAnyCommandCode && code <= 1);
        if (!codeMatches) continue;
      }
      return e;
    }
  }
  return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, UINT code) {
  const AFX_MSGMAP_ENTRY* e = FindEntry(WM_COMMAND, code, id);
  if (!e) return FALSE;
  (this->*(e->pfn))();
  return TRUE;
}

CWnd::~CWnd() { Detach(); }

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
  auto it = Attached().find(hwnd);
  return it == Attached().end() ? nullptr : it->second;
}

void CWnd::SubclassAndAttach(HWND hwnd) {
  m_hWnd = hwnd;
  Attached()[hwnd] = this;
  WNDPROC current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
  if (current != &CWnd::FrameworkWndProc && current != &AfxWndProc) {
    m_oldProc = current;
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::FrameworkWndProc));
  }
}

void CWnd::Detach() {
  if (m_hWnd) {
    auto it = Attached().find(m_hWnd);
    if (it != Attached().end() && it->second == this) Attached().erase(it);
    m_hWnd = nullptr;
  }
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA&) { return TRUE; }

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                    int x, int y, int width, int height, HWND parent, HMENU menu, LPVOID param) {
  CREATESTRUCTA cs = {};
  cs.dwExStyle = exStyle;
  cs.lpszClass = className;
  cs.lpszName = windowName;
  cs.style = static_cast<LONG>(style);
  cs.x = x;
  cs.y = y;
  cs.cx = width;
  cs.cy = height;
  cs.hwndParent = parent;
  cs.hMenu = menu;
  cs.hInstance = GetModuleHandleA(nullptr);
  cs.lpCreateParams = param;
  if (!PreCreateWindow(cs)) return FALSE;
  CWnd* previous = g_creating;
  bool previousDestroyed = g_creatingDestroyed;
  g_creating = this;
  g_creatingDestroyed = false;
  HWND hwnd =
      CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x,
                      cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
  bool destroyed = g_creatingDestroyed;
  g_creating = previous;
  g_creatingDestroyed = previousDestroyed;
  if (destroyed) return FALSE;  // already detached; perhaps already deleted
  if (!hwnd) {
    Detach();
    return FALSE;
  }
  if (!m_hWnd) SubclassAndAttach(hwnd);  // a system class that never saw AfxWndProc
  return TRUE;
}

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

LRESULT CWnd::Default() { return DefWindowProc(m_curMsg, m_curW, m_curL); }

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (m_oldProc) return CallWindowProcA(m_oldProc, m_hWnd, msg, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, msg, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) { return OnCmdMsg(LOWORD(wParam), HIWORD(wParam)); }

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND) {
    if (OnCommand(wParam, lParam)) return 0;
    return DefWindowProc(msg, wParam, lParam);
  }
  const AFX_MSGMAP_ENTRY* e = FindEntry(msg, 0, 0);
  if (!e) return DefWindowProc(msg, wParam, lParam);
  switch (e->sig) {
    case AfxSig::v_v:
      (this->*(e->pfn))();
      return 0;
    case AfxSig::l_wl:
      return (this->*AfxMemberCast<LRESULT (CCmdTarget::*)(WPARAM, LPARAM)>(e->pfn))(wParam,
                                                                                     lParam);
    case AfxSig::h_v:
      return reinterpret_cast<LRESULT>((this->*AfxMemberCast<HCURSOR (CCmdTarget::*)()>(e->pfn))());
    case AfxSig::i_cs:
      return (this->*AfxMemberCast<int (CCmdTarget::*)(LPCREATESTRUCT)>(e->pfn))(
          reinterpret_cast<LPCREATESTRUCT>(lParam));
    case AfxSig::v_ui_ii:
      (this->*AfxMemberCast<void (CCmdTarget::*)(UINT, int, int)>(e->pfn))(
          static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)),
          static_cast<short>(HIWORD(lParam)));
      return 0;
  }
  return DefWindowProc(msg, wParam, lParam);
}

LRESULT CWnd::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Handlers can be re-entered (SendMessage from a handler); keep the outer
  // message for the outer handler's Default().
  UINT savedMsg = m_curMsg;
  WPARAM savedW = m_curW;
  LPARAM savedL = m_curL;
  m_curMsg = msg;
  m_curW = wParam;
  m_curL = lParam;
  LRESULT result = WindowProc(msg, wParam, lParam);
  m_curMsg = savedMsg;
  m_curW = savedW;
  m_curL = savedL;
  return result;
}

LRESULT CALLBACK CWnd::FrameworkWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = FromHandlePermanent(hwnd);
  if (!wnd) return ::DefWindowProcA(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    LRESULT result = wnd->Dispatch(msg, wParam, lParam);
    WNDPROC old = wnd->m_oldProc;
    if (old) SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    wnd->Detach();
    if (wnd == g_creating) g_creatingDestroyed = true;
    wnd->PostNcDestroy();
    return result;
  }
  return wnd->Dispatch(msg, wParam, lParam);
}

LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
  if (!wnd && g_creating && !g_creating->m_hWnd) {
    wnd = g_creating;
    wnd->m_hWnd = hwnd;
    Attached()[hwnd] = wnd;
  }
  return CWnd::FrameworkWndProc(hwnd, msg, wParam, lParam);
}

bool AfxRegisterFrameworkClass(const char* className) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA wc = {};
  if (GetClassInfoA(instance, className, &wc)) return true;
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = AfxWndProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = className;
  return RegisterClassA(&wc) != 0;
}
