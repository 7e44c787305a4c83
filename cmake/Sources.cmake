# Source files are sorted by their names: *_win32.cpp belong to the windows
# build only, *_posix.cpp to the native build only, everything else is the
# portable core that both builds compile. main_win32.cpp is the program entry.
file(GLOB_RECURSE _all_sources CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/app/*.cpp
  ${CMAKE_SOURCE_DIR}/clipwatch/*.cpp
  ${CMAKE_SOURCE_DIR}/store/*.cpp
  ${CMAKE_SOURCE_DIR}/core/*.cpp
  ${CMAKE_SOURCE_DIR}/scrapbook/*.cpp
  ${CMAKE_SOURCE_DIR}/dib/*.cpp
  ${CMAKE_SOURCE_DIR}/platform/*.cpp)

set(LUMERET_CORE_SOURCES)
set(LUMERET_WIN32_SOURCES)
set(LUMERET_POSIX_SOURCES)
foreach(_src IN LISTS _all_sources)
  if(_src MATCHES "/main_win32\\.cpp$")
    continue()
  elseif(_src MATCHES "_win32\\.cpp$")
    list(APPEND LUMERET_WIN32_SOURCES ${_src})
  elseif(_src MATCHES "_posix\\.cpp$")
    list(APPEND LUMERET_POSIX_SOURCES ${_src})
  else()
    list(APPEND LUMERET_CORE_SOURCES ${_src})
  endif()
endforeach()
