#include "framework/doc.h"

#include <algorithm>
#include <cstring>

#include "framework/app.h"
#include "framework/frame.h"
#include "framework/view.h"
#include "platform/handles.h"

// ---- CDocument -------------------------------------------------------------------

CDocument::~CDocument() {
  for (CView* view : m_views) view->m_pDocument = nullptr;
}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.clear();
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnOpenDocument(const char* path) {
  if (!path) return FALSE;
  platform::UniqueFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return FALSE;
  DeleteContents();
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CDocument::SetPathName(const char* path) {
  m_strPathName = path ? path : "";
  const char* base =
      std::max(std::strrchr(m_strPathName.c_str(), '\\'), std::strrchr(m_strPathName.c_str(), '/'));
  SetTitle(base ? base + 1 : m_strPathName.c_str());
}

void CDocument::AddView(CView* view) {
  if (!view || std::find(m_views.begin(), m_views.end(), view) != m_views.end()) return;
  m_views.push_back(view);
  view->m_pDocument = this;
}

void CDocument::RemoveView(CView* view) {
  m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
  if (view && view->m_pDocument == this) view->m_pDocument = nullptr;
}

// ---- CDocTemplate ------------------------------------------------------------------

CDocTemplate::CDocTemplate(UINT resourceId, const CRuntimeClass* docClass,
                           const CRuntimeClass* frameClass, const CRuntimeClass* viewClass)
    : m_nIDResource(resourceId),
      m_pDocClass(docClass),
      m_pFrameClass(frameClass),
      m_pViewClass(viewClass) {}

BOOL CDocTemplate::GetDocString(std::string& out, DocStringIndex index) const {
  out.clear();
  char text[512] = "";
  if (LoadStringA(AfxGetResourceHandle(), m_nIDResource, text, sizeof text) <= 0) return FALSE;
  const char* part = text;
  for (int i = 0; i < index; ++i) {
    part = std::strchr(part, '\n');
    if (!part) return FALSE;
    ++part;
  }
  const char* end = std::strchr(part, '\n');
  out.assign(part, end ? static_cast<std::size_t>(end - part) : std::strlen(part));
  return !out.empty();
}

CDocument* CDocTemplate::CreateNewDocument() {
  CDocument* doc = CreateObjectAs<CDocument>(m_pDocClass);
  if (!doc) return nullptr;
  doc->m_pDocTemplate = this;
  return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* doc) {
  CFrameWnd* frame = CreateObjectAs<CFrameWnd>(m_pFrameClass);
  if (!frame) return nullptr;
  CCreateContext context;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pCurrentDoc = doc;
  context.m_pNewDocTemplate = this;
  if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW, nullptr, &context)) {
    delete frame;  // never had a window, so it did not delete itself
    return nullptr;
  }
  return frame;
}

// ---- CSingleDocTemplate ------------------------------------------------------------

CDocument* CSingleDocTemplate::OpenDocumentFile(const char* path) {
  if (m_pOnlyDoc) {
    // The one document is reused: a new or opened file replaces its contents.
    BOOL ok = path ? m_pOnlyDoc->OnOpenDocument(path) : m_pOnlyDoc->OnNewDocument();
    if (!ok) return nullptr;
    if (path) m_pOnlyDoc->SetPathName(path);
    return m_pOnlyDoc.get();
  }

  std::unique_ptr<CDocument> doc(CreateNewDocument());
  if (!doc) return nullptr;
  // The frame comes first: it exists before the document is filled, as the
  // program's own frame creation expects.
  CFrameWnd* frame = CreateNewFrame(doc.get());
  if (!frame) return nullptr;

  CWinApp* app = AfxGetApp();
  BOOL ok;
  if (path) {
    ok = doc->OnOpenDocument(path);
    if (ok) doc->SetPathName(path);
  } else {
    std::string name;
    if (!GetDocString(name, docName)) name = "Untitled";
    doc->SetTitle(name.c_str());
    ok = doc->OnNewDocument();
  }
  if (!ok) {
    frame->DestroyWindow();
    return nullptr;
  }
  m_pOnlyDoc = std::move(doc);
  if (app && !app->m_pMainWnd) app->m_pMainWnd = frame;
  frame->InitialUpdateFrame(m_pOnlyDoc.get(), TRUE);
  return m_pOnlyDoc.get();
}

// ---- CCommandLineInfo -------------------------------------------------------------

void CCommandLineInfo::ParseParam(const char* param, BOOL flag, BOOL last) {
  // Flags (/p, /dde ...) ask for nothing this framework offers.
  if (!flag && param && m_strFileName.empty()) m_strFileName = param;
  if (last && m_nShellCommand == FileNew && !m_strFileName.empty()) m_nShellCommand = FileOpen;
}
