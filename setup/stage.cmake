# stage.cmake - gathers what the setup program installs into one folder, strips the
# programs, and writes files.nsh: the File and Delete lines of every installed file, so that
# installing and removing follow one list.
#
#   cmake -DBIN=... -DSTAGE=... -DSTRIP=... -DPROGRAMS=a,b -DDATA=c,d -DPICTURES=e,f
#         -DRECEIVER=g,h -P stage.cmake
#
# PROGRAMS and RECEIVER are stripped; PICTURES (and the help file) that the build has not
# made are left out.
foreach(list PROGRAMS DATA PICTURES RECEIVER)
  string(REPLACE "," ";" ${list} "${${list}}")
endforeach()
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})

set(main_files ${PROGRAMS} ${DATA})
foreach(picture IN LISTS PICTURES)
  if(EXISTS ${BIN}/${picture})
    list(APPEND main_files ${picture})
  else()
    message(STATUS "setup: ${picture} is not drawn by this build and is left out")
  endif()
endforeach()

foreach(name IN LISTS main_files RECEIVER)
  if(NOT EXISTS ${BIN}/${name})
    message(FATAL_ERROR "setup: ${BIN}/${name} is missing")
  endif()
  file(COPY ${BIN}/${name} DESTINATION ${STAGE})
endforeach()
foreach(name IN LISTS PROGRAMS RECEIVER)
  execute_process(COMMAND ${STRIP} ${STAGE}/${name} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "setup: stripping ${name} failed")
  endif()
endforeach()

set(nsh "; files.nsh - written by stage.cmake: what the setup program installs and removes.\n")
foreach(group main receiver)
  if(group STREQUAL main)
    set(names ${main_files})
    set(macro MainFiles)
  else()
    set(names ${RECEIVER})
    set(macro ReceiverFiles)
  endif()
  string(APPEND nsh "!macro Install${macro}\n")
  foreach(name IN LISTS names)
    string(APPEND nsh "  File \"${STAGE}/${name}\"\n")
  endforeach()
  string(APPEND nsh "!macroend\n!macro Remove${macro}\n")
  foreach(name IN LISTS names)
    string(APPEND nsh "  Delete \"$INSTDIR\\${name}\"\n")
  endforeach()
  string(APPEND nsh "!macroend\n")
endforeach()
file(WRITE ${STAGE}/files.nsh "${nsh}")
