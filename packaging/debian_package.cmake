# The Debian package, written by CPack's DEB generator from the install rules:
#   cmake --preset release && cmake --build --preset release && cpack --preset release
# gives build/release/pictavo_<version>_amd64.deb. pictavo-mkflash is a
# development tool and is not installed, so it stays out.

# The changelog's newest entry names the version the package is built as.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^pictavo \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog has no entry for version ${PROJECT_VERSION} at the top")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pictavo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Pictavo developers")
set(CPACK_PACKAGE_CONTACT "Pictavo developers <pictavo@example.org>")
# The project, not a person, looks after the package.
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Pictavo developers <pictavo@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
# The install rules write files that name the prefix (the settings a new user
# starts from, the desktop entry): they must name /usr, not the staging folder.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Opening the association and the MIME type from the window runs these.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "editor for the pictures in Siemens SGold and New-SGold firmware
Pictavo opens a fullflash (an image of a phone's whole flash memory), lists
every picture of the firmware's picture table, previews each one, exports
pictures as BMP, PNG, GPF or GPF2, and turns replacement pictures into a VKP
text patch for an outside patcher. The fullflash itself is never written.
.
The package holds the window (pictavo), the same commands without a window
(pictavo-cli) and the PNG converter the two run (pictavo-convert).")

include(CPack)
