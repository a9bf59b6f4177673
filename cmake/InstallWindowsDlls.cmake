# SPDX-License-Identifier: GPL-3.0-or-later
# Installs, beside the programs, every DLL that they and the plugins load:
# Qt's and the MinGW runtime's, never Windows' own. Run at installation
# (install(SCRIPT) in PackagingWindows.cmake), with
#   kolvane_binaries    the programs and the plugins, whose imports are read
#   kolvane_dll_folders where Qt's and MinGW's DLLs are
#   kolvane_lookup      a folder of the build's own for the lookup below
#   kolvane_strip       the strip program, used when the installation strips
#
# Windows compares DLL names without case, and so does CMake's reader of the
# imports: it looks for "qt6core.dll" where the file is Qt6Core.dll, which a
# Linux disk does not find. The lookup folder names every DLL in lower case
# (a link to the real file), so that the reader finds each one and follows
# its imports in turn.

file(REMOVE_RECURSE "${kolvane_lookup}")
file(MAKE_DIRECTORY "${kolvane_lookup}")
foreach(folder IN LISTS kolvane_dll_folders)
  file(GLOB dlls LIST_DIRECTORIES false "${folder}/*.dll")
  foreach(dll IN LISTS dlls)
    get_filename_component(name "${dll}" NAME)
    string(TOLOWER "${name}" lower)
    if(NOT EXISTS "${kolvane_lookup}/${lower}")
      file(CREATE_LINK "${dll}" "${kolvane_lookup}/${lower}" SYMBOLIC)
    endif()
  endforeach()
endforeach()

file(GET_RUNTIME_DEPENDENCIES
  LIBRARIES ${kolvane_binaries}
  RESOLVED_DEPENDENCIES_VAR resolved
  UNRESOLVED_DEPENDENCIES_VAR unresolved
  PRE_INCLUDE_REGEXES "^qt6" "^libstdc\\+\\+" "^libgcc_s" "^libwinpthread"
  PRE_EXCLUDE_REGEXES ".*"
  DIRECTORIES "${kolvane_lookup}")
if(unresolved)
  message(FATAL_ERROR "No DLL found for: ${unresolved}")
endif()

foreach(link IN LISTS resolved)
  file(REAL_PATH "${link}" dll)
  file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}" TYPE SHARED_LIBRARY FILES "${dll}")
  if(CMAKE_INSTALL_DO_STRIP AND kolvane_strip)
    get_filename_component(name "${dll}" NAME)
    execute_process(COMMAND "${kolvane_strip}" --strip-unneeded "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${name}"
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
