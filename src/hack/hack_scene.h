#pragma once
// The scene of the Linux program: the saver's options taken from the flags, and the saver's own
// scene set-up with the seed the flags ask for.
#include "hack/hack_options.h"

// Sets the options from the flags and the drawing area's size in pixels. The 3dfx choice does not
// apply off Windows.
void applyHackOptions(const HackOptions& options, int width, int height);

// Runs the saver's scene set-up (a current context is needed). With a seed, the sky and the orbit
// layout come from it instead of the clock: the set-up draws its seed from the tick count, which
// reads as the seed while the set-up runs.
void setUpHackScene(const HackOptions& options);

// Frees what the set-up allocated (the bodies and the camera splines), at the end of the program.
void releaseHackScene();
