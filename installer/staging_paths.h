// Names and paths of the INF staging: where the kit is, which files in the
// INF store belong to its INF, and what the precompiled PNF of a staged INF
// is called. No <windows.h> here, so the rules are checked on the host too.
//
// Every buffer size below is part of the installer's interface. A path that
// does not fit its buffer comes back empty and the step that needs it is
// skipped; nothing is ever done with a cut path.
#pragma once

#include <cstddef>

namespace drvprep {

constexpr std::size_t kWindowsDirChars = 80;
constexpr std::size_t kModulePathChars = 100;
constexpr std::size_t kKitFolderChars = 100;
constexpr std::size_t kConfigPathChars = 100;
constexpr std::size_t kBaseNameChars = 30;
constexpr std::size_t kStalePathChars = 100;
constexpr std::size_t kSourceInfChars = 80;
constexpr std::size_t kFixedNameChars = 80;
constexpr std::size_t kStagedNameChars = 80;

// The configuration file and the value that names the INF.
constexpr const char kConfigSection[] = "Drvprep";
constexpr const char kVideoKey[] = "Video";
constexpr const char kDefaultBaseName[] = "vidsen";

// The folder that holds the installer: its module path up to (not
// including) the last backslash, so "C:\KIT\Drvprep.exe" gives "C:\KIT"
// whatever the program file is called. False, with folder "", when the
// path has no backslash or the folder does not fit in size characters.
bool KitFolderFromModulePath(const char* modulePath, char* folder, std::size_t size);

// The PNF that the setup services write beside a staged INF: the first two
// letters of the file's three-letter extension become "p" and "n"
// ("...\oem3.inf" gives "...\oem3.pnf"). False, with pnf "", when the file
// name has no three-letter extension or the result does not fit.
bool PnfNameFromStagedName(const char* staged, char* pnf, std::size_t size);

// True for a base name that names a file in the INF store and nothing else:
// not empty, and without a backslash, slash or drive colon. Anything else
// would make the deletions and renames reach outside the store (or, when
// empty, name "inf\.inf").
bool IsPlainBaseName(const char* baseName);

// "<windowsDir>\Drvconf.ini", or "" when the Windows directory is unknown
// (empty) or the path does not fit.
bool BuildConfigPath(const char* windowsDir, char (&path)[kConfigPathChars]);

// The paths of one staging run. Each is "" when it cannot be built: the
// Windows directory or the kit folder is unknown, the base name is not a
// plain name, or the path does not fit its buffer.
struct StorePaths {
  char staleInf[kStalePathChars];   // <windowsDir>\inf\<base>.inf, to delete
  char stalePnf[kStalePathChars];   // <windowsDir>\inf\<base>.pnf, to delete
  char sourceInf[kSourceInfChars];  // <kitFolder>\<base>.inf, to copy
  char fixedInf[kFixedNameChars];   // <windowsDir>\inf\<base>.inf, rename target
  char fixedPnf[kFixedNameChars];   // <windowsDir>\inf\<base>.pnf, rename target
};

StorePaths BuildStorePaths(const char* windowsDir, const char* kitFolder, const char* baseName);

}  // namespace drvprep
