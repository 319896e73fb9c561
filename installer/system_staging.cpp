// The staging's services bound to the real system calls.
#include <windows.h>
// setupapi.h needs windows.h first
#include <setupapi.h>

#include "installer/inf_staging.h"
#include "installer/main_window.h"
#include "platform/profile.h"

namespace drvprep {

namespace {

DWORD ClampSize(std::size_t size) {
  return size > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(size);
}

class RealStaging final : public StagingSystem {
 public:
  bool WindowsDir(char* buf, std::size_t size) override {
    return platform::GetWindowsDir(buf, size);
  }

  bool ModulePath(char* buf, std::size_t size) override {
    return platform::GetModulePath(g_hInstance, buf, size);
  }

  void ReadConfigValue(const char* section, const char* key, const char* def, char* buf,
                       std::size_t size, const char* file) override {
    platform::ReadPrivateProfileString(section, key, def, buf, size, file);
  }

  bool CopyOemInf(const char* sourceInf, char* staged, std::size_t stagedSize) override {
    if (stagedSize == 0) return false;
    staged[0] = '\0';
    DWORD required = 0;
    BOOL ok = SetupCopyOEMInfA(sourceInf, nullptr, SPOST_PATH, SP_COPY_NOOVERWRITE, staged,
                               ClampSize(stagedSize), &required, nullptr);
    staged[stagedSize - 1] = '\0';
    return ok != FALSE;
  }

  bool RemoveFile(const char* path) override { return DeleteFileA(path) != FALSE; }

  bool RenameFile(const char* from, const char* to) override {
    return MoveFileA(from, to) != FALSE;
  }

  void EndProcess(unsigned exitCode) override { ExitProcess(exitCode); }
};

}  // namespace

StagingSystem& SystemStaging() {
  static RealStaging system;
  return system;
}

}  // namespace drvprep

void StageDriverInf() {
  drvprep::StageDriverInf(drvprep::SystemStaging());
  ExitProcess(drvprep::kInstallerExitCode);
}
