#pragma once
// One picture with everything the build makes, for people to review: each sphere map as a map seen
// from outside (north up, east to the right) and as two globes laid out exactly as the saver's mesh
// reads the map; the ring from above and below; the glow; the loading picture as it appears on screen;
// the dialog's title picture (after its reduction to 256 colours) and the icon at each size.
#include "picture.h"
#include "texture_set.h"

// Row 0 at the top.
Picture makeContactSheet(const TextureSet& textures);
