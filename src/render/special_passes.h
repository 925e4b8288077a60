#pragma once
// The two drawings that are not bodies: the loading picture and the Sun's glow.

// The loading picture (texture 15), 300 x 160 pixels centred on the screen, showing the texture's rows
// from t = 0.4 to t = 1 with t = 1 at the bottom. Expects the one-unit-per-pixel projection.
void drawLoadingImage();

// Two counter-turning glow sprites (textures 13 and 14) facing the camera 200 units in front of the
// Sun's centre, drawn without depth test. Turns glowAngle by one degree per call. Expects the camera
// transform alone on the modelview matrix and texturing on.
void drawSunGlow();
// Its two halves, for frames drawn in several views: the turn, once per frame, and the sprites at the
// present turn, in each view.
void turnSunGlow();
void drawSunGlowAsTurned();
