#include "installer/inf_staging.h"

#include "platform/bounded_format.h"

namespace drvprep {

void ReadInstallerConfig(StagingSystem& system, InstallerConfig& config) {
  config = InstallerConfig{};
  if (!system.WindowsDir(config.windowsDir, sizeof config.windowsDir)) config.windowsDir[0] = '\0';

  char modulePath[kModulePathChars] = "";
  if (system.ModulePath(modulePath, sizeof modulePath)) {
    KitFolderFromModulePath(modulePath, config.kitFolder, sizeof config.kitFolder);
  }

  char configPath[kConfigPathChars];
  if (BuildConfigPath(config.windowsDir, configPath)) {
    system.ReadConfigValue(kConfigSection, kVideoKey, kDefaultBaseName, config.baseName,
                           sizeof config.baseName, configPath);
  } else {
    // no readable configuration means the defaults
    platform::CopyBounded(config.baseName, sizeof config.baseName, kDefaultBaseName);
  }

  // A missing stale file is the normal case; a failed deletion shows up
  // later as a failed rename and is not reported either.
  config.paths = BuildStorePaths(config.windowsDir, config.kitFolder, config.baseName);
  if (config.paths.staleInf[0]) system.RemoveFile(config.paths.staleInf);
  if (config.paths.stalePnf[0]) system.RemoveFile(config.paths.stalePnf);
}

void StageDriverInf(StagingSystem& system) {
  InstallerConfig config;
  ReadInstallerConfig(system, config);

  const StorePaths& paths = config.paths;
  // Without its fixed names a copy would stay in the store under a generated
  // name that nothing removes again, so it is not made.
  if (paths.sourceInf[0] && paths.fixedInf[0] && paths.fixedPnf[0]) {
    char staged[kStagedNameChars] = "";
    if (system.CopyOemInf(paths.sourceInf, staged, sizeof staged) && staged[0]) {
      system.RenameFile(staged, paths.fixedInf);
      char stagedPnf[kStagedNameChars];
      if (PnfNameFromStagedName(staged, stagedPnf, sizeof stagedPnf)) {
        system.RenameFile(stagedPnf, paths.fixedPnf);
      }
    }
  }
  system.EndProcess(kInstallerExitCode);
}

}  // namespace drvprep
