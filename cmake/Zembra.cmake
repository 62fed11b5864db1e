# zembra_library(NAME [DEPS target...] [PRIVATE_DEPS target...])
# A static library made of every .cpp/.h in the calling folder (and its
# subfolders when RECURSE is given). The repository root is on the include
# path, so headers are included as "platform/Bitmap.h". DEPS are what the
# layer's headers use, and so what its users get; PRIVATE_DEPS only its
# sources use: their headers stay out of the users' include path.
function(zembra_library name)
  cmake_parse_arguments(ARG "RECURSE" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  if(ARG_RECURSE)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  else()
    file(GLOB sources CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# zembra_test(NAME [GUI] [DEPS target...])
# One GoogleTest executable made of every .cpp in the calling folder, with the
# shared test main (offscreen Qt application; with GUI a QGuiApplication and no
# QtWidgets, for the headless layers). Tests are discovered at run time.
# They see the per-user registration of the build's AVI-writer control
# (test-config/Zembra/ComServers.ini), not the user's.
function(zembra_test name)
  cmake_parse_arguments(ARG "GUI" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  if(ARG_GUI)
    target_link_libraries(${name} PRIVATE zembra_test_support_gui ${ARG_DEPS})
  else()
    target_link_libraries(${name} PRIVATE zembra_test_support ${ARG_DEPS})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen
               ENVIRONMENT_MODIFICATION XDG_CONFIG_HOME=set:${CMAKE_BINARY_DIR}/test-config TIMEOUT 300)
endfunction()
