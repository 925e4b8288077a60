// Preprocessed (never compiled) at build time: the names of the OpenGL 1.1 functions, each as a quoted
// word, from the saver's own function list. make_forwarding_def.cmake turns them into a .def file.
#include "gl/gl_functions.h"

#define ORB_EXPORT_NAME(name, result, parameters, arguments) #name
ORB_GL_CORE_FUNCTIONS(ORB_EXPORT_NAME)
