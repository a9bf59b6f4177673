# SPDX-License-Identifier: GPL-3.0-or-later
# Installing Kolvane on Windows as Windows programs are installed: everything
# in one folder (Kolvane.exe, kolvane-tasks.exe, the guide, Qt's DLLs and
# plugins, Qt's Danish texts, the MinGW runtime), and the packages of that
# folder: `cpack` in the Windows build folder makes the installer
# Kolvane-<version>-win64.exe (NSIS) and the zip Kolvane-<version>-win64.zip.
# Included at the end of the top-level CMakeLists.txt, once every target
# exists.

set(kolvane_resources ${PROJECT_SOURCE_DIR}/resources)
set(kolvane_deps ${KOLVANE_WINDOWS_DEPS})

if(TARGET kolvane)
  # Every DLL the programs load, found by reading their imports: Qt's and
  # the MinGW runtime, never the system's own.
  install(TARGETS kolvane kolvane-tasks RUNTIME_DEPENDENCY_SET kolvane_dlls RUNTIME DESTINATION .)
  install(RUNTIME_DEPENDENCY_SET kolvane_dlls DESTINATION .
    PRE_INCLUDE_REGEXES "^[Qq]t6" "^libstdc\\+\\+" "^libgcc_s" "^libwinpthread"
    PRE_EXCLUDE_REGEXES ".*"
    DIRECTORIES ${kolvane_deps}/bin /usr/lib/gcc/x86_64-w64-mingw32/12-posix
                /usr/x86_64-w64-mingw32/lib)
  # The plugins Qt loads by name: the Windows platform and styles. Their
  # own DLLs are Qt's, installed above.
  install(FILES ${kolvane_deps}/plugins/platforms/qwindows.dll DESTINATION platforms)
  install(FILES ${kolvane_deps}/plugins/styles/qwindowsvistastyle.dll DESTINATION styles)
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
set(CPACK_NSIS_DEFINES "RequestExecutionLevel admin")
set(CPACK_NSIS_PACKAGE_NAME Kolvane)
set(CPACK_NSIS_DISPLAY_NAME Kolvane)
set(CPACK_PACKAGE_EXECUTABLES Kolvane Kolvane)
set(CPACK_NSIS_INSTALLED_ICON_NAME Kolvane.exe)
set(CPACK_NSIS_MUI_ICON ${kolvane_resources}/kolvane.ico)
set(CPACK_NSIS_MUI_UNIICON ${kolvane_resources}/kolvane.ico)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# Task files (.kvn) open with Kolvane; the uninstaller takes the
# association away again, and the folder with it.
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
]=])
include(CPack)
