#pragma once
// Uploading the saver's "TEXTURE" resources: raw RGB, 3 bytes a pixel, rows bottom-up, no header.

// Binds texture object `textureName`, sets repeat wrapping, linear and trilinear filtering and the
// modulate mode, and uploads `resourceId`'s width x height picture with its full mipmap chain.
// Needs a current rendering context. A resource that is missing or shorter than width x height x 3
// bytes is not read: the object keeps no image, so the body is drawn untextured.
void loadTexture(int resourceId, unsigned int textureName, int width, int height);
