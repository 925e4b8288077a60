#pragma once
// The OpenGL entry-point table. The driver library is chosen and loaded at run time and every
// entry point is fetched from it by name into the one process-wide GlApi instance, `glApi`.
// Drawing code writes plain OpenGL calls (glBegin(GL_TRIANGLES), glGetFloatv(...)); each of those
// names is an inline call-through to the table: one indirect call, no check for null.
//
// Tests fill single fields with their own functions (same signature, ORB_GLAPI convention).
#include <cstddef>

#include "gl/gl_functions.h"

struct GlApi {
    void* library;          // handle of the loaded driver library; null while none is loaded
    int driverPixelFormat;  // 1: pixel-format and buffer-swap calls go straight to the driver library
#define ORB_GL_FIELD(name, ret, params, args) ret(ORB_GLAPI* name) params;
    ORB_GL_CORE_FUNCTIONS(ORB_GL_FIELD)
    ORB_GL_EXTENSION_FUNCTIONS(ORB_GL_FIELD)
#undef ORB_GL_FIELD
};

// All fields null or zero at process start.
extern GlApi glApi;

#define ORB_GL_COUNT(name, ret, params, args) +1
constexpr int GL_CORE_ENTRY_COUNT = 0 ORB_GL_CORE_FUNCTIONS(ORB_GL_COUNT);
constexpr int GL_EXTENSION_ENTRY_COUNT = 0 ORB_GL_EXTENSION_FUNCTIONS(ORB_GL_COUNT);
#undef ORB_GL_COUNT

// One entry of the loader's name lists: the exported name and the byte offset of its field in
// GlApi. The lists hold the entries in fetch order (the order of gl/gl_functions.h).
struct GlEntry {
    const char* name;
    std::size_t offset;
};

extern const GlEntry GL_CORE_ENTRIES[GL_CORE_ENTRY_COUNT];
extern const GlEntry GL_EXTENSION_ENTRIES[GL_EXTENSION_ENTRY_COUNT];

// Stores a symbol fetched from the driver library (or null) into the entry's field of `api`.
void storeGlEntry(GlApi& api, const GlEntry& entry, void* symbol);
// The entry's field of `api` as an untyped pointer; null when not set.
void* glEntryValue(const GlApi& api, const GlEntry& entry);

// The call-throughs: every entry under its standard name.
#define ORB_GL_CALL_THROUGH(name, ret, params, args) \
    inline ret name params { return glApi.name args; }
ORB_GL_CORE_FUNCTIONS(ORB_GL_CALL_THROUGH)
ORB_GL_EXTENSION_FUNCTIONS(ORB_GL_CALL_THROUGH)
#undef ORB_GL_CALL_THROUGH
