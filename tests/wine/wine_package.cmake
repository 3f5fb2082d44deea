# mpftool.exe under Wine against the native mpftool: the same inputs must give
# the same bytes.  The native tool comes from the native preset's build tree
# (CI builds it before the Wine tests); without it the test is skipped.
set(PAVONIX_NATIVE_BUILD_DIR ${PROJECT_SOURCE_DIR}/build/native CACHE PATH
    "Build tree of the native preset, whose mpftool the Wine tests compare with")
add_wine_test(NAME wine_mpftool_matches_native
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/mpftool_matches_native.sh $<TARGET_FILE:mpftool>
          ${PAVONIX_NATIVE_BUILD_DIR}/tools/mpftool/mpftool ${PROJECT_SOURCE_DIR}/tests/data/package)
set_tests_properties(wine_mpftool_matches_native PROPERTIES SKIP_RETURN_CODE 77)
