// Documents, their templates and the command line that opens them.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/runtime.h"
#include "framework/wnd.h"

class CDocTemplate;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
 public:
  ~CDocument() override;

  // A fresh, empty document.
  virtual BOOL OnNewDocument();
  // The document in `path`; false when the file cannot be read.
  virtual BOOL OnOpenDocument(const char* path);
  virtual void DeleteContents() {}

  const std::string& GetPathName() const { return m_strPathName; }
  void SetPathName(const char* path);
  const std::string& GetTitle() const { return m_strTitle; }
  void SetTitle(const char* title) { m_strTitle = title ? title : ""; }
  BOOL IsModified() const { return m_bModified; }
  void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }

  void AddView(CView* view);
  void RemoveView(CView* view);
  const std::vector<CView*>& Views() const { return m_views; }

  CDocTemplate* m_pDocTemplate = nullptr;

 private:
  std::string m_strPathName;
  std::string m_strTitle;
  BOOL m_bModified = FALSE;
  std::vector<CView*> m_views;
};

class CDocTemplate : public CCmdTarget {
 public:
  // Parts of the template's string resource, "\n"-separated.
  enum DocStringIndex {
    windowTitle,
    docName,
    fileNewName,
    filterName,
    filterExt,
    regFileTypeId,
    regFileTypeName
  };

  CDocTemplate(UINT resourceId, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
               const CRuntimeClass* viewClass);

  // Opens the document in `path`, or a new one when path is nullptr.
  virtual CDocument* OpenDocumentFile(const char* path) = 0;
  BOOL GetDocString(std::string& out, DocStringIndex index) const;

  UINT m_nIDResource;

 protected:
  CDocument* CreateNewDocument();
  // The frame for doc, with its view; nullptr when it could not be created.
  CFrameWnd* CreateNewFrame(CDocument* doc);

  const CRuntimeClass* m_pDocClass;
  const CRuntimeClass* m_pFrameClass;
  const CRuntimeClass* m_pViewClass;
};

// One document at a time, in one frame.
class CSingleDocTemplate : public CDocTemplate {
 public:
  using CDocTemplate::CDocTemplate;
  CDocument* OpenDocumentFile(const char* path) override;

 private:
  std::unique_ptr<CDocument> m_pOnlyDoc;
};

// What the command line asks of a document application.
class CCommandLineInfo : public CObject {
 public:
  enum ShellCommand { FileNew, FileOpen, FileNothing = -1 };

  // One argument; flag says it began with '/' or '-' (taken off).
  virtual void ParseParam(const char* param, BOOL flag, BOOL last);

  ShellCommand m_nShellCommand = FileNew;
  std::string m_strFileName;
};

// What LoadStdProfileSettings read from the application's profile key.
const std::vector<std::string>& AfxGetRecentFileList();
UINT AfxGetPreviewPages();
