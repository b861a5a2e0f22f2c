# Fails when a file includes a header of a layer it may not use, or when the core includes Qt.
#   cmake -DSOURCE_DIR=DIR [-DSTAMP=FILE] -P tools/check_layers.cmake
# Every header is included as "folder/file.h" from the source root, so the compiler lets any file
# include any other; this is what keeps the includes pointing down. STAMP is touched on success,
# so that the build runs the check again only when a source changes.

# The layers, one folder each, lowest first. A layer may include the layers on the lines above
# it; the layers on one line stand side by side and may not include each other.
set(levels
  "base"
  "menu"
  "catalog workspace"
  "phone document"
  "java"
  "pictures"
  "menu_json preview browser/core"
  "editor/core"
  "app/core"
  "widgets"
  "editor browser"
  "app")
# Everything up to here is plain C++.
set(last_core_level "app/core")
# The programs and the simulated phone name the layers they use; no layer includes them.
set(chosen
  "cli: base menu catalog document workspace phone java pictures menu_json preview"
  "phonesim: base menu catalog workspace phone pictures")

set(below "")
set(core TRUE)
foreach(level ${levels})
  string(REPLACE " " ";" level_layers "${level}")
  foreach(layer ${level_layers})
    set(allowed_${layer} ${below})
    set(core_${layer} ${core})
  endforeach()
  list(APPEND below ${level_layers})
  list(FIND level_layers ${last_core_level} found)
  if(NOT found EQUAL -1)
    set(core FALSE)
  endif()
endforeach()
set(all_layers ${below})
foreach(entry ${chosen})
  string(REGEX MATCH "^[^:]+" layer "${entry}")
  string(REGEX REPLACE "^[^:]+: *" "" uses "${entry}")
  string(REPLACE " " ";" allowed_${layer} "${uses}")
  set(core_${layer} FALSE)
  list(APPEND all_layers ${layer})
endforeach()

set(faults "")
foreach(layer ${all_layers})
  file(GLOB files ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp ${SOURCE_DIR}/${layer}/*.in)
  foreach(file ${files})
    file(RELATIVE_PATH shown ${SOURCE_DIR} ${file})
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line ${includes})
      if(line MATCHES "\"([^\"]+)/[^/\"]+\"")
        set(target_layer ${CMAKE_MATCH_1})
        if(target_layer STREQUAL layer)
          continue()
        endif()
        list(FIND allowed_${layer} ${target_layer} found)
        if(found EQUAL -1)
          string(REGEX MATCH "\"[^\"]+\"" header "${line}")
          string(JOIN " " may ${allowed_${layer}})
          list(APPEND faults "${shown} includes ${header}, but ${layer} may include only: ${may}")
        endif()
      elseif(core_${layer} AND line MATCHES "<(Q[A-Za-z]*)[>/]")
        list(APPEND faults "${shown} includes Qt (${CMAKE_MATCH_1}), but ${layer} is plain C++")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  list(LENGTH faults count)
  string(JOIN "\n  " listed ${faults})
  message(FATAL_ERROR "${count} include(s) against the layers:\n  ${listed}")
endif()
if(STAMP)
  file(TOUCH ${STAMP})
endif()
