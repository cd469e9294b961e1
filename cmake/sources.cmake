# Plug-in sources are picked up per subsystem folder. A file ending in
# _win32.cpp belongs only to the Windows DLL; _posix.cpp and _headless.cpp only
# to the native build.
function(qmt_collect_plugin_sources out)
  set(all "")
  foreach(dir host toolchain operations playback strips timeline resources)
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND all ${found})
  endforeach()
  if(WIN32)
    list(FILTER all EXCLUDE REGEX "_(posix|headless)\\.cpp$")
    file(GLOB plat CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/win32/*.cpp)
  else()
    list(FILTER all EXCLUDE REGEX "_win32\\.cpp$")
    file(GLOB plat CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/posix/*.cpp)
  endif()
  list(APPEND all ${plat})
  set(${out} ${all} PARENT_SCOPE)
endfunction()
