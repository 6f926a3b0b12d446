# Every target sees only the headers of what it links: there is no include path to the whole source
# tree. A library lends what links it the headers of its own source list, under its folder's name
# ("engine/Block.h"), through links in the build folder; a header of a library it does not link (a
# higher floor's, say) is simply not there. Tests, benches and fuzz targets add the tests' own
# helpers ("tests/support/FakeClock.h") the same way.

# pelmo_headers(target): the target's headers, as <folder>/<name>, for the target and what links it.
function(pelmo_headers target)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  get_target_property(sources ${target} SOURCES)
  foreach(source ${sources})
    get_filename_component(source ${source} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    file(RELATIVE_PATH name ${CMAKE_CURRENT_SOURCE_DIR} ${source})
    # Generated headers and those of other folders are not this folder's to lend.
    if(name MATCHES "\\.h$" AND NOT name MATCHES "^\\.\\./")
      get_filename_component(directory ${root}/${folder}/${name} DIRECTORY)
      file(MAKE_DIRECTORY ${directory})
      file(CREATE_LINK ${source} ${root}/${folder}/${name} SYMBOLIC)
    endif()
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# pelmo_test_headers(target): the tests' own folder, for test, bench and fuzz targets.
set(PELMO_TEST_ROOT ${CMAKE_BINARY_DIR}/include/tests)
file(MAKE_DIRECTORY ${PELMO_TEST_ROOT})
file(CREATE_LINK ${CMAKE_SOURCE_DIR}/tests ${PELMO_TEST_ROOT}/tests SYMBOLIC)
function(pelmo_test_headers target)
  target_include_directories(${target} PRIVATE ${PELMO_TEST_ROOT})
endfunction()
