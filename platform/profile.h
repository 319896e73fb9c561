// Profile settings and the Windows directory, as the three programs use them.
//
// Thin wrappers over the system's initialization-file services. What every
// caller relies on: a missing file, section or key yields the default; a
// string result is cut to size - 1 characters and always terminated; the
// Windows directory has no trailing backslash; an integer is the decimal
// number written for the key.
#pragma once

#include <cstddef>

namespace platform {

// Buffer sizes that are part of the programs' interfaces.
constexpr std::size_t kViewerProfileChars = 80;       // "SnapBMP"
constexpr std::size_t kInstallerValueChars = 30;      // Drvconf.ini values
constexpr std::size_t kInstallerWinDirChars = 80;     // installer's Windows directory
constexpr std::size_t kUninstallerValueChars = 260;   // Remove907.ini values
constexpr std::size_t kUninstallerWinDirChars = 260;  // uninstaller's Windows directory

// Value of key in section of the user's WIN.INI profile.
void ReadProfileString(const char* section, const char* key, const char* def, char* buf,
                       std::size_t size);

// Value of key in section of the initialization file `file`.
void ReadPrivateProfileString(const char* section, const char* key, const char* def, char* buf,
                              std::size_t size, const char* file);

// Decimal integer value of key, or def when missing.
int ReadPrivateProfileInt(const char* section, const char* key, int def, const char* file);

// The Windows directory without a trailing backslash. Returns false, with
// buf holding "", when it does not fit in size characters.
bool GetWindowsDir(char* buf, std::size_t size);

// The full path of a module's file (module nullptr: the program's own).
// Returns false, with buf holding "", when it does not fit in size
// characters: a path cut short would still look like a path.
bool GetModulePath(void* module, char* buf, std::size_t size);

}  // namespace platform
