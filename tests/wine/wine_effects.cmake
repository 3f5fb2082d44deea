# pavonix-render.exe under Wine: the same exit codes, and the same frame bytes as
# the native build writes (the checksums the native render_frames test checks).
add_wine_test(NAME wine_render_frames
  COMMAND ${PROJECT_SOURCE_DIR}/tools/pavonix-render/render_frames_test.sh $<TARGET_FILE:pavonix-render>
          ${PROJECT_SOURCE_DIR}/tests/data/render ${CMAKE_CURRENT_BINARY_DIR}/render-test)
