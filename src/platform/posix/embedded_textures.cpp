#include "platform/posix/embedded_textures.h"

ResourceBytes embeddedTexture(int id) {
    for (int i = 0; i < EMBEDDED_TEXTURE_COUNT; ++i)
        if (EMBEDDED_TEXTURES[i].id == id) return {EMBEDDED_TEXTURES[i].data, EMBEDDED_TEXTURES[i].size};
    return {};
}
