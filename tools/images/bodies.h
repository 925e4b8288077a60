#pragma once
// The makers of the saver's textures: each returns the picture in the stored order (row 0 = t = 0).
#include "land_mask.h"
#include "picture.h"

Picture makeSunTexture();
Picture makeMercuryTexture();
Picture makeVenusTexture();
Picture makeEarthTexture(const LandMask& land);
Picture makeMarsTexture();
Picture makeJupiterTexture();
Picture makeSaturnTexture();
Picture makeUranusTexture();
Picture makeNeptuneTexture();
Picture makePlutoTexture();
Picture makeMoonTexture();
Picture makeRingTexture();
Picture makeGlowTexture();
