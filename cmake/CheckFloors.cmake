# Fails when a product file includes a header from a higher floor of the build:
#   cmake -DSOURCE_DIR=<root> -P CheckFloors.cmake
# Each folder stands on one floor; a file may include its own floor and the ones below it.
set(FLOORS
  "core:0"
  "engine:1"
  "pictures:2" "input:2" "view:2" "audio:2" "scores:2" "settings:2" "resources:2" "cellart:2"
  "settings/dialog:3" "scores/dialog:3"
  "app:4")

# The deepest folder of the table that holds the path, or nothing for folders off the floors.
function(floor_of path out)
  set(best "")
  set(best_length -1)
  foreach(entry ${FLOORS})
    string(REPLACE ":" ";" pair ${entry})
    list(GET pair 0 folder)
    list(GET pair 1 floor)
    string(LENGTH "${folder}" length)
    if(path MATCHES "^${folder}/" AND length GREATER best_length)
      set(best ${floor})
      set(best_length ${length})
    endif()
  endforeach()
  set(${out} "${best}" PARENT_SCOPE)
endfunction()

set(violations "")
foreach(entry ${FLOORS})
  string(REPLACE ":" ";" pair ${entry})
  list(GET pair 0 folder)
  file(GLOB files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(file ${files})
    floor_of(${file} own)
    file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+\"")
    foreach(line ${includes})
      string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" header "${line}")
      floor_of(${header} target)
      if(NOT target STREQUAL "" AND target GREATER own)
        list(APPEND violations "${file} (floor ${own}) includes ${header} (floor ${target})")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "Includes that cross a floor upward:\n  ${text}")
endif()
message(STATUS "Every include stays on its floor or goes down")
