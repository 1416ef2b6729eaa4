# Every third-party dependency is found here, from the distribution's packages, so that a
# missing one stops the configuration with its package name instead of a link error later.
include(FeatureSummary)

set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC OFF)

find_package(Qt6 6.4 REQUIRED COMPONENTS Core Gui Widgets Test Network Svg)
set_package_properties(Qt6 PROPERTIES DESCRIPTION "Qt 6 (Debian: qt6-base-dev, qt6-svg-dev)" TYPE REQUIRED)

find_package(PkgConfig REQUIRED)
pkg_check_modules(SQLCIPHER REQUIRED IMPORTED_TARGET sqlcipher)

find_package(LibXml2 2.9 REQUIRED)
set_package_properties(LibXml2 PROPERTIES DESCRIPTION "libxml2 (Debian: libxml2-dev)" TYPE REQUIRED)
find_package(CURL 7.74 REQUIRED)
set_package_properties(CURL PROPERTIES DESCRIPTION "libcurl on OpenSSL (Debian: libcurl4-openssl-dev)" TYPE REQUIRED)
# Debian's libzip CMake package names command-line tools that libzip-dev does not install,
# so libzip is found through pkg-config.
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip>=1.7)
find_package(ZLIB REQUIRED)
set_package_properties(ZLIB PROPERTIES DESCRIPTION "zlib (Debian: zlib1g-dev)" TYPE REQUIRED)
find_package(OpenSSL 3 REQUIRED)
set_package_properties(OpenSSL PROPERTIES DESCRIPTION "OpenSSL (Debian: libssl-dev)" TYPE REQUIRED)
find_package(nlohmann_json 3.11 REQUIRED)
set_package_properties(nlohmann_json PROPERTIES DESCRIPTION "JSON for Modern C++ (Debian: nlohmann-json3-dev)" TYPE REQUIRED)

feature_summary(WHAT REQUIRED_PACKAGES_NOT_FOUND FATAL_ON_MISSING_REQUIRED_PACKAGES)
