// Helpers for the Windows end-to-end tests: start the kit's programs, arrange
// their inputs (WIN.INI, INI files, registry, devices) and watch their
// windows. Every wait takes a timeout; nothing here waits forever.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// ---- programs ----------------------------------------------------------------

// Full Windows path of a program built beside the running test (bin/).
std::string ProgramPath(const std::string& exeName);

// The folder of the running test program (no trailing backslash).
std::string TestBinDir();

struct RunResult {
  bool started = false;   // CreateProcessA succeeded
  bool timedOut = false;  // killed after the timeout
  DWORD exitCode = 0;
  std::string output;  // everything written to standard output and error
};

// Runs exe with args (may be empty) in workDir (empty: the current folder),
// captures its standard output and error, waits at most timeoutMs and kills
// it if it has not ended by then.
RunResult RunProgram(const std::string& exe, const std::string& args = "",
                     const std::string& workDir = "", DWORD timeoutMs = 30000);

// A program started in the background, for tests that talk to its windows.
// The destructor kills the process if it is still running.
class Process {
 public:
  Process() = default;
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  bool Start(const std::string& exe, const std::string& args = "", const std::string& workDir = "",
             bool captureOutput = false);
  // True when the process ended within timeoutMs; *exitCode gets its code.
  bool Wait(DWORD timeoutMs, DWORD* exitCode = nullptr);
  bool Running() const;
  void Kill();
  DWORD Pid() const { return pid_; }
  HANDLE Handle() const { return process_; }
  // Output captured so far (reads what is available; complete after Wait).
  std::string Output();

 private:
  HANDLE process_ = nullptr;
  HANDLE outRead_ = nullptr;
  DWORD pid_ = 0;
  std::string output_;
};

// ---- files -------------------------------------------------------------------

bool WriteFileBytes(const std::string& path, const std::string& bytes);
std::optional<std::string> ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);  // a file, not a folder
bool RemoveFile(const std::string& path);  // true when gone afterwards
bool MakeDirs(const std::string& path);    // creates every missing level
bool RemoveTree(const std::string& path);  // folder and all it holds
std::string WindowsDir();                  // e.g. C:\windows
std::string TempDir();                     // a fresh folder per call

// A fresh folder that is removed with everything in it when the owner goes,
// also when a test stops at a failed assertion. Path() is "" if none was made.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// ---- initialization files ------------------------------------------------------

// Value in the user's WIN.INI profile; value nullptr deletes the key.
bool SetWinIni(const char* section, const char* key, const char* value);
// Value in an INI file; value nullptr deletes the key, key nullptr the section.
bool WriteIni(const std::string& file, const char* section, const char* key, const char* value);

// ---- registry ----------------------------------------------------------------

bool CreateKeyTree(HKEY root, const std::string& path);  // with all missing parents
bool KeyExists(HKEY root, const std::string& path);
bool DeleteKeyTree(HKEY root, const std::string& path);  // true when gone afterwards
std::vector<std::string> SubkeyNames(HKEY root, const std::string& path);

// ---- devices -------------------------------------------------------------------

struct DeviceInfo {
  std::string instanceId;
  std::vector<std::string> hardwareIds;
};

// Registers a new (not present) device instance of the system device class
// with the given hardware IDs. Returns its instance ID, or "" on failure.
std::string CreateDevice(const std::vector<std::string>& hardwareIds);
// Every device instance of every class, present or not, as the uninstaller sees them.
std::vector<DeviceInfo> ListDevices();
bool DeviceExists(const std::string& instanceId);
bool RemoveDevice(const std::string& instanceId);  // cleanup; true when gone afterwards

// ---- windows -----------------------------------------------------------------

// A visible top-level window with this caption (and class, when given) that
// belongs to pid (any process when pid is 0). A caption of nullptr matches
// any caption, "" only an empty one. nullptr after timeoutMs.
HWND WaitForWindow(const char* caption, DWORD pid, DWORD timeoutMs,
                   const char* className = nullptr);
// True when hwnd no longer exists within timeoutMs.
bool WaitForWindowGone(HWND hwnd, DWORD timeoutMs);
// The text of a message box (its static control), or "" if none.
std::string MessageBoxText(HWND box);
// Presses a button of a dialog or message box by its command id (IDOK, IDYES ...).
// False when the box has no such button. The press is posted, so it returns
// before the program has acted on it.
bool PressButton(HWND dialog, int id);

}  // namespace testsupport
