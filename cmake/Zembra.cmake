# zembra_expose(TARGET SCOPE FOLDER [EXCLUDE entry...] [FILES file...])
# Puts the repository folder FOLDER (for example "gif" or "editor/core") on
# TARGET's include path, so that its headers are included as "gif/GIFError.h",
# and nothing else of the repository: each target's include directory is a
# tree of links under include/<TARGET> in the build. EXCLUDE leaves entries of
# the folder out, FILES links only the files named. A layer then sees exactly
# the folders of the layers it links, and an include of any other layer does
# not build.
function(zembra_expose target scope folder)
  cmake_parse_arguments(ARG "" "" "EXCLUDE;FILES" ${ARGN})
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  set(source ${PROJECT_SOURCE_DIR}/${folder})
  set(link ${root}/${folder})
  get_filename_component(parent ${link} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT ARG_EXCLUDE AND NOT ARG_FILES)
    file(CREATE_LINK ${source} ${link} SYMBOLIC)
  else()
    file(MAKE_DIRECTORY ${link})
    if(ARG_FILES)
      set(entries ${ARG_FILES})
    else()
      file(GLOB entries LIST_DIRECTORIES true CONFIGURE_DEPENDS RELATIVE ${source} ${source}/*)
      list(REMOVE_ITEM entries ${ARG_EXCLUDE})
    endif()
    foreach(entry ${entries})
      file(CREATE_LINK ${source}/${entry} ${link}/${entry} SYMBOLIC)
    endforeach()
  endif()
  target_include_directories(${target} ${scope} ${root})
endfunction()

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
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  zembra_expose(${name} PUBLIC ${folder})
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
