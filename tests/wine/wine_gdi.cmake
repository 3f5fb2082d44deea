# The GDI oracle: our regions and copies against Wine's GDI, pixel for pixel.
add_executable(gdi_oracle
  ${CMAKE_CURRENT_LIST_DIR}/gdi_oracle_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gdi_oracle_gdi_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gdi_oracle_random_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gdi_oracle_effects_win32.cpp)
target_link_libraries(gdi_oracle PRIVATE pavonix_transitions gdi32)
add_wine_test(NAME wine_gdi_oracle COMMAND ${PAVONIX_WINERUN} $<TARGET_FILE:gdi_oracle>)
set_tests_properties(wine_gdi_oracle PROPERTIES TIMEOUT 600 ENVIRONMENT_MODIFICATION "PAVONIX_WINE_TIMEOUT=set:580")

# pavonix-bench's command-line contract, as a Windows console program.
add_wine_test(NAME wine_bench_cli
  COMMAND ${PROJECT_SOURCE_DIR}/tools/pavonix-bench/bench_cli_test.sh ${PAVONIX_WINERUN} $<TARGET_FILE:pavonix-bench>)
