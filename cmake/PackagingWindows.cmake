# SPDX-License-Identifier: GPL-3.0-or-later
# Installing Kolvane on Windows as Windows programs are installed: everything
# in one folder (Kolvane.exe, kolvane-tasks.exe, the printer module
# kolvane-printer.dll, the guide, Qt's DLLs and plugins, Qt's Danish texts,
# the MinGW runtime), and the packages of that folder: `cpack` in the Windows build folder makes the installer
# Kolvane-<version>-win64.exe (NSIS) and the zip Kolvane-<version>-win64.zip.
# Included at the end of the top-level CMakeLists.txt, once every target
# exists.

set(kolvane_resources ${PROJECT_SOURCE_DIR}/resources)
set(kolvane_deps ${KOLVANE_WINDOWS_DEPS})

if(TARGET kolvane)
  install(TARGETS kolvane kolvane-tasks RUNTIME DESTINATION .)
  # The printer module lies beside the program, where it looks first.
  install(TARGETS kolvane-printer LIBRARY DESTINATION .)
  # The plugins Qt loads by name: the Windows platform and styles.
  set(kolvane_plugins ${kolvane_deps}/plugins/platforms/qwindows.dll
                      ${kolvane_deps}/plugins/styles/qwindowsvistastyle.dll)
  install(FILES ${kolvane_deps}/plugins/platforms/qwindows.dll DESTINATION platforms)
  install(FILES ${kolvane_deps}/plugins/styles/qwindowsvistastyle.dll DESTINATION styles)
  # Every DLL that the programs, the printer module and the plugins load,
  # found by reading their imports: Qt's and the MinGW runtime's.
  install(CODE "
    set(kolvane_binaries [[$<TARGET_FILE:kolvane>;$<TARGET_FILE:kolvane-tasks>;$<TARGET_FILE:kolvane-printer>;${kolvane_plugins}]])
    set(kolvane_dll_folders [[${kolvane_deps}/bin;/usr/lib/gcc/x86_64-w64-mingw32/12-posix;/usr/x86_64-w64-mingw32/lib]])
    set(kolvane_lookup [[${PROJECT_BINARY_DIR}/dll-lookup]])
    set(kolvane_strip [[${CMAKE_STRIP}]])")
  install(SCRIPT ${PROJECT_SOURCE_DIR}/cmake/InstallWindowsDlls.cmake)
  # Qt's Danish dialog texts, and where Qt finds its files: in the folder of
  # the program, wherever that is installed.
  install(FILES ${kolvane_deps}/translations/qtbase_da.qm DESTINATION translations)
  file(WRITE ${PROJECT_BINARY_DIR}/qt.conf "[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n")
  install(FILES ${PROJECT_BINARY_DIR}/qt.conf DESTINATION .)
  install(FILES ${kolvane_resources}/kolvane.HLP DESTINATION .)
elseif(TARGET kolvane-tasks)
  install(TARGETS kolvane-tasks RUNTIME DESTINATION .)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

# ---- The installer and the zip --------------------------------------------

set(CPACK_GENERATOR NSIS ZIP)
# The NSIS commands below hold backslashes and quotes: passed on as written.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME Kolvane)
set(CPACK_PACKAGE_VENDOR "Kolvane developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Kolvane-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Find reglen bag maskinen")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Kolvane)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Kolvane)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
# The zip holds the folder itself, for schools that copy it instead.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)

# For all users, in Program Files, with a Start-menu entry "Kolvane".
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
# A 64-bit installer for a 64-bit program (NSIS's amd64 stubs): it writes
# the 64-bit registry and Program Files as the program reads them, and runs
# where the program runs, Wine's 64-bit loader included. The template asks
# for administrator rights already.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_NSIS_PACKAGE_NAME Kolvane)
set(CPACK_NSIS_DISPLAY_NAME Kolvane)
set(CPACK_PACKAGE_EXECUTABLES Kolvane Kolvane)
set(CPACK_NSIS_INSTALLED_ICON_NAME Kolvane.exe)
set(CPACK_NSIS_MUI_ICON ${kolvane_resources}/kolvane.ico)
set(CPACK_NSIS_MUI_UNIICON ${kolvane_resources}/kolvane.ico)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# Task files (.kvn) open with Kolvane; the uninstaller takes the
# association away again, the folder with it, and the user's empty journal
# folder.
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS [=[
  SetShellVarContext all
  WriteRegStr HKLM "Software\Classes\.kvn" "" "Kolvane.Opgavefil"
  WriteRegStr HKLM "Software\Classes\Kolvane.Opgavefil" "" "Kolvane-opgavefil"
  WriteRegStr HKLM "Software\Classes\Kolvane.Opgavefil\DefaultIcon" "" "$INSTDIR\Kolvane.exe,0"
  WriteRegStr HKLM "Software\Classes\Kolvane.Opgavefil\shell\open\command" "" '"$INSTDIR\Kolvane.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
]=])
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [=[
  SetShellVarContext all
  ReadRegStr $0 HKLM "Software\Classes\.kvn" ""
  StrCmp $0 "Kolvane.Opgavefil" 0 +2
  DeleteRegKey HKLM "Software\Classes\.kvn"
  DeleteRegKey HKLM "Software\Classes\Kolvane.Opgavefil"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  RMDir "$INSTDIR"
  ; The lesson journal's folder of the user who uninstalls, when it is
  ; empty: a lesson that was never finished stays.
  SetShellVarContext current
  RMDir "$LOCALAPPDATA\Kolvane"
  SetShellVarContext all
]=])
include(CPack)
