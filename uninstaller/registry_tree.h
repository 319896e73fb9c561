// Deleting a registry tree below HKEY_LOCAL_MACHINE, depth first.
#pragma once

#include <windows.h>

#include <cstddef>

// The working path: relative to HKEY_LOCAL_MACHINE, no leading backslash.
constexpr std::size_t kRegistryPathChars = 260;

// The registry operations the deletion needs. Production binds the system's;
// tests stand in for it where Wine cannot produce the case (a protected key,
// thousands of subkeys, a failed enumeration). Results are Win32 error codes.
class RegistryOps {
 public:
  virtual ~RegistryOps() = default;
  // Opens an existing key for reading; never creates one.
  virtual LONG OpenKey(const char* path, HKEY* key) = 0;
  virtual LONG QuerySubkeyCount(HKEY key, DWORD* count) = 0;
  // name holds *nameChars characters; on success *nameChars is the length.
  virtual LONG EnumSubkey(HKEY key, DWORD index, char* name, DWORD* nameChars) = 0;
  virtual void CloseKey(HKEY key) = 0;
  // Deletes a key that has no subkeys.
  virtual LONG DeleteKey(const char* path) = 0;
};

// The real registry, HKEY_LOCAL_MACHINE.
RegistryOps& SystemRegistry();

// Deletes HKEY_LOCAL_MACHINE\path and everything below it. The path buffer is
// the caller's; it is extended while descending and holds the caller's text
// again on return.
//
// A key that does not exist changes nothing. A subkey that cannot be opened,
// listed or deleted stays, and so do the keys above it. A subtree whose path
// would not fit the buffer is left alone rather than reached by a cut path.
void DeleteRegistryTree(char (&path)[kRegistryPathChars], RegistryOps& ops = SystemRegistry());
