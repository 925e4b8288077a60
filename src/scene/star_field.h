#pragma once
// The background sky: coloured points on a sphere of radius 25000 about the Sun, compiled once into a
// display list that every frame calls.
#include <cstdint>

constexpr int STAR_CAPACITY = 4000;
constexpr float STAR_SPHERE_RADIUS = 25000.0f;

struct StarField {
    float positions[STAR_CAPACITY][3];  // world units
    float colours[STAR_CAPACITY][4];    // r, g, b tint; a the brightness, 0.6 to 1.0
    int32_t pointSizes[STAR_CAPACITY];  // diameter in pixels
    uint32_t listId;                    // the compiled display list
    int32_t count;                      // stars in use
};

// The star count for a NumStars option: 1000 per unit, kept within 0 and the capacity whatever the
// stored value.
int32_t starCountFor(int32_t numStars);

// Fills the first n stars (n is kept within 0..STAR_CAPACITY) from the random generator, which it seeds
// with the low 8 bits of the tick count. Point sizes grow with the screen width. Needs no GL context.
void createStarField(StarField* field, int32_t n);

// Records the stars in a display list: round blended points, one primitive each, neither depth-tested
// nor culled. The list leaves depth testing and culling on and point smoothing off.
void compileStarList(StarField* field);

void drawStarField(const StarField* field);
