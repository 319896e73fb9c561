// Views: the child window that shows a document inside its frame.
#pragma once

#include <windows.h>

#include "framework/runtime.h"
#include "framework/wnd.h"

class CDocument;
struct CCreateContext;

class CView : public CWnd {
 public:
  CDocument* GetDocument() const { return m_pDocument; }
  // Creates the view window as child `id` of parent and joins the document
  // of the context. The object is the caller's to delete when this fails.
  BOOL Create(CWnd* parent, UINT id, CCreateContext* context);
  virtual void OnInitialUpdate() { Invalidate(); }

 protected:
  virtual void OnDraw(HDC dc) = 0;
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  void OnPaint();
  void PostNcDestroy() override;

  DECLARE_MESSAGE_MAP()

 private:
  CDocument* m_pDocument = nullptr;
  bool m_created = false;
  friend class CDocument;
};
