// The application object's document support: profile key, recent files,
// document template and the command line.
#include <stdlib.h>

#include <memory>

#include "framework/app.h"
#include "framework/doc.h"
#include "platform/handles.h"

namespace {

// The template outlives every window; it goes with the process.
std::unique_ptr<CDocTemplate> g_templateOwner;
std::vector<std::string> g_recentFiles;
UINT g_previewPages = 0;

std::string ReadString(HKEY key, const char* name) {
  char value[MAX_PATH + 1] = "";
  DWORD type = 0;
  DWORD bytes = MAX_PATH;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes) !=
          ERROR_SUCCESS ||
      type != REG_SZ)
    return "";
  value[bytes < MAX_PATH ? bytes : MAX_PATH] = '\0';
  return value;
}

}  // namespace

const std::vector<std::string>& AfxGetRecentFileList() { return g_recentFiles; }
UINT AfxGetPreviewPages() { return g_previewPages; }

void CWinApp::SetRegistryKey(const char* company) {
  if (!company || !*company) return;
  m_registryKey = std::string("Software\\") + company + "\\" + m_appName;
}

void CWinApp::LoadStdProfileSettings(UINT maxMru) {
  m_maxMru = maxMru;
  g_recentFiles.clear();
  g_previewPages = 0;
  if (m_registryKey.empty()) return;
  // The application's key is its profile: it is made on first use.
  platform::UniqueKey appKey;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, m_registryKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_READ, nullptr, appKey.put(), nullptr) != ERROR_SUCCESS)
    return;

  platform::UniqueKey recent;
  if (maxMru > 0 &&
      RegOpenKeyExA(appKey.get(), "Recent File List", 0, KEY_READ, recent.put()) == ERROR_SUCCESS) {
    for (UINT i = 1; i <= maxMru; ++i) {
      std::string name = "File" + std::to_string(i);
      std::string file = ReadString(recent.get(), name.c_str());
      if (!file.empty()) g_recentFiles.push_back(file);
    }
  }
  platform::UniqueKey settings;
  if (RegOpenKeyExA(appKey.get(), "Settings", 0, KEY_READ, settings.put()) == ERROR_SUCCESS) {
    DWORD pages = 0;
    DWORD type = 0;
    DWORD bytes = sizeof pages;
    if (RegQueryValueExA(settings.get(), "PreviewPages", nullptr, &type,
                         reinterpret_cast<BYTE*>(&pages), &bytes) == ERROR_SUCCESS &&
        type == REG_DWORD)
      g_previewPages = pages;
  }
}

void CWinApp::AddDocTemplate(CDocTemplate* tmpl) {
  g_templateOwner.reset(tmpl);
  m_pDocTemplate = tmpl;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) {
  for (int i = 1; i < __argc; ++i) {
    const char* param = __argv[i];
    BOOL flag = param[0] == '/' || param[0] == '-';
    if (flag) ++param;
    info.ParseParam(param, flag, i + 1 == __argc);
  }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info) {
  switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
      if (m_pDocTemplate) m_pDocTemplate->OpenDocumentFile(nullptr);
      return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
      return m_pDocTemplate && m_pDocTemplate->OpenDocumentFile(info.m_strFileName.c_str());
    case CCommandLineInfo::FileNothing:
      return TRUE;
  }
  return FALSE;
}
