// The application object: one per program, constructed as a global.
#pragma once

#include <windows.h>

#include <string>

#include "framework/wnd.h"

class CDocTemplate;
class CCommandLineInfo;

// Framework command ids the programs' resources and maps refer to.
constexpr UINT ID_HELP = 0xE146;
constexpr UINT ID_FILE_NEW = 0xE100;
constexpr UINT ID_FILE_OPEN = 0xE101;
constexpr UINT ID_APP_ABOUT = 0xE140;
constexpr UINT ID_APP_EXIT = 0xE141;

class CWinApp : public CCmdTarget {
 public:
  explicit CWinApp(const char* appName = nullptr);
  ~CWinApp() override;

  virtual BOOL InitInstance() { return TRUE; }
  // The message loop; returns the exit code.
  virtual int Run();
  virtual int ExitInstance() { return m_exitCode; }

  HINSTANCE m_hInstance = nullptr;
  CWnd* m_pMainWnd = nullptr;
  std::string m_appName;       // from the constructor, or the module's base name
  std::string m_helpFilePath;  // the module path with the extension .HLP

  // Standard F1 handling: the platform's help viewer for the active topic.
  void OnHelp();
  // Help topic of the dialog or window that asked for help.
  DWORD m_helpContext = 0;

  // Profile and document support, used by the single-document programs.
  void SetRegistryKey(const char* company);
  void LoadStdProfileSettings(UINT maxMru = 4);
  void Enable3dControls() {}          // controls are three-dimensional already
  void AfxEnableControlContainer() {}  // no ActiveX hosting in this framework
  void AddDocTemplate(CDocTemplate* tmpl);
  void ParseCommandLine(CCommandLineInfo& info);
  BOOL ProcessShellCommand(CCommandLineInfo& info);

  std::string m_registryKey;  // "Software\<company>\<app>" below HKEY_CURRENT_USER
  UINT m_maxMru = 0;
  CDocTemplate* m_pDocTemplate = nullptr;  // the single-document template, owned

 protected:
  int m_exitCode = 0;
  friend int AfxWinMain(HINSTANCE, HINSTANCE, LPSTR, int);
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
int AfxWinMain(HINSTANCE instance, HINSTANCE prev, LPSTR cmdLine, int show);
