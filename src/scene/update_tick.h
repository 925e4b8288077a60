#pragma once
// The fixed-rate update: orbits, spin, the normals that keep the lit sides towards the Sun, and the camera.
void updateTick();
