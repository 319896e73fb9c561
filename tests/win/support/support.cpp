#include "tests/win/support/support.h"

#include <setupapi.h>

#include <cstdio>
#include <cstring>

#include "platform/handles.h"

namespace testsupport {

namespace {

using platform::UniqueFile;
using platform::UniqueKey;

// Polling interval of the waits below: short enough that tests stay quick,
// long enough not to busy-spin the two cores other tests share.
constexpr DWORD kPollMs = 20;

struct DevInfoTraits {
  static HDEVINFO Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HDEVINFO set) { SetupDiDestroyDeviceInfoList(set); }
};
using UniqueDevInfo = platform::UniqueHandle<HDEVINFO, DevInfoTraits>;

// Handles that are null rather than INVALID_HANDLE_VALUE when empty
// (process and pipe handles).
struct KernelTraits {
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
using UniqueKernelHandle = platform::UniqueHandle<HANDLE, KernelTraits>;

// {4d36e97d-e325-11ce-bfc1-08002be10318}, the "System" device class.
const GUID kSystemClass = {
    0x4d36e97d, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

std::string WithBackslashes(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

bool IsDirectory(const std::string& path) {
  DWORD attrs = GetFileAttributesA(path.c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Moves whatever the pipe holds now into out, without blocking: a program
// that has ended may have left a grandchild holding the write end open.
void DrainPipe(HANDLE pipe, std::string& out) {
  if (pipe == nullptr) return;
  for (;;) {
    DWORD available = 0;
    if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) || available == 0) return;
    char chunk[4096];
    DWORD want = available < sizeof chunk ? available : static_cast<DWORD>(sizeof chunk);
    DWORD got = 0;
    if (!ReadFile(pipe, chunk, want, &got, nullptr) || got == 0) return;
    out.append(chunk, got);
  }
}

std::string WindowText(HWND hwnd) {
  // WM_GETTEXT is marshalled across processes; the timeout keeps a hung
  // program from hanging the test as well.
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
    return "";
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                           reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG, 5000, &copied))
    return "";
  text.resize(strnlen(text.c_str(), text.size()));
  return text;
}

std::string ClassName(HWND hwnd) {
  char name[256] = "";
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

bool DeleteKeyTreeUnder(HKEY root, const std::string& path, int depth) {
  UniqueKey key;
  LONG rc = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | DELETE, key.put());
  if (rc == ERROR_FILE_NOT_FOUND) return true;
  if (rc != ERROR_SUCCESS || depth > 64) return false;
  // Names are collected first: deleting while enumerating shifts the indices.
  std::vector<std::string> children = SubkeyNames(root, path);
  key.reset();
  bool ok = true;
  for (const std::string& child : children)
    ok = DeleteKeyTreeUnder(root, path + "\\" + child, depth + 1) && ok;
  rc = RegDeleteKeyA(root, path.c_str());
  return ok && (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND);
}

std::vector<std::string> ReadHardwareIds(HDEVINFO set, SP_DEVINFO_DATA* data) {
  std::vector<std::string> ids;
  DWORD needed = 0;
  SetupDiGetDeviceRegistryPropertyA(set, data, SPDRP_HARDWAREID, nullptr, nullptr, 0, &needed);
  if (needed == 0) return ids;
  std::vector<BYTE> buf(needed + 2, 0);  // two spare zeros end even a malformed list
  if (!SetupDiGetDeviceRegistryPropertyA(set, data, SPDRP_HARDWAREID, nullptr, buf.data(), needed,
                                         nullptr))
    return ids;
  const char* p = reinterpret_cast<const char*>(buf.data());
  while (*p) {
    ids.emplace_back(p);
    p += ids.back().size() + 1;
  }
  return ids;
}

std::string InstanceId(HDEVINFO set, SP_DEVINFO_DATA* data) {
  char id[512] = "";  // device instance IDs are at most 200 characters
  if (!SetupDiGetDeviceInstanceIdA(set, data, id, sizeof id, nullptr)) return "";
  return id;
}

struct FindWindowQuery {
  const char* caption;
  const char* className;
  DWORD pid;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
  auto* query = reinterpret_cast<FindWindowQuery*>(param);
  if (!IsWindowVisible(hwnd)) return TRUE;
  if (query->pid != 0) {
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != query->pid) return TRUE;
  }
  if (query->className && ClassName(hwnd) != query->className) return TRUE;
  if (query->caption) {
    // For another process's window this reads the stored caption without
    // sending it a message, so a busy program cannot stall the search.
    char caption[512] = "";
    GetWindowTextA(hwnd, caption, sizeof caption);
    if (strcmp(caption, query->caption) != 0) return TRUE;
  }
  query->found = hwnd;
  return FALSE;
}

BOOL CALLBACK FindMessageText(HWND child, LPARAM param) {
  auto* text = reinterpret_cast<std::string*>(param);
  if (_stricmp(ClassName(child).c_str(), "Static") != 0) return TRUE;
  // the icon is a static control too, without text
  if ((GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) return TRUE;
  std::string candidate = WindowText(child);
  if (candidate.empty()) return TRUE;
  *text = candidate;
  return FALSE;
}

}  // namespace

// ---- programs ----------------------------------------------------------------

std::string TestBinDir() {
  char path[MAX_PATH * 4] = "";
  DWORD len = GetModuleFileNameA(nullptr, path, sizeof path);
  if (len == 0 || len >= sizeof path) return "";
  std::string dir(path, len);
  std::size_t slash = dir.find_last_of('\\');
  return slash == std::string::npos ? std::string() : dir.substr(0, slash);
}

std::string ProgramPath(const std::string& exeName) { return TestBinDir() + "\\" + exeName; }

RunResult RunProgram(const std::string& exe, const std::string& args, const std::string& workDir,
                     DWORD timeoutMs) {
  RunResult result;
  Process process;
  result.started = process.Start(exe, args, workDir, true);
  if (!result.started) return result;
  if (!process.Wait(timeoutMs, &result.exitCode)) {
    result.timedOut = true;
    process.Kill();
    process.Wait(5000, &result.exitCode);
  }
  result.output = process.Output();
  return result;
}

Process::~Process() {
  if (Running()) Kill();
  if (process_) CloseHandle(process_);
  if (outRead_) CloseHandle(outRead_);
}

bool Process::Start(const std::string& exe, const std::string& args, const std::string& workDir,
                    bool captureOutput) {
  if (process_ != nullptr) return false;  // one program per object

  UniqueKernelHandle outRead, outWrite;
  UniqueFile nullInput;
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  if (captureOutput) {
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    if (!CreatePipe(outRead.put(), outWrite.put(), &sa, 0)) return false;
    // only the child's end is inherited, so the pipe ends when the child does
    SetHandleInformation(outRead.get(), HANDLE_FLAG_INHERIT, 0);
    nullInput.reset(CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                                OPEN_EXISTING, 0, nullptr));
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = nullInput.get();
    si.hStdOutput = outWrite.get();
    si.hStdError = outWrite.get();
  }

