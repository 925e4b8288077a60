#pragma once
// The "TEXTURE" resources of native builds, which have no resource section: the build's picture
// generator writes the bytes and a table of them that is linked into the program.
#include <cstddef>

#include "platform/platform.h"

struct EmbeddedTexture {
    int id;                     // resource id
    const unsigned char* data;  // width x height x 3 bytes, rows bottom-up
    std::size_t size;           // bytes
};

extern const EmbeddedTexture EMBEDDED_TEXTURES[];
extern const int EMBEDDED_TEXTURE_COUNT;

// The bytes of texture resource `id`; no data when there is no such texture.
ResourceBytes embeddedTexture(int id);
