# The Debian package: `cpack -G DEB` in a Release build directory.
set(ARF_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/${ARF_PROGRAM})
install(FILES LICENSE DESTINATION ${ARF_DOC_DIR} RENAME copyright)

# Debian wants these compressed at the highest level and without a
# timestamp, so that two builds give the same files.
foreach(doc changelog:${ARF_DOC_DIR} addressrangefinder.1:${CMAKE_INSTALL_MANDIR}/man1)
  string(REPLACE ":" ";" doc ${doc})
  list(GET doc 0 name)
  list(GET doc 1 destination)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${name})
  execute_process(COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/${name}
    OUTPUT_FILE ${PROJECT_BINARY_DIR}/${name}.gz COMMAND_ERROR_IS_FATAL ANY)
  install(FILES ${PROJECT_BINARY_DIR}/${name}.gz DESTINATION ${destination})
endforeach()

set(CPACK_PACKAGE_NAME ${ARF_PROGRAM})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "lowest and highest address of a 24-bit address pattern")
set(CPACK_PACKAGE_DESCRIPTION "Set each of 24 address bits to 0, 1 or X (free) by clicking its cell; the
window shows, in hexadecimal, the lowest and the highest address that the
pattern admits. Bits can be numbered the usual way or the PIC 18F way.")
set(CPACK_PACKAGE_CONTACT "The ${ARF_PRODUCT_NAME} developers <developers@${ARF_PROGRAM}.org>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Without it the program still runs on X11 and under XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
