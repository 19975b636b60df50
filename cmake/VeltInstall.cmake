include(CMakePackageConfigHelpers)

install(TARGETS velthost veltbase veltlibrary veltutil
  EXPORT VeltUtilTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
# Headers under internal/ serve the libraries' own code only and stay out of the package.
install(DIRECTORY veltutil/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/veltutil
  FILES_MATCHING PATTERN "*.h" PATTERN "internal" EXCLUDE)

install(EXPORT VeltUtilTargets NAMESPACE VeltUtil:: FILE VeltUtilTargets.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/VeltUtil)
configure_package_config_file(cmake/VeltUtilConfig.cmake.in
  ${PROJECT_BINARY_DIR}/VeltUtilConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/VeltUtil)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/VeltUtilConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/VeltUtilConfig.cmake ${PROJECT_BINARY_DIR}/VeltUtilConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/VeltUtil)

# The pkg-config file finds the prefix from its own place, so an installed tree can move.
file(RELATIVE_PATH VELT_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(cmake/veltutil.pc.in ${PROJECT_BINARY_DIR}/veltutil.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/veltutil.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
