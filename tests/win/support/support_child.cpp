// A stand-in program for the tests of the support library: each mode shows
// one behaviour the kit's programs have (output, exit codes, hanging, a
// message box, reading the user's profile).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string mode = argv[1];
  if (mode == "exit" && argc == 3) return static_cast<int>(std::strtoul(argv[2], nullptr, 10));
  if (mode == "print" && argc == 3) {
    std::printf("out:%s\n", argv[2]);
    std::fflush(stdout);
    std::fprintf(stderr, "err:%s\n", argv[2]);
    return 0;
  }
  if (mode == "flood" && argc == 3) {
    std::string block(1024, 'x');
    for (unsigned long i = std::strtoul(argv[2], nullptr, 10); i > 0; --i)
      std::fwrite(block.data(), 1, block.size(), stdout);
    return 0;
  }
  if (mode == "hang") {
    Sleep(INFINITE);
    return 0;
  }
  if (mode == "cwd") {
    char dir[MAX_PATH + 1] = "";
    GetCurrentDirectoryA(sizeof dir, dir);
    std::printf("%s", dir);
    return 0;
  }
  if (mode == "profile" && argc == 4) {
    char value[256] = "";
    GetProfileStringA(argv[2], argv[3], "<missing>", value, sizeof value);
    std::printf("[%s]", value);
    return 0;
  }
  if (mode == "ask" && argc == 4) return MessageBoxA(nullptr, argv[3], argv[2], MB_YESNO);
  return 2;
}
