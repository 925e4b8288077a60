#include "gl/gl_api.h"

#include <cstring>

GlApi glApi;

#define ORB_GL_ENTRY(name, ret, params, args) {#name, offsetof(GlApi, name)},
const GlEntry GL_CORE_ENTRIES[GL_CORE_ENTRY_COUNT] = {ORB_GL_CORE_FUNCTIONS(ORB_GL_ENTRY)};
const GlEntry GL_EXTENSION_ENTRIES[GL_EXTENSION_ENTRY_COUNT] = {ORB_GL_EXTENSION_FUNCTIONS(ORB_GL_ENTRY)};
#undef ORB_GL_ENTRY

static_assert(GL_CORE_ENTRY_COUNT == 336, "OpenGL 1.1 has 336 entry points");
static_assert(GL_EXTENSION_ENTRY_COUNT == 40, "40 optional entry points");
// Symbols arrive as object pointers from the platform's library lookup; the fields hold them as
// function pointers of the same size.
static_assert(sizeof(void*) == sizeof(glApi.glAccum), "function and object pointers differ in size");

void storeGlEntry(GlApi& api, const GlEntry& entry, void* symbol) {
    std::memcpy(reinterpret_cast<unsigned char*>(&api) + entry.offset, &symbol, sizeof symbol);
}

void* glEntryValue(const GlApi& api, const GlEntry& entry) {
    void* value = nullptr;
    std::memcpy(&value, reinterpret_cast<const unsigned char*>(&api) + entry.offset, sizeof value);
    return value;
}
