# The camera layer's pure tables: capability names, value texts, item lists,
# camera-type facts and AF layouts. Linked into vantora_camera and into the
# simulated module, which must agree with the program on the camera-type facts.
add_library(vantora_camera_text STATIC
  ${CMAKE_CURRENT_LIST_DIR}/CapabilityNames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EnumValueText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ValueFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ItemLists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CameraTypeFacts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AfLayout.cpp)
target_include_directories(vantora_camera_text PUBLIC ${PROJECT_SOURCE_DIR}/src)
