#pragma once
// Building the scene once, before the first frame. It puts the loading picture on the screen first,
// so it lives with the drawing code.

// Loads the glow and loading-picture textures, shows the loading picture, sets the fixed GL state and
// the perspective, places the camera, draws random orbit angles, builds the twelve bodies and colours
// them. Needs a current rendering context; reads ScrWidth, ScrHeight and NumStars.
void setUpScene();

// The perspective's half-width at the near plane: 0.75 x width / height (the half-height is 0.75).
double frustumHalfWidth(float screenWidth, float screenHeight);
