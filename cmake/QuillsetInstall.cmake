# Install rules: the library, its headers, a CMake package (Quillset::quillset) and quillset.pc.
set(QUILLSET_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quillset)

install(TARGETS quillset EXPORT QuillsetTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/quillset
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT QuillsetTargets
  NAMESPACE Quillset::
  DESTINATION ${QUILLSET_CMAKE_DIR})

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/QuillsetConfig.cmake.in
  ${PROJECT_BINARY_DIR}/QuillsetConfig.cmake
  INSTALL_DESTINATION ${QUILLSET_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QuillsetConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${PROJECT_BINARY_DIR}/QuillsetConfig.cmake
  ${PROJECT_BINARY_DIR}/QuillsetConfigVersion.cmake
  DESTINATION ${QUILLSET_CMAKE_DIR})

# The .pc file locates the prefix relative to itself, so the package can be installed anywhere.
file(RELATIVE_PATH QUILLSET_PC_TO_PREFIX
  ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
configure_file(${CMAKE_CURRENT_LIST_DIR}/quillset.pc.in ${PROJECT_BINARY_DIR}/quillset.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/quillset.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# The bundled syntax files, where the tool looks for its default syntax.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/syntaxes/
  DESTINATION ${CMAKE_INSTALL_DATADIR}/quillset/syntaxes)
