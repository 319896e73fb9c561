#include "uninstaller/device_removal.h"

#include <cstdio>

#include "uninstaller/device_match.h"

static_assert(sizeof(SP_DEVINFO_DATA) == (sizeof(void*) == 8 ? 32 : 28),
              "the device record the setup services expect");

namespace {

class SystemDeviceOps : public DeviceOps {
 public:
  HDEVINFO GetAllDevices() override {
    return SetupDiGetClassDevsA(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES);
  }
  BOOL EnumDevice(HDEVINFO set, DWORD index, SP_DEVINFO_DATA* device) override {
    return SetupDiEnumDeviceInfo(set, index, device);
  }
  BOOL GetHardwareIds(HDEVINFO set, SP_DEVINFO_DATA* device, BYTE* buffer, DWORD size,
                      DWORD* requiredSize) override {
    DWORD type = 0;
    return SetupDiGetDeviceRegistryPropertyA(set, device, SPDRP_HARDWAREID, &type, buffer, size,
                                             requiredSize);
  }
  BOOL RemoveDevice(HDEVINFO set, SP_DEVINFO_DATA* device) override {
    return SetupDiCallClassInstaller(DIF_REMOVE, set, device);
  }
  void DestroySet(HDEVINFO set) override { SetupDiDestroyDeviceInfoList(set); }
  void* AllocZeroed(std::size_t size) override {
    // A device may report an empty list; the block still has to exist.
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size ? size : 1);
  }
  void Free(void* block) override { HeapFree(GetProcessHeap(), 0, block); }
  void ShowMessage(const char* text) override { MessageBoxA(nullptr, text, "", MB_OK); }
  void TraceCompare(const char* id, std::size_t length) override {
    std::printf("Compare device ID: [%.*s]\n", static_cast<int>(length), id);
  }
};

// The device set, released when it goes.
class DeviceSet {
 public:
  DeviceSet(DeviceOps& ops, HDEVINFO set) : ops_(ops), set_(set) {}
  ~DeviceSet() {
    if (set_ != INVALID_HANDLE_VALUE) ops_.DestroySet(set_);
  }
  DeviceSet(const DeviceSet&) = delete;
  DeviceSet& operator=(const DeviceSet&) = delete;
  HDEVINFO get() const { return set_; }
  explicit operator bool() const { return set_ != INVALID_HANDLE_VALUE; }

 private:
  DeviceOps& ops_;
  HDEVINFO set_;
};

// A block from DeviceOps::AllocZeroed, freed when it goes.
class Block {
 public:
  explicit Block(DeviceOps& ops) : ops_(ops) {}
  ~Block() {
    if (data_) ops_.Free(data_);
  }
  Block(const Block&) = delete;
  Block& operator=(const Block&) = delete;
  bool Allocate(std::size_t size) {
    data_ = ops_.AllocZeroed(size);
    return data_ != nullptr;
  }
  BYTE* bytes() const { return static_cast<BYTE*>(data_); }

 private:
  DeviceOps& ops_;
  void* data_ = nullptr;
};

// Compares each hardware ID in the list against the two IDs; true on the
// first match.
bool ListMatches(const char* ids, std::size_t size, const char* first, const char* second,
                 DeviceOps& ops) {
  std::size_t offset = 0;
  std::string_view id;
  while (NextMultiStringEntry(ids, size, &offset, &id)) {
    ops.TraceCompare(id.data(), id.size());
    if (HasIdPrefix(first, id) || HasIdPrefix(second, id)) return true;
  }
  return false;
}

}  // namespace

DeviceOps& SystemDevices() {
  static SystemDeviceOps ops;
  return ops;
}

int RemoveMatchingDevices(const char* first, const char* second, DeviceOps& ops) {
  DeviceSet set(ops, ops.GetAllDevices());
  if (!set) return 1;

  SP_DEVINFO_DATA device = {};
  device.cbSize = sizeof device;
  // The index keeps counting after a removal: the set keeps its records.
  for (DWORD index = 0; ops.EnumDevice(set.get(), index, &device); ++index) {
    DWORD size = 0;
    ops.GetHardwareIds(set.get(), &device, nullptr, 0, &size);
    Block ids(ops);
    bool noIds = false;
    while (!noIds) {
      if (GetLastError() == ERROR_INVALID_DATA) {
        noIds = true;
      } else if (ids.Allocate(size)) {
        break;
      } else {
        ops.ShowMessage("error");
        ops.GetHardwareIds(set.get(), &device, nullptr, size, &size);
      }
    }
    if (noIds) continue;

    ops.GetHardwareIds(set.get(), &device, ids.bytes(), size, nullptr);
    if (GetLastError() == ERROR_INVALID_DATA) continue;
    if (ListMatches(reinterpret_cast<const char*>(ids.bytes()), size, first, second, ops)) {
      ops.RemoveDevice(set.get(), &device);
    }
  }
  return GetLastError() != 0 ? 1 : 0;
}
