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
  target_link_libraries(qmt_wine_checks PRIVATE qmt_hostsim ${QMT_WIN_LIBS})
  target_link_options(qmt_wine_checks PRIVATE ${QMT_WIN_STATIC})
  add_dependencies(qmt_wine_checks quillmont qmthost)
endif()