  std::string commandLine = "\"" + exe + "\"";
  if (!args.empty()) commandLine += " " + args;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, captureOutput, 0, nullptr,
                      workDir.empty() ? nullptr : workDir.c_str(), &si, &pi))
    return false;
  CloseHandle(pi.hThread);
  process_ = pi.hProcess;
  pid_ = pi.dwProcessId;
  outRead_ = outRead.release();
  output_.clear();
  return true;
}

bool Process::Wait(DWORD timeoutMs, DWORD* exitCode) {
  if (process_ == nullptr) return false;
  // The pipe is drained while waiting: a program that writes more than the
  // pipe holds would otherwise block and look hung.
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    DrainPipe(outRead_, output_);
    ULONGLONG now = GetTickCount64();
    DWORD slice = now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
    if (outRead_ && slice > kPollMs) slice = kPollMs;
    DWORD rc = WaitForSingleObject(process_, slice);
    if (rc == WAIT_OBJECT_0) break;
    if (rc != WAIT_TIMEOUT || GetTickCount64() >= deadline) return false;
  }
  DrainPipe(outRead_, output_);
  if (exitCode) {
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    *exitCode = code;
  }
  return true;
}

bool Process::Running() const {
  return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

void Process::Kill() {
  if (!Running()) return;
  TerminateProcess(process_, 0xDEAD);
  WaitForSingleObject(process_, 10000);
}

std::string Process::Output() {
  DrainPipe(outRead_, output_);
  return output_;
}

// ---- files -------------------------------------------------------------------

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    std::size_t left = bytes.size() - done;
    DWORD chunk = left > 0x100000 ? 0x100000 : static_cast<DWORD>(left);
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0)
      return false;
    done += written;
  }
  return true;
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
  UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes;
  char chunk[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) return std::nullopt;
    if (got == 0) break;
    bytes.append(chunk, got);
  }
  return bytes;
}

