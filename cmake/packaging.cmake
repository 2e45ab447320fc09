# Installation and packages. The product's version is the project's (CMakeLists.txt); it reaches
# the programs' --help, the package metadata and the Windows installer from here.
#   Linux (preset release):           cpack -> halven-tester-pc_<version>_amd64.deb
#   Windows (preset windows-release): cpack -> halven-tester-pc-<version>-win64.zip,
#                                     target installer -> halven-tester-pc-<version>-setup.exe
# scripts/package.sh builds all three.
set(HALVEN_PACKAGE_NAME halven-tester-pc)
set(HALVEN_PRODUCT_NAME "Halven tester PC suite")
set(HALVEN_VENDOR "Halven")

set_source_files_properties(quillink/help_text.cpp viewer/morvane_options.cpp PROPERTIES
  COMPILE_DEFINITIONS HALVEN_VERSION="${PROJECT_VERSION}")

if(WIN32)
  # The version resource of each .exe (resources/version_info.rc) reads the same version.
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/halven_version.h CONTENT
"#define HALVEN_VERSION_MAJOR ${PROJECT_VERSION_MAJOR}
#define HALVEN_VERSION_MINOR ${PROJECT_VERSION_MINOR}
#define HALVEN_VERSION_PATCH ${PROJECT_VERSION_PATCH}
#define HALVEN_VERSION_TEXT \"${PROJECT_VERSION}\"
#define HALVEN_PRODUCT_TEXT \"${HALVEN_PRODUCT_NAME}\"
#define HALVEN_VENDOR_TEXT \"${HALVEN_VENDOR}\"
")
  target_sources(testersim PRIVATE ${CMAKE_SOURCE_DIR}/resources/testersim.rc)
  foreach(program morvane quillink testersim)
    target_include_directories(${program} PRIVATE ${CMAKE_BINARY_DIR}/generated
                               ${CMAKE_SOURCE_DIR}/resources)
  endforeach()
endif()

set(CPACK_PACKAGE_NAME ${HALVEN_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR ${HALVEN_VENDOR})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "PC software for the Halven handheld field-bus cabling tester")
set(CPACK_PACKAGE_DESCRIPTION
  "Morvane fetches the results kept in the Halven handheld tester of two-wire
field-bus cabling through the communication tool Quillink and writes them as a
report in German, English or French: a text report, a web page (HTML), data
(JSON) or a table (CSV). Every upload is kept in an archive, from which reports
are made again without the tester. Quillink also sends configuration images and
firmware to the tester. testersim makes simulated testers for a first try
without the device.")
set(CPACK_PACKAGE_CONTACT "Halven tester support <support@halven.example>")

if(WIN32)
  # The portable zip: one folder, the programs side by side as the installer lays them out.
  install(TARGETS morvane quillink testersim testerplan RUNTIME DESTINATION .)
  install(FILES ${CMAKE_SOURCE_DIR}/samples/TransfertVersTR.zel
                ${CMAKE_SOURCE_DIR}/samples/TransfertVersTR.toml DESTINATION Samples)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/windows/ReadMe.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME ${HALVEN_PACKAGE_NAME}-${PROJECT_VERSION}-win64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)

  find_program(MAKENSIS makensis)
  if(MAKENSIS)
    set(installer ${CMAKE_BINARY_DIR}/${HALVEN_PACKAGE_NAME}-${PROJECT_VERSION}-setup.exe)
    add_custom_command(OUTPUT ${installer}
      COMMAND ${MAKENSIS} -V2 -NOCD
              "-DPRODUCT_NAME=${HALVEN_PRODUCT_NAME}" "-DPRODUCT_VERSION=${PROJECT_VERSION}"
              "-DPUBLISHER=${HALVEN_VENDOR}" "-DPROGRAM_DIR=$<TARGET_FILE_DIR:morvane>"
              "-DSAMPLE_DIR=${CMAKE_SOURCE_DIR}/samples" "-DOUTFILE=${installer}"
              ${CMAKE_SOURCE_DIR}/packaging/windows/installer.nsi
      DEPENDS morvane quillink testersim testerplan ${CMAKE_SOURCE_DIR}/packaging/windows/installer.nsi
              ${CMAKE_SOURCE_DIR}/samples/TransfertVersTR.zel ${CMAKE_SOURCE_DIR}/samples/TransfertVersTR.toml
      WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}/packaging/windows
      COMMENT "Windows installer ${installer}")
    add_custom_target(installer DEPENDS ${installer})
  endif()
