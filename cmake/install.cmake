# What `cmake --install` puts in place and what `cpack -G DEB` packs, in three components:
#   runtime   the versioned shared library
#   dev       the public headers, the CMake package (find_package(Datewell)) and the pkg-config file
#   designer  the Qt Designer plugin (added by designer/)
# Internal headers (src/) are never installed.
include(CMakePackageConfigHelpers)

set(DATEWELL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Datewell)

install(TARGETS datewell_widgets EXPORT DatewellTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/include/datewell/export.h
              ${CMAKE_CURRENT_SOURCE_DIR}/include/datewell/hosterror.h
              ${CMAKE_CURRENT_SOURCE_DIR}/include/datewell/qtdatewell.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/datewell COMPONENT dev)
install(EXPORT DatewellTargets NAMESPACE Datewell:: DESTINATION ${DATEWELL_CMAKE_DIR}
        COMPONENT dev)

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/DatewellConfig.cmake.in
                              ${CMAKE_CURRENT_BINARY_DIR}/DatewellConfig.cmake
                              INSTALL_DESTINATION ${DATEWELL_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/DatewellConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/DatewellConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/DatewellConfigVersion.cmake
        DESTINATION ${DATEWELL_CMAKE_DIR} COMPONENT dev)

# The pkg-config file finds its prefix from where it lies, so one file serves every prefix.
file(RELATIVE_PATH DATEWELL_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" DATEWELL_PC_TO_PREFIX "${DATEWELL_PC_TO_PREFIX}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/datewell-widgets.pc.in
               ${CMAKE_CURRENT_BINARY_DIR}/datewell-widgets.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/datewell-widgets.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)

# Debian packages, one per component.
set(CPACK_PACKAGE_NAME datewell)
set(CPACK_PACKAGE_VENDOR "Datewell developers")
set(CPACK_PACKAGE_CONTACT "Datewell developers <datewell@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL runtime dev)
if(TARGET datewell_designer)
  list(APPEND CPACK_COMPONENTS_ALL designer)
endif()
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Designer plugin needs the library of the runtime package, found in the build tree.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR})
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libdatewell-widgets${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_DEV_PACKAGE_NAME libdatewell-widgets-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "qt6-base-dev (>= 6.2)")
set(CPACK_DEBIAN_DESIGNER_PACKAGE_NAME datewell-designer-plugin)
set(CPACK_DEBIAN_DESIGNER_PACKAGE_SECTION devel)
include(CPack)
cpack_add_component(runtime DISPLAY_NAME "Datewell widgets library"
                    DESCRIPTION "The Datewell date-entry control for Qt 6 Widgets applications")
cpack_add_component(dev DISPLAY_NAME "Datewell development files" DEPENDS runtime
                    DESCRIPTION "Headers, CMake package and pkg-config file")
cpack_add_component(designer DISPLAY_NAME "Datewell Qt Designer plugin" DEPENDS runtime
                    DESCRIPTION "The Datewell control in Qt Designer's widget box")
