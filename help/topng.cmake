# cmake -DFOLDER=<folder> -DCONVERT=<convert> -P topng.cmake: every <name>.bmp of the folder
# becomes <name>.png (what the help pages show), the .bmp is removed.
file(GLOB pictures ${FOLDER}/*.bmp)
if(NOT pictures)
  message(FATAL_ERROR "no pictures in ${FOLDER}")
endif()
foreach(bmp IN LISTS pictures)
  string(REGEX REPLACE "\\.bmp$" ".png" png ${bmp})
  execute_process(COMMAND ${CONVERT} ${bmp} ${png} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "cannot convert ${bmp}")
  endif()
  file(REMOVE ${bmp})
endforeach()
