// Frame windows: a top-level window with a menu, accelerators, an icon, its
// control bars and the view of a document.
#pragma once

#include <windows.h>

#include <string>

#include "framework/runtime.h"
#include "framework/wnd.h"

class CControlBar;
class CDocTemplate;
class CDocument;
class CView;

// What a document template hands the frame it creates: the view to make and
// the document it shows.
struct CCreateContext {
  const CRuntimeClass* m_pNewViewClass = nullptr;
  CDocument* m_pCurrentDoc = nullptr;
  CDocTemplate* m_pNewDocTemplate = nullptr;
};

class CFrameWnd : public CWnd {
 public:
  CFrameWnd() = default;

  // Creates the frame from the resources of `resourceId`: menu, accelerator
  // table, icon, and the title (the first part of the string resource).
  // False when the window or a resource it needs could not be had; the
  // object is then the caller's to delete.
  virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW, CWnd* parent = nullptr,
                         CCreateContext* context = nullptr);

  // Docking: the frame takes bars at the sides in dockStyle; a docked bar
  // sits at the side it asks for (the top for a tool bar).
  void EnableDocking(DWORD dockStyle) { m_dwDockStyle = dockStyle; }
  void DockControlBar(CControlBar* bar);
  // Places the bars at the top and bottom and the view in between.
  void RecalcLayout();

  CView* GetActiveView() const { return m_pActiveView; }
  void SetActiveView(CView* view) { m_pActiveView = view; }
  // Shows the frame and gives its views their first update.
  void InitialUpdateFrame(CDocument* doc, BOOL makeVisible);

  HACCEL m_hAccelTable = nullptr;
  UINT m_nIDResource = 0;
  std::string m_strTitle;

 protected:
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  // Creates the client area: the view named by the creation context.
  virtual BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context);
  CView* CreateView(CCreateContext* context, UINT id = 0xE900);

  int OnCreate(LPCREATESTRUCT cs);
  void OnSize(UINT type, int cx, int cy);
  void OnDestroy();
  void PostNcDestroy() override;

  DECLARE_MESSAGE_MAP()

 private:
  DWORD m_dwDockStyle = 0;
  CView* m_pActiveView = nullptr;
  HICON m_hIcon = nullptr;
  bool m_created = false;  // the object deletes itself once its window is gone
};
