# The posix thread flavour lets tests use std::thread; -static keeps every
# program free of MinGW DLLs.
set(CMAKE_C_COMPILER ${CAPKIT_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CAPKIT_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${CAPKIT_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${CAPKIT_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Release programs ship without symbols.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
