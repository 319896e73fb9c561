// Staging the kit's driver INF into the system's INF store under its own
// base name. The operating-system services the staging uses come through
// StagingSystem, so a test can stand in for the setup services: Windows
// gives the copy a generated name (C:\WINDOWS\inf\oem7.inf), which Wine never
// does. Production binds the real calls (system_staging.cpp).
#pragma once

#include <cstddef>

#include "installer/staging_paths.h"

namespace drvprep {

class StagingSystem {
 public:
  virtual ~StagingSystem() = default;

  // The Windows directory without a trailing backslash; false when it does
  // not fit in size characters.
  virtual bool WindowsDir(char* buf, std::size_t size) = 0;
  // The installer's own module path; false when it does not fit.
  virtual bool ModulePath(char* buf, std::size_t size) = 0;
  // A value of an initialization file, with the default when missing and
  // cut to size - 1 characters.
  virtual void ReadConfigValue(const char* section, const char* key, const char* def, char* buf,
                               std::size_t size, const char* file) = 0;
  // Has the setup services copy sourceInf into the INF store; on success
  // staged holds the full path of the copy.
  virtual bool CopyOemInf(const char* sourceInf, char* staged, std::size_t stagedSize) = 0;
  virtual bool RemoveFile(const char* path) = 0;
  // Fails when `to` exists.
  virtual bool RenameFile(const char* from, const char* to) = 0;
  // Ends the process; only a stand-in returns.
  virtual void EndProcess(unsigned exitCode) = 0;
};

// Where the installer runs, which INF it stages and the paths built from
// them. An entry that could not be found (did not fit) is "".
struct InstallerConfig {
  char windowsDir[kWindowsDirChars];
  char kitFolder[kKitFolderChars];
  char baseName[kBaseNameChars];
  StorePaths paths;
};

constexpr unsigned kInstallerExitCode = 1;

// Finds the Windows directory, the kit folder and the INF base name, then
// removes the INF and PNF of that name left in the store by an earlier run.
void ReadInstallerConfig(StagingSystem& system, InstallerConfig& config);

// The whole run: configuration and stale files, the copy into the store,
// the renames to the base name, and the end of the process with exit code 1
// on every path.
void StageDriverInf(StagingSystem& system);

// The real services of this process (module path from g_hInstance).
StagingSystem& SystemStaging();

}  // namespace drvprep

// Production entry used by the main window's creation: stages with the real
// services and ends the process with exit code 1.
[[noreturn]] void StageDriverInf();
