#include "framework/app.h"

#include <cstring>

#include "platform/profile.h"

namespace {
CWinApp* g_app = nullptr;
}

CWinApp* AfxGetApp() { return g_app; }
HINSTANCE AfxGetInstanceHandle() { return g_app ? g_app->m_hInstance : GetModuleHandleA(nullptr); }
HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }

CWinApp::CWinApp(const char* appName) {
  g_app = this;
  if (appName) m_appName = appName;
}

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

int CWinApp::Run() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  m_exitCode = static_cast<int>(msg.wParam);
  return ExitInstance();
}

void CWinApp::OnHelp() {
  HWND owner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
  WinHelpA(owner, m_helpFilePath.c_str(), HELP_CONTEXT, m_helpContext);
}

int AfxWinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  CWinApp* app = AfxGetApp();
  if (!app) return -1;
  app->m_hInstance = instance;
  char module[MAX_PATH + 1];
  if (platform::GetModulePath(instance, module, sizeof module)) {
    const char* base = std::strrchr(module, '\\');
    base = base ? base + 1 : module;
    const char* dot = std::strrchr(base, '.');
    if (app->m_appName.empty()) app->m_appName.assign(base, dot ? dot - base : std::strlen(base));
    std::string help(module, dot ? static_cast<size_t>(dot - module) : std::strlen(module));
    app->m_helpFilePath = help + ".HLP";
  }
  if (!app->InitInstance()) {
    // A dialog program ends here, with the code of any quit message it posted.
    MSG msg;
    if (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
      app->m_exitCode = static_cast<int>(msg.wParam);
    }
    return app->ExitInstance();
  }
  return app->Run();
}
