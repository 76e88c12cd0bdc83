# Reads a tour's pictures back with ImageMagick: every picture the index names
# must exist, decode fully and show more than a few colours, and the contact
# sheet must be there. Run with -DFOLDER=<tour output> -DIDENTIFY=<identify>.
if(NOT EXISTS "${FOLDER}/index.html")
  message(FATAL_ERROR "no index.html in ${FOLDER}")
endif()
file(READ "${FOLDER}/index.html" index)
string(REGEX MATCHALL "src=\"[^\"]+\\.png\"" pictures "${index}")
list(LENGTH pictures count)
if(count LESS 20)
  message(FATAL_ERROR "the index names ${count} pictures; the tour takes more than 20")
endif()
foreach(reference ${pictures} "src=\"contact-sheet.png\"")
  string(REGEX REPLACE "src=\"([^\"]+)\"" "\\1" name "${reference}")
  # %k counts the distinct colours, which needs every pixel decoded.
  execute_process(COMMAND ${IDENTIFY} -format "%w %h %k" "${FOLDER}/${name}"
                  OUTPUT_VARIABLE facts ERROR_VARIABLE problem RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR NOT problem STREQUAL "")
    message(FATAL_ERROR "${name} does not decode: ${problem}")
  endif()
  separate_arguments(facts)
  list(GET facts 0 width)
  list(GET facts 1 height)
  list(GET facts 2 colours)
  if(width LESS 100 OR height LESS 60 OR colours LESS 4)
    message(FATAL_ERROR "${name} is ${width} x ${height} with ${colours} colours: not a picture of a window")
  endif()
  message(STATUS "${name}: ${width} x ${height}, ${colours} colours")
endforeach()