bool FileExists(const std::string& path) {
  DWORD attrs = GetFileAttributesA(path.c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool RemoveFile(const std::string& path) {
  if (!FileExists(path)) return !PathExists(path);
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path.c_str());
  return !PathExists(path);
}

bool MakeDirs(const std::string& rawPath) {
  std::string path = WithBackslashes(rawPath);
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  if (path.empty()) return false;
  // Every prefix that ends before a backslash is one level; "C:" itself is skipped.
  for (std::size_t pos = path.find('\\'); pos != std::string::npos;
       pos = path.find('\\', pos + 1)) {
    std::string level = path.substr(0, pos);
    if (level.empty() || (level.size() == 2 && level[1] == ':')) continue;
    if (!IsDirectory(level)) CreateDirectoryA(level.c_str(), nullptr);
  }
  if (!IsDirectory(path)) CreateDirectoryA(path.c_str(), nullptr);
  return IsDirectory(path);
}

bool RemoveTree(const std::string& rawPath) {
  std::string path = WithBackslashes(rawPath);
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  if (!PathExists(path)) return true;
  if (!IsDirectory(path)) return RemoveFile(path);

  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!strcmp(found.cFileName, ".") || !strcmp(found.cFileName, "..")) continue;
      std::string child = path + "\\" + found.cFileName;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(child);
      else
        RemoveFile(child);
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(path.c_str());
  return !PathExists(path);
}

std::string WindowsDir() {
  char dir[MAX_PATH + 1] = "";
  UINT len = GetWindowsDirectoryA(dir, sizeof dir);
  if (len == 0 || len >= sizeof dir) return "";
  std::string result(dir, len);
  while (result.size() > 3 && result.back() == '\\') result.pop_back();
  if (result.size() == 3 && result.back() == '\\') result.pop_back();  // "C:\" -> "C:"
  return result;
}

std::string TempDir() {
  static unsigned counter = 0;
  char base[MAX_PATH + 1] = "";
  DWORD len = GetTempPathA(sizeof base, base);
  if (len == 0 || len >= sizeof base) return "";
  std::string root(base, len);
  if (root.back() != '\\') root += '\\';
  for (int attempt = 0; attempt < 1000; ++attempt) {
    char name[64];
    std::snprintf(name, sizeof name, "capkit-%lu-%u", GetCurrentProcessId(), ++counter);
    std::string dir = root + name;
    if (CreateDirectoryA(dir.c_str(), nullptr)) return dir;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return "";
  }
  return "";
}

TempFolder::TempFolder() : path_(TempDir()) {}

TempFolder::~TempFolder() {
  if (!path_.empty()) RemoveTree(path_);
}

// ---- initialization files ------------------------------------------------------

bool SetWinIni(const char* section, const char* key, const char* value) {
  BOOL ok = WriteProfileStringA(section, key, value);
  // Flushes the profile cache so a program started next reads the new value.
  WriteProfileStringA(nullptr, nullptr, nullptr);
  return ok != FALSE;
}

bool WriteIni(const std::string& file, const char* section, const char* key, const char* value) {
  BOOL ok = WritePrivateProfileStringA(section, key, key ? value : nullptr, file.c_str());
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
  return ok != FALSE;
}

// ---- registry ----------------------------------------------------------------

bool CreateKeyTree(HKEY root, const std::string& path) {
  UniqueKey key;
  return RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ, nullptr,
                         key.put(), nullptr) == ERROR_SUCCESS;
}

