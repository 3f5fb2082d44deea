# The slide thread's priority under the Windows versions that raise it and some
# that do not: the thread unit tests run again as each version.
add_wine_test(NAME wine_thread_priority
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/thread_priority_test.sh $<TARGET_FILE:unit_thread>)
