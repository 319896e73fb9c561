// Arranges and shows what the uninstaller works on, for the demo script:
//   uninstaller_demo_tool add-device ID [ID...]   a new device; prints its instance ID
//   uninstaller_demo_tool devices PREFIX...       devices with an ID starting with a PREFIX
//   uninstaller_demo_tool remove-device INSTANCE
//   uninstaller_demo_tool add-key PATH            HKEY_LOCAL_MACHINE\PATH with its parents
//   uninstaller_demo_tool keys PATH               the tree below HKEY_LOCAL_MACHINE\PATH
//   uninstaller_demo_tool delete-key PATH
//   uninstaller_demo_tool windows-dir
// Exit code 0 on success, 1 on failure, 2 on bad usage.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/win/support/support.h"

namespace ts = testsupport;

namespace {

void PrintTree(const std::string& path, int depth) {
  const std::string name = depth == 0 ? path : path.substr(path.rfind('\\') + 1);
  std::printf("%*s%s\n", depth * 2, "", name.c_str());
  for (const std::string& child : ts::SubkeyNames(HKEY_LOCAL_MACHINE, path))
    PrintTree(path + "\\" + child, depth + 1);
}

int Usage() {
  std::fprintf(stderr,
               "usage: uninstaller_demo_tool add-device ID... | devices PREFIX... | remove-device "
               "INSTANCE | add-key PATH | keys PATH | delete-key PATH | windows-dir\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "windows-dir") {
    std::printf("%s\n", ts::WindowsDir().c_str());
    return 0;
  }
  if (argc < 3) return Usage();
  const std::string arg = argv[2];
  if (command == "add-device") {
    std::vector<std::string> ids(argv + 2, argv + argc);
    std::string instance = ts::CreateDevice(ids);
    if (instance.empty()) return 1;
    std::printf("%s\n", instance.c_str());
    return 0;
  }
  if (command == "devices") {
    const std::vector<std::string> prefixes(argv + 2, argv + argc);
    for (const ts::DeviceInfo& device : ts::ListDevices()) {
      bool shown = false;
      for (const std::string& id : device.hardwareIds)
        for (const std::string& prefix : prefixes) shown = shown || id.rfind(prefix, 0) == 0;
      if (!shown) continue;
      std::printf("%s:", device.instanceId.c_str());
      for (const std::string& id : device.hardwareIds) std::printf(" %s", id.c_str());
      std::printf("\n");
    }
    return 0;
  }
  if (command == "remove-device") return ts::RemoveDevice(arg) ? 0 : 1;
  if (command == "add-key") return ts::CreateKeyTree(HKEY_LOCAL_MACHINE, arg) ? 0 : 1;
  if (command == "delete-key") return ts::DeleteKeyTree(HKEY_LOCAL_MACHINE, arg) ? 0 : 1;
  if (command == "keys") {
    if (!ts::KeyExists(HKEY_LOCAL_MACHINE, arg)) {
      std::printf("(no key %s)\n", arg.c_str());
      return 0;
    }
    PrintTree(arg, 0);
    return 0;
  }
  return Usage();
}
