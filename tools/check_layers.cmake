# Fails when a file includes a header of a layer its target does not link, or when plain C++
# includes Qt.
#   cmake -DSOURCE_DIR=DIR -DLAYER_MAP=FILE [-DSTAMP=FILE] -P tools/check_layers.cmake
# Every header is included as "folder/file.h" from the source root, so the compiler lets any file
# include any other; this is what keeps the includes following the links. LAYER_MAP is written
# by tools/layer_map.cmake when the build is configured. STAMP is touched on success, so that the
# build runs the check again only when a source changes.
cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR OR NOT EXISTS "${LAYER_MAP}")
  message(FATAL_ERROR "usage: cmake -DSOURCE_DIR=DIR -DLAYER_MAP=FILE [-DSTAMP=FILE] -P ${CMAKE_SCRIPT_MODE_FILE}")
endif()

set(places "")
function(menuforge_layer_entry place name own_folder uses_qt reached)
  string(REPLACE " " ";" reached "${reached}")
  set(place_${place}_name ${name} PARENT_SCOPE)
  set(place_${place}_allowed ${own_folder} ${reached} PARENT_SCOPE)
  set(place_${place}_qt ${uses_qt} PARENT_SCOPE)
  set(places ${places} ${place} PARENT_SCOPE)
endfunction()
include(${LAYER_MAP})

set(faults "")
set(checked "")
foreach(place ${places})
  if(place MATCHES "[.](cpp|h)$" OR place IN_LIST checked)
    continue()
  endif()
  list(APPEND checked ${place})
  file(GLOB files ${SOURCE_DIR}/${place}/*.h ${SOURCE_DIR}/${place}/*.cpp ${SOURCE_DIR}/${place}/*.in)
  foreach(file ${files})
    file(RELATIVE_PATH shown ${SOURCE_DIR} ${file})
    # A program's source in a layer's folder follows the program's links.
    set(rule ${place})
    if(DEFINED place_${shown}_name)
      set(rule ${shown})
    endif()
    set(name ${place_${rule}_name})
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line ${includes})
      if(line MATCHES "\"([^\"]+)/[^/\"]+\"")
        list(FIND place_${rule}_allowed ${CMAKE_MATCH_1} found)
        if(found EQUAL -1)
          string(REGEX MATCH "\"[^\"]+\"" header "${line}")
          string(JOIN " " may ${place_${rule}_allowed})
          list(APPEND faults "${shown} includes ${header}, but ${name} may include only: ${may}")
        endif()
      elseif(NOT place_${rule}_qt AND line MATCHES "<(Q[A-Za-z]*)[>/]")
        list(APPEND faults "${shown} includes Qt (${CMAKE_MATCH_1}), but ${name} is plain C++")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  list(LENGTH faults count)
  string(JOIN "\n  " listed ${faults})
  message(FATAL_ERROR "${count} include(s) against the links:\n  ${listed}")
endif()
if(STAMP)
  file(TOUCH ${STAMP})
endif()
