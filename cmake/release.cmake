# The package an author installs: the i686 DLL, the two guides and the licence
# notes in quillmont-<version>-win32.zip.
#   cmake --build build/native --target release
# cross-compiles the DLL in build/native/win-i686 (the tree the export check
# uses) and leaves the zip in build/native; in an i686 tree the same target
# packs that tree's DLL.
set(QMT_RELEASE_NAME quillmont-${PROJECT_VERSION}-win32)
set(QMT_RELEASE_FILES ${CMAKE_SOURCE_DIR}/docs/install.md ${CMAKE_SOURCE_DIR}/docs/actions.md
                      ${CMAKE_SOURCE_DIR}/LICENSE.txt ${CMAKE_SOURCE_DIR}/docs/NOTICE.txt)

if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(QMT_RELEASE_STAGE ${CMAKE_BINARY_DIR}/release)
  add_custom_target(release
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${QMT_RELEASE_STAGE} ${CMAKE_BINARY_DIR}/${QMT_RELEASE_NAME}.zip
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QMT_RELEASE_STAGE}/${QMT_RELEASE_NAME}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:quillmont> ${QMT_RELEASE_FILES} ${QMT_RELEASE_STAGE}/${QMT_RELEASE_NAME}
    COMMAND ${CMAKE_COMMAND} -E chdir ${QMT_RELEASE_STAGE}
            ${CMAKE_COMMAND} -E tar cf ${CMAKE_BINARY_DIR}/${QMT_RELEASE_NAME}.zip --format=zip ${QMT_RELEASE_NAME}
    DEPENDS quillmont
    COMMENT "Packing ${QMT_RELEASE_NAME}.zip"
    VERBATIM)
elseif(NOT WIN32)
  set(QMT_CROSS_I686 ${CMAKE_BINARY_DIR}/win-i686)
  add_custom_target(release
    COMMAND ${CMAKE_COMMAND} -S ${CMAKE_SOURCE_DIR} -B ${QMT_CROSS_I686} -G ${CMAKE_GENERATOR}
            -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/toolchain-mingw-i686.cmake
    COMMAND ${CMAKE_COMMAND} --build ${QMT_CROSS_I686} -j2 --target release
    COMMAND ${CMAKE_COMMAND} -E copy ${QMT_CROSS_I686}/${QMT_RELEASE_NAME}.zip ${CMAKE_BINARY_DIR}
    COMMENT "Cross-compiling the i686 DLL and packing ${QMT_RELEASE_NAME}.zip"
    VERBATIM)
endif()
