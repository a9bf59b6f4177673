# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the -posix
# compilers, whose std::thread and std::mutex work). The Qt, libjpeg-turbo and
# GoogleTest that the Windows build links are in KOLVANE_WINDOWS_DEPS, made by
# tools/build-windows-deps.sh; programs built for Windows run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)
# What the installation reads the DLLs that a program imports with.
set(CMAKE_OBJDUMP /usr/bin/${MINGW_TRIPLE}-objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND /usr/bin/${MINGW_TRIPLE}-objdump)

if(NOT KOLVANE_WINDOWS_DEPS)
  set(KOLVANE_WINDOWS_DEPS "${CMAKE_CURRENT_LIST_DIR}/../build-windows-deps")
endif()
get_filename_component(KOLVANE_WINDOWS_DEPS "${KOLVANE_WINDOWS_DEPS}" ABSOLUTE)
# try_compile projects see the toolchain file again; they need the prefix too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KOLVANE_WINDOWS_DEPS)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE} "${KOLVANE_WINDOWS_DEPS}")
set(CMAKE_PREFIX_PATH "${KOLVANE_WINDOWS_DEPS}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Debian's own Qt 6.4.2 tools (moc, rcc, uic) build the Windows Qt's sources.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# pkg-config finds the Windows libjpeg-turbo, never the Linux one.
set(ENV{PKG_CONFIG_LIBDIR} "${KOLVANE_WINDOWS_DEPS}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

# Windows programs run under Wine here: tests, their listing, try_run.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh;${KOLVANE_WINDOWS_DEPS}")
