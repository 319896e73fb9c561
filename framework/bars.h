// Control bars of a frame window: the tool bar and the status bar, built on
// the common controls.
#pragma once

#include <windows.h>
// after <windows.h>, which it needs
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/wnd.h"

// Control-bar styles. They share the low word with the control's own styles,
// so they are kept by the bar and taken out before the control is created.
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0004;
constexpr DWORD CBRS_TOOLTIPS = 0x0010;
constexpr DWORD CBRS_FLYBY = 0x0020;
constexpr DWORD CBRS_BORDER_LEFT = 0x0100;
constexpr DWORD CBRS_BORDER_TOP = 0x0200;
constexpr DWORD CBRS_BORDER_RIGHT = 0x0400;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000;
constexpr DWORD CBRS_GRIPPER = 0x00400000;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
constexpr DWORD CBRS_ALL = 0x0040FFFF;

// Control ids of a frame's bars and its view.
constexpr UINT AFX_IDW_TOOLBAR = 0xE800;
constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;

// Status-bar indicators; their texts are string resources of the same id.
constexpr UINT ID_SEPARATOR = 0;
constexpr UINT ID_INDICATOR_CAPS = 0xE701;
constexpr UINT ID_INDICATOR_NUM = 0xE702;
constexpr UINT ID_INDICATOR_SCRL = 0xE703;

class CControlBar : public CWnd {
 public:
  // Sides of the frame the bar may be docked at (CBRS_ALIGN_ bits).
  void EnableDocking(DWORD dockStyle) { m_dwDockStyle = dockStyle & CBRS_ALIGN_ANY; }
  DWORD GetBarStyle() const { return m_dwStyle; }
  void SetBarStyle(DWORD style) { m_dwStyle = style & CBRS_ALL; }
  // Height the bar takes in the frame's layout.
  virtual int CalcHeight() const = 0;
  // Gives the bar its place: the frame's client width and the bar's top.
  virtual void Place(int top, int width);

  DWORD m_dwStyle = 0;
  DWORD m_dwDockStyle = 0;

 protected:
  // Creates the common control `className` with the window part of `style`
  // plus `ctrlStyle`; the bar keeps the CBRS_ part and lays itself out.
  BOOL CreateControl(const char* className, DWORD ctrlStyle, DWORD style, CWnd* parent, UINT id);
};

class CToolBar : public CControlBar {
 public:
  BOOL CreateEx(CWnd* parent, DWORD ctrlStyle = TBSTYLE_FLAT,
                DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                const RECT& borders = RECT{0, 0, 0, 0}, UINT id = AFX_IDW_TOOLBAR);
  // Buttons from the RT_TOOLBAR resource `resourceId` and their images from
  // the bitmap of the same id. False when either is missing or malformed.
  BOOL LoadToolBar(UINT resourceId);
  int CalcHeight() const override;

  RECT m_borders = {0, 0, 0, 0};
  int m_buttonCount = 0;
};

class CStatusBar : public CControlBar {
 public:
  BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
              UINT id = AFX_IDW_STATUS_BAR);
  // One pane per id, with the string resource of that id as its text
  // (ID_SEPARATOR: an empty pane that takes the room left). False when a
  // string is missing.
  BOOL SetIndicators(const UINT* ids, int count);
  int CalcHeight() const override;
  void Place(int top, int width) override;

 private:
  std::vector<std::string> m_texts;
  std::vector<int> m_widths;  // 0 for the stretching pane
};
