# The Debian package, made by `cpack -G DEB` in a tree configured with
# -DTARNWICK_DEBIAN_PACKAGE=ON (scripts/package.sh does both). Its Depends
# come from the binaries through dpkg-shlibdeps; Qt's platform plugins are a
# plugin, not a linked library, so they are named by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tarnwick developers")
set(CPACK_PACKAGE_CONTACT "The Tarnwick developers <maintainers@tarnwick.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for small vector icons, exported in every size")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tarnwick.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
file(READ ${PROJECT_SOURCE_DIR}/data/debian/description CPACK_DEBIAN_PACKAGE_DESCRIPTION)
include(CPack)

if(TARNWICK_DEBIAN_PACKAGE)
  # Every package carries its copyright and, compressed, its changelog.
  set(docdir ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
  execute_process(COMMAND date -R -u -d "${TARNWICK_RELEASE_DATE} 12:00"
                  OUTPUT_VARIABLE TARNWICK_RELEASE_TIME OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  set(changelog ${PROJECT_BINARY_DIR}/changelog)
  configure_file(${PROJECT_SOURCE_DIR}/data/debian/changelog.in ${changelog} @ONLY)
  add_custom_command(OUTPUT ${changelog}.gz COMMAND gzip -9nf -k ${changelog} DEPENDS ${changelog})
  add_custom_target(tarnwick_changelog ALL DEPENDS ${changelog}.gz)
  install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright ${changelog}.gz DESTINATION ${docdir})
endif()
