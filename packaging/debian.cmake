# The Debian package: `cpack -G DEB` in the build tree. dpkg-shlibdeps finds the libraries the
# binaries link (Qt, zlib, the C++ runtime); the Qt SQL drivers are plugins it cannot see, so
# they are named here.
# RELVANE_PACKAGE_MAINTAINER comes from packaging/CMakeLists.txt, which writes the changelog.

set(CPACK_PACKAGE_NAME relvane)
set(CPACK_PACKAGE_VENDOR "Relvane")
set(CPACK_PACKAGE_VERSION ${RELVANE_PACKAGE_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Chen-notation ER diagram editor with conversion to relations")
set(CPACK_PACKAGE_DESCRIPTION
    "Relvane is a desktop tool for teaching and practising database design. You\n"
    "draw a Chen-notation ER diagram (entities, weak entities, attributes,\n"
    "relationships with their participation) and convert it into a relational\n"
    "model: relations with primary and foreign keys, written as an .xlsx workbook\n"
    "or an SQL script. Projects are kept in an SQLite file or on a PostgreSQL\n"
    "server.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_CONTACT ${RELVANE_PACKAGE_MAINTAINER})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${RELVANE_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows, messages and pictures are in traditional Chinese by default: without a CJK font
# they show empty boxes, so one is a dependency, not a recommendation.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6sql6-sqlite, libqt6sql6-psql, fonts-noto-cjk | fonts-arphic-uming | fonts-wqy-zenhei")
# The spreadsheet opens with the desktop's program.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

include(CPack)