bool KeyExists(HKEY root, const std::string& path) {
  UniqueKey key;
  return RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

bool DeleteKeyTree(HKEY root, const std::string& path) {
  if (path.empty()) return false;  // never the root itself
  DeleteKeyTreeUnder(root, path, 0);
  return !KeyExists(root, path);
}

std::vector<std::string> SubkeyNames(HKEY root, const std::string& path) {
  std::vector<std::string> names;
  UniqueKey key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return names;
  DWORD count = 0, longest = 0;
  if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr,
                       nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return names;
  std::vector<char> name(longest + 1);
  for (DWORD i = 0;; ++i) {
    DWORD len = static_cast<DWORD>(name.size());
    LONG rc = RegEnumKeyExA(key.get(), i, name.data(), &len, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_MORE_DATA) {  // a key added since the query
      name.resize(name.size() * 2 + 256);
      --i;
      continue;
    }
    if (rc != ERROR_SUCCESS) break;
    names.emplace_back(name.data(), len);
  }
  return names;
}

// ---- devices -------------------------------------------------------------------

std::string CreateDevice(const std::vector<std::string>& hardwareIds) {
  UniqueDevInfo set(SetupDiCreateDeviceInfoList(&kSystemClass, nullptr));
  if (!set) return "";
  SP_DEVINFO_DATA data = {};
  data.cbSize = sizeof data;
  if (!SetupDiCreateDeviceInfoA(set.get(), "CAPKIT_TEST", &kSystemClass, nullptr, nullptr,
                                DICD_GENERATE_ID, &data))
    return "";
  if (!hardwareIds.empty()) {
    std::string multi;
    for (const std::string& id : hardwareIds) multi.append(id).push_back('\0');
    multi.push_back('\0');
    if (!SetupDiSetDeviceRegistryPropertyA(set.get(), &data, SPDRP_HARDWAREID,
                                           reinterpret_cast<const BYTE*>(multi.data()),
                                           static_cast<DWORD>(multi.size())))
      return "";  // not registered yet: dropping the set discards it
  }
  if (!SetupDiRegisterDeviceInfo(set.get(), &data, 0, nullptr, nullptr, nullptr)) return "";
  std::string id = InstanceId(set.get(), &data);
  if (id.empty()) SetupDiCallClassInstaller(DIF_REMOVE, set.get(), &data);
  return id;
}

std::vector<DeviceInfo> ListDevices() {
  std::vector<DeviceInfo> devices;
  UniqueDevInfo set(SetupDiGetClassDevsA(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES));
  if (!set) return devices;
  SP_DEVINFO_DATA data = {};
  data.cbSize = sizeof data;
  for (DWORD i = 0; SetupDiEnumDeviceInfo(set.get(), i, &data); ++i)
    devices.push_back({InstanceId(set.get(), &data), ReadHardwareIds(set.get(), &data)});
  return devices;
}

bool DeviceExists(const std::string& instanceId) {
  for (const DeviceInfo& device : ListDevices())
    if (_stricmp(device.instanceId.c_str(), instanceId.c_str()) == 0) return true;
  return false;
}

bool RemoveDevice(const std::string& instanceId) {
  if (instanceId.empty()) return false;
  UniqueDevInfo set(SetupDiCreateDeviceInfoList(nullptr, nullptr));
  if (set) {
    SP_DEVINFO_DATA data = {};
    data.cbSize = sizeof data;
    if (SetupDiOpenDeviceInfoA(set.get(), instanceId.c_str(), nullptr, 0, &data))
      SetupDiCallClassInstaller(DIF_REMOVE, set.get(), &data);
  }
  return !DeviceExists(instanceId);
}

// ---- windows -----------------------------------------------------------------

HWND WaitForWindow(const char* caption, DWORD pid, DWORD timeoutMs, const char* className) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    FindWindowQuery query = {caption, className, pid, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
    if (query.found) return query.found;
    if (GetTickCount64() >= deadline) return nullptr;
    Sleep(kPollMs);
  }
}

bool WaitForWindowGone(HWND hwnd, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (IsWindow(hwnd)) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(kPollMs);
  }
  return true;
}

std::string MessageBoxText(HWND box) {
  std::string text;
  if (box) EnumChildWindows(box, FindMessageText, reinterpret_cast<LPARAM>(&text));
  return text;
}

bool PressButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (button == nullptr) return false;
  // Posted, not sent: the button may open a nested modal box that the test
  // has to answer before the handler returns.
  return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(button)) != FALSE;
}

}  // namespace testsupport
