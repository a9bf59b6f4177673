# SPDX-License-Identifier: GPL-3.0-or-later
# Installing Kolvane under one prefix as Debian's own programs are installed
# (programs in bin/, the printer module in lib/<multiarch>/kolvane/,
# everything else under share/: GNUInstallDirs' folders,
# which the top-level CMakeLists.txt includes), and the Debian package:
# `cpack -G DEB` in a build folder makes kolvane_<version>_<arch>.deb for
# /usr. Included at the end of the top-level CMakeLists.txt, once every
# target exists.

set(kolvane_app_id io.github.kolvane.Kolvane)
set(kolvane_resources ${PROJECT_SOURCE_DIR}/resources)

set(KOLVANE_MAINTAINER "Kolvane developers <kolvane@example.org>"
    CACHE STRING "Maintainer of the Debian package: name and e-mail address")

# Manual pages and the change log go in compressed, as Debian wants them.
function(kolvane_install_gzipped source destination)
  get_filename_component(name ${source} NAME)
  set(packed ${PROJECT_BINARY_DIR}/gzipped/${name}.gz)
  add_custom_command(OUTPUT ${packed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/gzipped
    COMMAND sh -c "gzip -9n < \"$1\" > \"$2\"" sh ${source} ${packed}
    DEPENDS ${source} VERBATIM)
  add_custom_target(kolvane_gzip_${name} ALL DEPENDS ${packed})
  install(FILES ${packed} DESTINATION ${destination})
endfunction()

# Debian names the folder of a package's documents after the package;
# GNUInstallDirs' DOCDIR would take the project's name, Kolvane.
set(kolvane_docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/kolvane)

foreach(program kolvane kolvane-tasks)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
if(TARGET kolvane)
  # The printer module is the program's own, loaded by it alone: a private
  # folder of the library folder, where the program looks for it.
  install(TARGETS kolvane-printer LIBRARY DESTINATION ${KOLVANE_INSTALL_MODULEDIR})
  install(FILES ${kolvane_resources}/kolvane.HLP DESTINATION ${CMAKE_INSTALL_DATADIR}/kolvane)
  install(FILES ${kolvane_resources}/${kolvane_app_id}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  configure_file(${kolvane_resources}/${kolvane_app_id}.metainfo.xml.in
                 ${PROJECT_BINARY_DIR}/${kolvane_app_id}.metainfo.xml @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${kolvane_app_id}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(DIRECTORY ${kolvane_resources}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
  install(FILES ${kolvane_resources}/${kolvane_app_id}.mime.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${kolvane_app_id}.xml)
  kolvane_install_gzipped(${kolvane_resources}/man/kolvane.1 ${CMAKE_INSTALL_MANDIR}/man1)
endif()
if(TARGET kolvane-tasks)
  kolvane_install_gzipped(${kolvane_resources}/man/kolvane-tasks.1 ${CMAKE_INSTALL_MANDIR}/man1)
endif()
install(FILES ${kolvane_resources}/copyright DESTINATION ${kolvane_docdir})
configure_file(${kolvane_resources}/changelog.in ${PROJECT_BINARY_DIR}/changelog @ONLY)
kolvane_install_gzipped(${PROJECT_BINARY_DIR}/changelog ${kolvane_docdir})

# ---- The Debian package ---------------------------------------------------

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kolvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${KOLVANE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KOLVANE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "find the rule that the machine hides (Danish teaching program)")
set(CPACK_PACKAGE_DESCRIPTION [=[
Kolvane is a Danish teaching program that trains inductive reasoning. A
machine hides a rule that maps two or three numbers from 1 to 9 to one
output; the pupil finds the rule by observing the machine, by experimenting
on a keypad and by a five-question check. Every step goes into a timed
activity log that can be printed or copied under the pupil's name.
.
Teachers write their own rules as formulas, save them in task files (*.kvn)
and load files of extra tasks. The companion kolvane-tasks tries rules and
makes task files on the command line.
.
The program and its guide are in Danish.]=])
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The libraries the programs link come from dpkg-shlibdeps; what the program
# loads at run time is named here: Qt's platform plugins (only recommended by
# the Qt libraries, yet without them no window opens), Qt's Danish texts and
# the metric twin of Courier New.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation2")
include(CPack)
