# The control window and the help windows, driven offscreen with QtTest.
add_executable(korv_control_window_tests
  ${CMAKE_CURRENT_LIST_DIR}/control_windows_test.cpp
)
target_include_directories(korv_control_window_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(korv_control_window_tests PRIVATE korv_test_support korv_gui Qt6::Test)
add_test(NAME korv_control_window_tests COMMAND korv_control_window_tests)
set_tests_properties(korv_control_window_tests PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen
                                                          TIMEOUT 300)
