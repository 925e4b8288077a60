#include "scene/star_field.h"

#include <cmath>

#include "gl/gl_api.h"
#include "platform/platform.h"
#include "scene/random.h"
#include "settings/saver_settings.h"

namespace {

constexpr float RANDOM_SCALE = 1.0f / 32767.0f;  // 3.0518509e-05
constexpr float FULL_TURN = 6.28318f;

struct Tint {
    float r, g, b;
};
constexpr Tint TINTS[4] = {{0.85f, 0.85f, 1.0f}, {1.0f, 0.85f, 0.85f}, {0.85f, 1.0f, 0.85f}, {1.0f, 1.0f, 1.0f}};

int32_t pointSizeFor(int draw, float screenWidth) {
    if (screenWidth < 1024.0f) return draw % 2 + 1;
    if (screenWidth < 1280.0f) return draw % 3 + 1;
    return draw % 5 + 1;
}

}  // namespace

int32_t starCountFor(int32_t numStars) {
    if (numStars <= 0) return 0;
    if (numStars >= STAR_CAPACITY / 1000) return STAR_CAPACITY;
    return numStars * 1000;
}

void createStarField(StarField* field, int32_t n) {
    if (n < 0) n = 0;
    if (n > STAR_CAPACITY) n = STAR_CAPACITY;
    field->count = n;
    seedRandom(platform.tickCount() & 0xFFu);
    for (int32_t i = 0; i < n; ++i) {
        // Both angles run over the whole turn, so stars crowd towards the z axis.
        const float theta = static_cast<float>(nextRandom()) * RANDOM_SCALE * FULL_TURN;
        const float phi = static_cast<float>(nextRandom()) * RANDOM_SCALE * FULL_TURN;
        field->pointSizes[i] = pointSizeFor(nextRandom(), saverSettings.ScrWidth);
        field->positions[i][0] = std::sin(theta) * std::cos(phi) * STAR_SPHERE_RADIUS;
        field->positions[i][1] = std::sin(theta) * std::sin(phi) * STAR_SPHERE_RADIUS;
        field->positions[i][2] = std::cos(theta) * STAR_SPHERE_RADIUS;
        field->colours[i][3] = static_cast<float>(nextRandom()) * RANDOM_SCALE * 0.4f + 0.6f;
        const Tint& tint = TINTS[nextRandom() % 4];
        field->colours[i][0] = tint.r;
        field->colours[i][1] = tint.g;
        field->colours[i][2] = tint.b;
    }
}

void compileStarList(StarField* field) {
    field->listId = glGenLists(1);
    glNewList(field->listId, GL_COMPILE);
    glEnable(GL_POINT_SMOOTH);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    // One primitive per star: the point size changes from star to star.
    for (int32_t i = 0; i < field->count; ++i) {
        glPointSize(static_cast<float>(field->pointSizes[i]));
        glBegin(GL_POINTS);
        glColor4fv(field->colours[i]);
        glVertex3fv(field->positions[i]);
        glEnd();
    }
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_POINT_SMOOTH);
    glEndList();
}

void drawStarField(const StarField* field) { glCallList(field->listId); }