else()
  include(GNUInstallDirs)
  set(doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/${HALVEN_PACKAGE_NAME})
  install(TARGETS morvane quillink testersim testerplan RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES packaging/debian/morvane.desktop
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
  install(FILES packaging/debian/copyright docs/configuration-plan.md DESTINATION ${doc_dir})
  install(FILES samples/TransfertVersTR.zel samples/TransfertVersTR.toml
          DESTINATION ${doc_dir}/examples)

  # The desktop entry's icon: the 32-pixel image of Morvane's own icon resource.
  find_program(ICOTOOL icotool REQUIRED)
  set(icon ${CMAKE_BINARY_DIR}/icons/morvane.png)
  add_custom_command(OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons
    COMMAND ${ICOTOOL} -x -w 32 -h 32 -o ${icon} ${CMAKE_SOURCE_DIR}/resources/morvane.ico
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/morvane.ico
    COMMENT "Desktop icon morvane.png")
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/32x32/apps)

  # Manual pages from each program's --help, and the compressed changelog Debian asks of a native package.
  find_program(HELP2MAN help2man)
  find_program(GZIP gzip REQUIRED)
  set(generated ${icon})
  if(HELP2MAN)
    set(summary_morvane "fetch the results of the Halven tester and write a report")
    set(summary_quillink "communication tool of the Halven tester")
    set(summary_testersim "create, fill and inspect simulated Halven testers")
    set(summary_testerplan "Halven tester configurations as readable text")
    set(programs morvane quillink testersim testerplan)
    foreach(program ${programs})
      # SEE ALSO names the two other pages; testersim, whose help has no usage line help2man
      # reads, gets its SYNOPSIS and exit statuses from its own file.
      set(others ${programs})
      list(REMOVE_ITEM others ${program})
      list(TRANSFORM others PREPEND ".BR ")
      list(TRANSFORM others APPEND " (1)")
      list(JOIN others ",\n" see_also)
      set(see_also_file ${CMAKE_BINARY_DIR}/man/${program}_see_also.h2m)
      file(CONFIGURE OUTPUT ${see_also_file} CONTENT "[SEE ALSO]\n${see_also}\n")
      set(includes --include=${CMAKE_SOURCE_DIR}/packaging/debian/man.h2m --include=${see_also_file})
      set(include_files ${CMAKE_SOURCE_DIR}/packaging/debian/man.h2m)
      if(EXISTS ${CMAKE_SOURCE_DIR}/packaging/debian/${program}.h2m)
        list(APPEND includes --include=${CMAKE_SOURCE_DIR}/packaging/debian/${program}.h2m)
        list(APPEND include_files ${CMAKE_SOURCE_DIR}/packaging/debian/${program}.h2m)
      endif()
      set(page ${CMAKE_BINARY_DIR}/man/${program}.1.gz)
      add_custom_command(OUTPUT ${page}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
        COMMAND ${HELP2MAN} --no-info --no-discard-stderr
                "--version-string=${PROJECT_VERSION}" "--name=${summary_${program}}"
                "--source=${HALVEN_PRODUCT_NAME}" ${includes}
                --output=${CMAKE_BINARY_DIR}/man/${program}.1 $<TARGET_FILE:${program}>
        COMMAND ${GZIP} -9nf ${CMAKE_BINARY_DIR}/man/${program}.1
        DEPENDS ${program} ${include_files} ${see_also_file}
        COMMENT "Manual page ${program}.1")
      list(APPEND generated ${page})
      install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endforeach()
  endif()
  set(changelog ${CMAKE_BINARY_DIR}/changelog.gz)
  add_custom_command(OUTPUT ${changelog}
    COMMAND ${GZIP} -9nc ${CMAKE_SOURCE_DIR}/packaging/debian/changelog > ${changelog}
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/debian/changelog)
  list(APPEND generated ${changelog})
  install(FILES ${changelog} DESTINATION ${doc_dir})
  add_custom_target(manpages DEPENDS ${generated})

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://halven.example/tester")
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
  set(CPACK_STRIP_FILES ON)
endif()

include(CPack)
