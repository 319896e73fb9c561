# Shared build rules: warnings, sanitizers, GoogleTest and the Wine test runner.

option(CAPKIT_SANITIZE "Build host code with ASan and UBSan" OFF)

set(CAPKIT_WARNINGS -Wall -Wextra -Wshadow -Wformat=2 -Wno-unused-parameter)

# Compiler settings for the kit's own targets.
function(capkit_target target)
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX,C>:${CAPKIT_WARNINGS}>)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  if(CAPKIT_SANITIZE AND NOT WIN32)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=all
                                             -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

macro(capkit_add_googletest)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  if(WIN32)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  endif()
  if(CAPKIT_SANITIZE AND NOT WIN32)
    # gtest itself is built with the sanitizers so container checks line up
    add_compile_options(-fsanitize=address,undefined)
    add_link_options(-fsanitize=address,undefined)
  endif()
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(CAPKIT_SANITIZE AND NOT WIN32)
    # only gtest gets the directory-wide flags; our targets get them via capkit_target
    set_property(DIRECTORY PROPERTY COMPILE_OPTIONS "")
    set_property(DIRECTORY PROPERTY LINK_OPTIONS "")
  endif()
endmacro()

# A host unit test: capkit_host_test(NAME SOURCES a.cpp ... LIBS lib ...)
function(capkit_host_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  capkit_target(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES TIMEOUT 300 LABELS host)
endfunction()

# --- Windows side -----------------------------------------------------------

if(WIN32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CAPKIT_WINE_ARCH win64)
  else()
    set(CAPKIT_WINE_ARCH win32)
  endif()
  set(CAPKIT_WINE_STATE ${CMAKE_BINARY_DIR}/wine)
  set(CAPKIT_WINE_RUN ${PROJECT_SOURCE_DIR}/scripts/wine-run --state ${CAPKIT_WINE_STATE}
                      --arch ${CAPKIT_WINE_ARCH})
  # every Windows executable added with add_test runs through Wine
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CAPKIT_WINE_RUN} --timeout 280)
endif()

# One fresh prefix (and a virtual display when none is given) per test run.
function(capkit_add_wine_fixture)
  add_test(NAME wine_prefix_setup COMMAND ${CAPKIT_WINE_RUN} --setup)
  set_tests_properties(wine_prefix_setup PROPERTIES FIXTURES_SETUP wine TIMEOUT 400
                                                    SKIP_RETURN_CODE 77 LABELS wine)
  add_test(NAME wine_prefix_stop COMMAND ${CAPKIT_WINE_RUN} --stop)
  set_tests_properties(wine_prefix_stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 120
                                                   SKIP_RETURN_CODE 77 LABELS wine)
endfunction()

# A Windows test program run under Wine:
#   capkit_win_test(NAME SOURCES a.cpp ... LIBS lib ... [DEPENDS Pixlook ...])
# The programs under test are built into the same bin/ folder as the test.
function(capkit_win_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;DEPENDS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  capkit_target(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} capkit_testsupport GTest::gtest_main
                                        GTest::gmock)
  if(T_DEPENDS)
    add_dependencies(${name} ${T_DEPENDS})
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300
                                          SKIP_RETURN_CODE 77 LABELS wine)
endfunction()

# Version data and manifest for a shipped program:
#   capkit_program_info(TARGET FILE Pixlook.exe DESCRIPTION "..." [ADMIN] [MODERN_UI])
# ADMIN asks for administrator rights (the program writes to the INF store,
# HKEY_LOCAL_MACHINE or the device tree); MODERN_UI asks for common controls 6
# and declares the program DPI aware. The version comes from project().
function(capkit_program_info target)
  cmake_parse_arguments(PI "ADMIN;MODERN_UI" "FILE;DESCRIPTION" "" ${ARGN})
  set(CAPKIT_PI_NAME ${target})
  set(CAPKIT_PI_FILE ${PI_FILE})
  set(CAPKIT_PI_DESCRIPTION ${PI_DESCRIPTION})
  if(PI_ADMIN)
    set(CAPKIT_PI_LEVEL requireAdministrator)
  else()
    set(CAPKIT_PI_LEVEL asInvoker)
  endif()
  set(CAPKIT_PI_EXTRA "")
  if(PI_MODERN_UI)
    string(CONCAT CAPKIT_PI_EXTRA
      "  <dependency>\n    <dependentAssembly>\n"
      "      <assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" "
      "version=\"6.0.0.0\" processorArchitecture=\"*\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>\n"
      "    </dependentAssembly>\n  </dependency>\n"
      "  <application xmlns=\"urn:schemas-microsoft-com:asm.v3\">\n    <windowsSettings>\n"
      "      <dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>\n"
      "    </windowsSettings>\n  </application>")
  endif()
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_info)
  set(CAPKIT_PI_MANIFEST ${dir}/${target}.manifest)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/app.manifest.in ${CAPKIT_PI_MANIFEST} @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/program_info.rc.in ${dir}/program_info.rc @ONLY)
  target_sources(${target} PRIVATE ${dir}/program_info.rc)
endfunction()
