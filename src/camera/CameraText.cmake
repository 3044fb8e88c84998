# Pure capability names, value texts and item lists. Included from the camera
# folder's CMakeLists (and by the tests while that does not yet include it);
# linked into vantora_camera.
add_library(vantora_camera_text STATIC
  ${CMAKE_CURRENT_LIST_DIR}/CapabilityNames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EnumValueText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ValueFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ItemLists.cpp)
target_include_directories(vantora_camera_text PUBLIC ${PROJECT_SOURCE_DIR}/src)
