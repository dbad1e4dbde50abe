# Included from demo/window/CMakeLists.txt: the board's masked stamping, kept apart from the
# window so the tests can link it without any widgets.
add_library(marv_render STATIC ${CMAKE_CURRENT_LIST_DIR}/masked_copy.cpp)
target_include_directories(marv_render PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(marv_render PUBLIC Qt6::Gui)
