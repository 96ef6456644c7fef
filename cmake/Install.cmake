# Installation (cmake --install build --prefix P): the command, the versioned
# report library, the headers a report class is written against, the CMake
# and pkg-config packages, the man page, docs and examples; and the Debian
# packages made from the same rules (cpack -G DEB): tarnel-report, the
# command and library, and tarnel-report-dev, what a plug-in is built with.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(TARNEL_DATADIR ${CMAKE_INSTALL_DATADIR}/tarnel)
set(TARNEL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/tarnel)
set(TARNEL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/TarnelEntity)
set(TARNEL_PACKAGE_DIR ${PROJECT_SOURCE_DIR}/cmake)

# The library, exported as Tarnel::Entity.
set_target_properties(TarnelEntity PROPERTIES EXPORT_NAME Entity)
target_include_directories(TarnelEntity INTERFACE $<INSTALL_INTERFACE:${TARNEL_INCLUDEDIR}>)
target_compile_features(TarnelEntity PUBLIC cxx_std_17)
install(TARGETS TarnelEntity EXPORT TarnelEntityTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime NAMELINK_COMPONENT Development)

# The public headers: the framework's contract types and the engine, kept in
# their folders so that they include each other unchanged.
file(GLOB TARNEL_FRAMEWORK_HEADERS CONFIGURE_DEPENDS framework/*.h)
install(FILES ${TARNEL_FRAMEWORK_HEADERS} DESTINATION ${TARNEL_INCLUDEDIR}/framework COMPONENT Development)
install(FILES engine/TarnelEntityReport.h engine/ReportRegistry.h engine/ConfigurationNeeds.h
        DESTINATION ${TARNEL_INCLUDEDIR}/engine COMPONENT Development)

# The command finds the library, and the demo scripts, relative to itself.
if(TARGET tarnel-report)
  file(RELATIVE_PATH TARNEL_BIN_TO_LIB /${CMAKE_INSTALL_BINDIR} /${CMAKE_INSTALL_LIBDIR})
  file(RELATIVE_PATH TARNEL_BIN_TO_EXAMPLES /${CMAKE_INSTALL_BINDIR} /${TARNEL_DATADIR}/examples)
  set_target_properties(tarnel-report PROPERTIES INSTALL_RPATH "$ORIGIN/${TARNEL_BIN_TO_LIB}")
  target_compile_definitions(tarnel_host PRIVATE TARNEL_INSTALLED_EXAMPLES="${TARNEL_BIN_TO_EXAMPLES}")
  install(TARGETS tarnel-report RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
endif()

# find_package(TarnelEntity 1.0): any 1.x library builds a 1.0 plug-in.
install(EXPORT TarnelEntityTargets NAMESPACE Tarnel:: DESTINATION ${TARNEL_CMAKEDIR}
        COMPONENT Development)
configure_package_config_file(${TARNEL_PACKAGE_DIR}/TarnelEntityConfig.cmake.in
                              TarnelEntityConfig.cmake INSTALL_DESTINATION ${TARNEL_CMAKEDIR})
write_basic_package_version_file(TarnelEntityConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/TarnelEntityConfig.cmake
              ${PROJECT_BINARY_DIR}/TarnelEntityConfigVersion.cmake
        DESTINATION ${TARNEL_CMAKEDIR} COMPONENT Development)

# pkg-config, relocatable: the prefix is found from the .pc file's folder.
file(RELATIVE_PATH TARNEL_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" TARNEL_PC_TO_PREFIX "${TARNEL_PC_TO_PREFIX}")
configure_file(${TARNEL_PACKAGE_DIR}/tarnel-entity.pc.in tarnel-entity.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/tarnel-entity.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
        COMPONENT Development)

# Docs and examples; the out-of-tree plug-in goes with the headers.
install(FILES README.md DESTINATION ${TARNEL_DATADIR} COMPONENT Runtime)
install(DIRECTORY docs/ DESTINATION ${TARNEL_DATADIR}/docs COMPONENT Runtime
        PATTERN "*.h2m" EXCLUDE)
install(DIRECTORY examples/ DESTINATION ${TARNEL_DATADIR}/examples COMPONENT Runtime
        PATTERN plugin EXCLUDE)
install(DIRECTORY examples/plugin DESTINATION ${TARNEL_DATADIR}/examples COMPONENT Development)

# The man page, made from the command's own --help.
find_program(HELP2MAN help2man)
if(TARGET tarnel-report AND HELP2MAN)
  add_custom_command(OUTPUT tarnel-report.1
    COMMAND ${HELP2MAN} --no-info --name "configuration reports over a cellular network database"
            --include ${PROJECT_SOURCE_DIR}/docs/tarnel-report.h2m --output tarnel-report.1
            $<TARGET_FILE:tarnel-report>
    DEPENDS tarnel-report ${PROJECT_SOURCE_DIR}/docs/tarnel-report.h2m VERBATIM)
  add_custom_target(tarnel_man_page ALL DEPENDS tarnel-report.1)
  install(FILES ${PROJECT_BINARY_DIR}/tarnel-report.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
          COMPONENT Runtime)
elseif(TARGET tarnel-report)
  message(WARNING "help2man not found: no man page is built or installed (scripts/setup.sh installs it)")
endif()

# Debian packages: dependencies from the libraries the binaries link
# (dpkg-shlibdeps); libpq is loaded only when a server is used, so it is
# recommended rather than required.
set(CPACK_PACKAGE_NAME tarnel-report)
set(CPACK_PACKAGE_VENDOR "tarnel-report")
set(CPACK_PACKAGE_CONTACT "tarnel-report maintainers <maintainers@tarnel-report.invalid>")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_COMPONENTS_ALL Runtime Development)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME tarnel-report)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "configuration reports over a cellular network database
The tarnel-report command and libTarnelEntity, its library of report classes, with the docs, \
example configurations, demo network and man page.")
if(TARNEL_POSTGRES)
  set(CPACK_DEBIAN_RUNTIME_PACKAGE_RECOMMENDS libpq5)
endif()
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME tarnel-report-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "tarnel-report (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "headers and packages to write report plug-ins for tarnel-report
The framework and engine headers, the CMake package TarnelEntity (Tarnel::Entity), \
the pkg-config file tarnel-entity and an example plug-in.")
include(CPack)
