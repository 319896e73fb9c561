#include "framework/bars.h"

#include <cstring>

#include "framework/app.h"

namespace {

// The resource type of a tool bar's button list.
const char* const kRtToolbar = MAKEINTRESOURCEA(241);

// The tool bar resource: version, image size, button count, one command id
// per button (0: a separator).
struct ToolbarResource {
  WORD version;
  WORD width;
  WORD height;
  WORD count;
};
constexpr WORD kToolbarVersion = 1;

bool CommonControlsReady() {
  static const bool ready = [] {
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_BAR_CLASSES};
    return InitCommonControlsEx(&init) != FALSE;
  }();
  return ready;
}

// The window's DC with the window's font (or the GUI font) selected, for
// measuring text; released when it goes.
class FontDc {
 public:
  explicit FontDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {
    if (!dc_) return;
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
    old_ = SelectObject(dc_, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  }
  ~FontDc() {
    if (!dc_) return;
    SelectObject(dc_, old_);
    ReleaseDC(hwnd_, dc_);
  }
  FontDc(const FontDc&) = delete;
  FontDc& operator=(const FontDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
  HGDIOBJ old_ = nullptr;
};

int TextHeight(HWND hwnd) {
  FontDc dc(hwnd);
  TEXTMETRICA tm = {};
  if (dc.get()) GetTextMetricsA(dc.get(), &tm);
  return tm.tmHeight > 0 ? tm.tmHeight : 16;
}

int TextWidth(HWND hwnd, const std::string& text) {
  FontDc dc(hwnd);
  if (!dc.get()) return 8 * static_cast<int>(text.size());
  SIZE size = {};
  GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

}  // namespace

// ---- CControlBar ---------------------------------------------------------------

BOOL CControlBar::CreateControl(const char* className, DWORD ctrlStyle, DWORD style, CWnd* parent,
                                UINT id) {
  if (!parent || !parent->GetSafeHwnd() || !CommonControlsReady()) return FALSE;
  m_dwStyle = style & CBRS_ALL;
  // The frame places its bars itself.
  DWORD windowStyle = (style & ~CBRS_ALL) | ctrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY |
                      CCS_NODIVIDER | CCS_NORESIZE;
  return CreateEx(0, className, nullptr, windowStyle, 0, 0, 0, 0, parent->GetSafeHwnd(),
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

void CControlBar::Place(int top, int width) {
  ::MoveWindow(m_hWnd, 0, top, width, CalcHeight(), TRUE);
}

// ---- CToolBar ------------------------------------------------------------------

BOOL CToolBar::CreateEx(CWnd* parent, DWORD ctrlStyle, DWORD style, const RECT& borders, UINT id) {
  m_borders = borders;
  if (!CreateControl(TOOLBARCLASSNAMEA, ctrlStyle, style, parent, id)) return FALSE;
  SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT resourceId) {
  if (!m_hWnd) return FALSE;
  HINSTANCE instance = AfxGetResourceHandle();
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(resourceId), kRtToolbar);
  if (!found) return FALSE;
  DWORD bytes = SizeofResource(instance, found);
  HGLOBAL loaded = LoadResource(instance, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data || bytes < sizeof(ToolbarResource)) return FALSE;
  ToolbarResource header;
  std::memcpy(&header, data, sizeof header);
  if (header.version != kToolbarVersion || header.width == 0 || header.height == 0) return FALSE;
  if (bytes < sizeof header + header.count * sizeof(WORD)) return FALSE;
  if (!FindResourceA(instance, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(2))) return FALSE;

  std::vector<TBBUTTON> buttons(header.count);
  int images = 0;
  for (WORD i = 0; i < header.count; ++i) {
    WORD command;
    std::memcpy(&command, static_cast<const char*>(data) + sizeof header + i * sizeof(WORD),
                sizeof command);
    TBBUTTON& b = buttons[i];
    if (command == ID_SEPARATOR) {
      b.fsStyle = BTNS_SEP;
    } else {
      b.iBitmap = images++;
      b.idCommand = command;
      b.fsState = TBSTATE_ENABLED;
      b.fsStyle = BTNS_BUTTON;
    }
  }
  SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(header.width, header.height));
  SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(header.width + 7, header.height + 7));
  if (images > 0) {
    TBADDBITMAP bitmap = {instance, resourceId};
    if (SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(images), reinterpret_cast<LPARAM>(&bitmap)) ==
        -1)
      return FALSE;
  }
  if (header.count > 0 &&
      !SendMessage(TB_ADDBUTTONSA, header.count, reinterpret_cast<LPARAM>(buttons.data())))
    return FALSE;
  m_buttonCount = header.count;
  return TRUE;
}

int CToolBar::CalcHeight() const {
  if (!m_hWnd) return 0;
  DWORD size = static_cast<DWORD>(::SendMessageA(m_hWnd, TB_GETBUTTONSIZE, 0, 0));
  return HIWORD(size) + 2 * 2 + static_cast<int>(m_borders.top + m_borders.bottom);
}

// ---- CStatusBar ------------------------------------------------------------------

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id) {
  return CreateControl(STATUSCLASSNAMEA, 0, style, parent, id);
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count) {
  if (!m_hWnd || count < 0 || (count > 0 && !ids)) return FALSE;
  HINSTANCE instance = AfxGetResourceHandle();
  std::vector<std::string> texts;
  std::vector<int> widths;
  for (int i = 0; i < count; ++i) {
    char text[256] = "";
    if (ids[i] != ID_SEPARATOR && LoadStringA(instance, ids[i], text, sizeof text) <= 0)
      return FALSE;
    texts.emplace_back(text);
    widths.push_back(ids[i] == ID_SEPARATOR ? 0 : TextWidth(m_hWnd, texts.back()) + 12);
  }
  m_texts = std::move(texts);
  m_widths = std::move(widths);
  RECT client = {};
  if (CWnd* parent = CWnd::FromHandlePermanent(::GetParent(m_hWnd))) parent->GetClientRect(&client);
  Place(0, client.right - client.left);
  return TRUE;
}

int CStatusBar::CalcHeight() const { return m_hWnd ? TextHeight(m_hWnd) + 2 * 3 : 0; }

void CStatusBar::Place(int top, int width) {
  CControlBar::Place(top, width);
  if (m_texts.empty()) return;
  // Fixed panes keep their width at the right; the rest goes to the others.
  int fixed = 0;
  int stretching = 0;
  for (int w : m_widths) {
    fixed += w;
    if (w == 0) ++stretching;
  }
  int spare = width > fixed ? width - fixed : 0;
  std::vector<int> rightEdges;
  int x = 0;
  for (int w : m_widths) {
    x += w ? w : spare / (stretching ? stretching : 1);
    rightEdges.push_back(x);
  }
  rightEdges.back() = -1;  // the last pane runs to the edge
  SendMessage(SB_SETPARTS, rightEdges.size(), reinterpret_cast<LPARAM>(rightEdges.data()));
  for (std::size_t i = 0; i < m_texts.size(); ++i)
    SendMessage(SB_SETTEXTA, i, reinterpret_cast<LPARAM>(m_texts[i].c_str()));
}
