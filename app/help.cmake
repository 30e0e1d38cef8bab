# The help's reader and topic finder as the library ravelon_help, and the help
# file copied beside the programs in app/ so that FindHelpFile() finds it
# there. Included from the top CMakeLists.txt; needs Qt6 Widgets found.
add_library(ravelon_help STATIC ${CMAKE_CURRENT_LIST_DIR}/HelpFile.cpp ${CMAKE_CURRENT_LIST_DIR}/HelpDialog.cpp)
set_target_properties(ravelon_help PROPERTIES AUTOMOC ON)
target_include_directories(ravelon_help PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(ravelon_help PUBLIC Qt6::Widgets)
configure_file(${PROJECT_SOURCE_DIR}/resources/Ravelon.hlp ${CMAKE_BINARY_DIR}/app/Ravelon.hlp COPYONLY)
