// Windows and message maps.
//
// A CWnd owns nothing but the association between an HWND and the C++
// object. Every window the framework creates (or a dialog it runs) is
// subclassed with one window procedure that looks the message up in the
// object's message map, most-derived class first, and falls back to the
// window's original procedure.
#pragma once

#include <windows.h>

#include <cstring>

#include "framework/object.h"

class CWnd;
class CCmdTarget;

// Handler signatures a message map entry can carry.
enum class AfxSig {
  v_v,      // void ()
  l_wl,     // LRESULT (WPARAM, LPARAM)
  h_v,      // HCURSOR ()              WM_QUERYDRAGICON
  i_cs,     // int (LPCREATESTRUCT)    WM_CREATE
  v_ui_ii,  // void (UINT, int, int)   WM_SIZE
};

using AFX_PMSG = void (CCmdTarget::*)();

struct AFX_MSGMAP_ENTRY {
  UINT message;  // 0 ends the table
  UINT code;     // notification code for WM_COMMAND entries
  UINT id;       // control or command id for WM_COMMAND entries
  AfxSig sig;
  AFX_PMSG pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*base)();  // nullptr at the root
  const AFX_MSGMAP_ENTRY* entries;
};

// Something that handles messages and commands through a message map.
class CCmdTarget : public CObject {
 public:
  // Looks up a command (menu, accelerator, button) in the message map and
  // runs its handler. True when a handler took it.
  virtual BOOL OnCmdMsg(UINT id, UINT code);

  static const AFX_MSGMAP* GetThisMessageMap();

 protected:
  virtual const AFX_MSGMAP* GetMessageMap() const { return GetThisMessageMap(); }

  // First entry for (message, code, id) in this object's maps, or nullptr.
  const AFX_MSGMAP_ENTRY* FindEntry(UINT message, UINT code, UINT id) const;
  friend class CWnd;
};

#define DECLARE_MESSAGE_MAP()                   \
 public:                                        \
  static const AFX_MSGMAP* GetThisMessageMap(); \
                                                \
 protected:                                     \
  const AFX_MSGMAP* GetMessageMap() const override;

// The entries are built inside a member function so that handlers may be
// protected and ThisClass names the class being mapped.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
    using ThisClass [[maybe_unused]] = theClass;                                    \
    using TheBaseClass = baseClass;                                                 \
    static const AFX_MSGMAP_ENTRY entries[] = {
#define END_MESSAGE_MAP()                                                    \
  { 0, 0, 0, AfxSig::v_v, nullptr }                                          \
  }                                                                          \
  ;                                                                          \
  static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, entries}; \
  return &map;                                                               \
  }

// Handlers of every signature are kept as one member-pointer type; the
// entry's signature says how to call it. All map classes derive singly from
// CCmdTarget, so every member pointer has the same representation.
template <typename To, typename From>
To AfxMemberCast(From fn) {
  static_assert(sizeof(To) == sizeof(From), "member pointers differ in size");
  To out;
  std::memcpy(&out, &fn, sizeof out);
  return out;
}

#define AFX_ENTRY(msg, code, id, sig, type, fn) \
  {msg, code, id, sig, AfxMemberCast<AFX_PMSG>(static_cast<type>(fn))},

#define ON_WM_PAINT() AFX_ENTRY(WM_PAINT, 0, 0, AfxSig::v_v, void (CWnd::*)(), &ThisClass::OnPaint)
#define ON_WM_DESTROY() \
  AFX_ENTRY(WM_DESTROY, 0, 0, AfxSig::v_v, void (CWnd::*)(), &ThisClass::OnDestroy)
#define ON_WM_CLOSE() AFX_ENTRY(WM_CLOSE, 0, 0, AfxSig::v_v, void (CWnd::*)(), &ThisClass::OnClose)
#define ON_WM_QUERYDRAGICON() \
  AFX_ENTRY(WM_QUERYDRAGICON, 0, 0, AfxSig::h_v, HCURSOR (CWnd::*)(), &ThisClass::OnQueryDragIcon)
#define ON_WM_CREATE() \
  AFX_ENTRY(WM_CREATE, 0, 0, AfxSig::i_cs, int (CWnd::*)(LPCREATESTRUCT), &ThisClass::OnCreate)
#define ON_WM_SIZE() \
  AFX_ENTRY(WM_SIZE, 0, 0, AfxSig::v_ui_ii, void (CWnd::*)(UINT, int, int), &ThisClass::OnSize)
#define ON_MESSAGE(msg, fn) \
  AFX_ENTRY(msg, 0, 0, AfxSig::l_wl, LRESULT (CWnd::*)(WPARAM, LPARAM), fn)
// A command from a menu, an accelerator or a button with that id.
constexpr UINT kAnyCommandCode = 0xFFFF;
#define ON_COMMAND(id, fn) \
  AFX_ENTRY(WM_COMMAND, kAnyCommandCode, id, AfxSig::v_v, void (CCmdTarget::*)(), fn)
#define ON_BN_CLICKED(id, fn) \
  AFX_ENTRY(WM_COMMAND, BN_CLICKED, id, AfxSig::v_v, void (CWnd::*)(), fn)

class CWnd : public CCmdTarget {
 public:
  CWnd() = default;
  ~CWnd() override;

  HWND m_hWnd = nullptr;
  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }

  // The C++ object attached to hwnd, or nullptr.
  static CWnd* FromHandlePermanent(HWND hwnd);

  // Creation with this object attached from the first message on.
  BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x,
                int y, int width, int height, HWND parent, HMENU menu, LPVOID param = nullptr);
  BOOL DestroyWindow();

  // Thin conveniences used by the programs.
  void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
  void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
  void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  void MoveWindow(int x, int y, int w, int h, BOOL repaint = TRUE) {
    ::MoveWindow(m_hWnd, x, y, w, h, repaint);
  }
  void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
  BOOL ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
  HICON SetIcon(HICON icon, BOOL big) {
    return reinterpret_cast<HICON>(
        ::SendMessageA(m_hWnd, WM_SETICON, big ? ICON_BIG : ICON_SMALL, (LPARAM)icon));
  }
  LRESULT SendMessage(UINT msg, WPARAM w = 0, LPARAM l = 0) {
    return ::SendMessageA(m_hWnd, msg, w, l);
  }

 protected:
  // Default processing of the message being handled: the window's original
  // procedure (the dialog manager for dialogs, DefWindowProc otherwise).
  LRESULT Default();
  virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
  virtual LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // WM_COMMAND handling: the map, then the object's own fallbacks.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
  // Called after WM_NCDESTROY, once the window is gone.
  virtual void PostNcDestroy() {}

  // Default-only handlers that derived classes may map.
  void OnPaint() { Default(); }
  void OnDestroy() { Default(); }
  void OnClose() { Default(); }
  int OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }

  // Subclasses hwnd with the framework procedure and attaches this object.
  void SubclassAndAttach(HWND hwnd);
  void Detach();

  static LRESULT CALLBACK FrameworkWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // Class procedure for window classes registered by the framework.
  friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
  friend class CWinApp;

 private:
  LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
  WNDPROC m_oldProc = nullptr;
  // The message being handled, for Default().
  UINT m_curMsg = 0;
  WPARAM m_curW = 0;
  LPARAM m_curL = 0;
};

// Window procedure for classes the framework registers; attaches the CWnd
// being created on its first message.
LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Registers (once per name) a window class with AfxWndProc, the arrow
// cursor and the window colour. True when the class is there.
bool AfxRegisterFrameworkClass(const char* className);
