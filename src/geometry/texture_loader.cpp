#include "geometry/texture_loader.h"

#include <cstddef>

#include "gl/gl_api.h"
#include "gl/glu.h"
#include "platform/platform.h"

void loadTexture(int resourceId, unsigned int textureName, int width, int height) {
    const ResourceBytes picture = platform.textureResource(resourceId);
    glBindTexture(GL_TEXTURE_2D, textureName);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    if (width <= 0 || height <= 0) return;
    const std::size_t size = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3u;
    if (!picture.data || picture.size < size) return;
    // The resource's bytes stay mapped for the life of the module; GL copies them during these calls.
    // A picture larger than the driver takes (a Voodoo board: 256 x 256) would only be refused; the
    // mipmap builder scales it down to the largest size for its level 0.
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (maxSize <= 0 || (width <= maxSize && height <= maxSize)) {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, picture.data);
    }
    gluApi.gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, width, height, GL_RGB, GL_UNSIGNED_BYTE, picture.data);
}
