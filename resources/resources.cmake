# The pictures of resources/ravelon.qrc compiled into the object library
# ravelon_resources. An object library's files are linked whole into every
# program that uses it, so the static initialiser that registers the
# resources is never dropped by the linker, as it could be from a static one.
qt_add_resources(ravelon_resource_sources ${CMAKE_CURRENT_LIST_DIR}/ravelon.qrc)
add_library(ravelon_resources OBJECT ${ravelon_resource_sources})
target_link_libraries(ravelon_resources PUBLIC Qt6::Core)
