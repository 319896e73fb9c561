// Removing every device instance, present or not, whose hardware ID begins
// with one of two given IDs.
#pragma once

#include <windows.h>
// after <windows.h>, which it needs
#include <setupapi.h>

#include <cstddef>

// The setup and memory services device removal needs. Production binds the
// system's; tests stand in for them where Wine cannot produce the case (a
// failed allocation, a property list without its terminator). Each call
// leaves its error code for GetLastError, as the system's calls do.
class DeviceOps {
 public:
  virtual ~DeviceOps() = default;
  // Every device of every class: INVALID_HANDLE_VALUE on failure.
  virtual HDEVINFO GetAllDevices() = 0;
  virtual BOOL EnumDevice(HDEVINFO set, DWORD index, SP_DEVINFO_DATA* device) = 0;
  // The hardware-ID property (SPDRP_HARDWAREID).
  virtual BOOL GetHardwareIds(HDEVINFO set, SP_DEVINFO_DATA* device, BYTE* buffer, DWORD size,
                              DWORD* requiredSize) = 0;
  // Asks the device's class installer to remove it (DIF_REMOVE).
  virtual BOOL RemoveDevice(HDEVINFO set, SP_DEVINFO_DATA* device) = 0;
  virtual void DestroySet(HDEVINFO set) = 0;
  // A zero-filled block, or nullptr.
  virtual void* AllocZeroed(std::size_t size) = 0;
  virtual void Free(void* block) = 0;
  // A message box with `text`, an empty caption, OK and no owner.
  virtual void ShowMessage(const char* text) = 0;
  // One compared ID, for the trace on standard output.
  virtual void TraceCompare(const char* id, std::size_t length) = 0;
};

// The real setup services, the process heap, a message box and stdout.
DeviceOps& SystemDevices();

// Removes every device instance that has a hardware ID beginning with
// `first` or with `second` (an empty ID matches nothing), and writes the
// line "Compare device ID: [<id>]" for every ID it compares. Returns 1 when
// no device set was obtained or the walk ended with an error code (the usual
// end: no more items), 0 when it ended with none.
int RemoveMatchingDevices(const char* first, const char* second, DeviceOps& ops = SystemDevices());
