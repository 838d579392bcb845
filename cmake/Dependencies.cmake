# Third-party packages, found once for every module.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets Network DBus Test)
pkg_check_modules(GST REQUIRED IMPORTED_TARGET gstreamer-1.0 gstreamer-base-1.0
                  gstreamer-audio-1.0 gstreamer-video-1.0 gstreamer-app-1.0
                  gstreamer-pbutils-1.0)
pkg_check_modules(YUV IMPORTED_TARGET libyuv)
if(NOT YUV_FOUND)
  # Debian's libyuv-dev ships no pkg-config file on every release.
  find_library(YUV_LIBRARY yuv REQUIRED)
  add_library(PkgConfig::YUV UNKNOWN IMPORTED)
  set_target_properties(PkgConfig::YUV PROPERTIES IMPORTED_LOCATION ${YUV_LIBRARY})
endif()
pkg_check_modules(XRANDR IMPORTED_TARGET xrandr x11)
if(TARVELINO_TESTS)
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()
