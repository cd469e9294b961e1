# The Windows DLL: export table from a .def file, the about-box resources, and
# a statically linked runtime so the host (and Wine) needs no MinGW DLLs.
enable_language(RC)

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(QMT_DEF_FILE ${CMAKE_SOURCE_DIR}/host/quillmont_i686.def)
else()
  set(QMT_DEF_FILE ${CMAKE_SOURCE_DIR}/host/quillmont_x86_64.def)
endif()

file(GLOB QMT_RC_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.rc)
target_sources(quillmont PRIVATE ${QMT_RC_SOURCES})

# The about box's pictures and the icon are drawn at build time by a small
# program built with the machine's own compiler.
find_program(QMT_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
set(QMT_ART_DIR ${CMAKE_BINARY_DIR}/art)
set(QMT_ART_FILES ${QMT_ART_DIR}/about_logo.bmp ${QMT_ART_DIR}/about_powered.bmp
                  ${QMT_ART_DIR}/editor_logo.bmp ${QMT_ART_DIR}/quillmont.ico)
add_custom_command(
  OUTPUT ${QMT_ART_FILES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QMT_ART_DIR}
  COMMAND ${QMT_HOST_CXX} -std=c++17 -O2 -o ${QMT_ART_DIR}/make_about_art
          ${CMAKE_SOURCE_DIR}/resources/art/make_about_art.cpp
  COMMAND ${QMT_ART_DIR}/make_about_art ${QMT_ART_DIR}
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/art/make_about_art.cpp
  COMMENT "Drawing the about box's pictures and the icon")
add_custom_target(qmt_art DEPENDS ${QMT_ART_FILES})
add_dependencies(quillmont qmt_art)
set_source_files_properties(${QMT_RC_SOURCES} PROPERTIES OBJECT_DEPENDS "${QMT_ART_FILES}")
target_include_directories(quillmont PRIVATE ${QMT_ART_DIR})

set(QMT_WIN_LIBS user32 gdi32 comctl32 comdlg32 shell32 advapi32 winmm gdiplus ole32)
set(QMT_WIN_STATIC -static -static-libgcc -static-libstdc++)

target_compile_definitions(qmt_objects PUBLIC NOMINMAX)
target_link_libraries(quillmont PRIVATE ${QMT_WIN_LIBS})
target_link_options(quillmont PRIVATE ${QMT_WIN_STATIC} ${QMT_DEF_FILE} -Wl,--enable-stdcall-fixup)
set_target_properties(quillmont PROPERTIES LINK_DEPENDS ${QMT_DEF_FILE} SUFFIX ".dll")

# Checks that need the plug-in's internals on a real Win32 system (the
# process runner against a Windows ffmpeg, heap blocks, child windows): every
# .cpp in tests/wine adds its groups; run under Wine by scripts/wine_tests.sh.
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/wine/wine_checks.cpp)
  file(GLOB QMT_WINE_CHECK_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/*.cpp)
  add_executable(qmt_wine_checks ${QMT_WINE_CHECK_SOURCES} $<TARGET_OBJECTS:qmt_objects>)
  target_include_directories(qmt_wine_checks PRIVATE ${CMAKE_SOURCE_DIR})
  # The checks' own code is not optimised: they wait on Wine and the tools,
  # and optimising them only lengthens the build. The DLL's objects keep -O2.
  target_compile_options(qmt_wine_checks PRIVATE -O0)
  target_link_libraries(qmt_wine_checks PRIVATE qmt_hostsim ${QMT_WIN_LIBS})
  target_link_options(qmt_wine_checks PRIVATE ${QMT_WIN_STATIC})
  add_dependencies(qmt_wine_checks quillmont qmthost)
endif()
