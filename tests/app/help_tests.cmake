# Qt Test programs for the help and the compiled-in pictures; they run on the
# offscreen platform, so no display is needed.
function(ravelon_qt_test name)
  add_executable(${name} ${ARGN})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE Qt6::Test Qt6::Widgets)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
endfunction()

ravelon_qt_test(help_tests ${CMAKE_CURRENT_LIST_DIR}/HelpTest.cpp)
target_link_libraries(help_tests PRIVATE ravelon_help)
target_compile_definitions(help_tests PRIVATE RAVELON_HELP_FILE="${PROJECT_SOURCE_DIR}/resources/Ravelon.hlp")

ravelon_qt_test(resources_tests ${CMAKE_CURRENT_LIST_DIR}/ResourcesTest.cpp)
target_link_libraries(resources_tests PRIVATE ravelon_resources)
