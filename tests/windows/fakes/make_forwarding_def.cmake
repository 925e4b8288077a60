cmake_minimum_required(VERSION 3.25)
# Writes the .def file of a test library that passes OpenGL on to the system's opengl32.dll.
#   -DNAMES=file    the preprocessed gl_export_names.cpp: the 336 OpenGL 1.1 names, each quoted
#   -DOUTPUT=file   the .def file to write
#   -DLIBRARY=name  the library's own name
#   -DOWN=a;b       entries the library implements itself (exported, not forwarded)
#   -DLEAVE_OUT=a;b entries the library does not export at all
# Besides the OpenGL functions, the library exports the seven window-system entries of a driver.
file(READ ${NAMES} preprocessed)
string(REGEX MATCHALL "\"gl[A-Za-z0-9]+\"" quoted "${preprocessed}")
list(LENGTH quoted count)
if(NOT count EQUAL 336)
  message(FATAL_ERROR "expected the 336 OpenGL 1.1 functions in ${NAMES}, found ${count}")
endif()
string(REPLACE "\"" "" names "${quoted}")
list(APPEND names wglChoosePixelFormat wglCreateContext wglDeleteContext wglGetProcAddress wglMakeCurrent
     wglSetPixelFormat wglSwapBuffers)

set(text "LIBRARY \"${LIBRARY}\"\nEXPORTS\n")
foreach(name IN LISTS names)
  if(name IN_LIST LEAVE_OUT)
    continue()
  elseif(name IN_LIST OWN)
    string(APPEND text "  ${name}\n")
  else()
    string(APPEND text "  ${name} = opengl32.${name}\n")
  endif()
endforeach()
file(WRITE ${OUTPUT}.new "${text}")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
