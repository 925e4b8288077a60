#include "render/special_passes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "gl/gl_api.h"
#include "scene/rotation.h"
#include "scene/scene.h"
#include "settings/saver_settings.h"

namespace {

constexpr unsigned FIRST_GLOW_TEXTURE = 13;
constexpr unsigned SECOND_GLOW_TEXTURE = 14;
constexpr unsigned LOADING_TEXTURE = 15;
constexpr double GLOW_HALF_SIZE = 375.0;
constexpr double GLOW_DISTANCE = 200.0;  // in front of the Sun's centre, towards the camera

// A 750 x 750 square of four triangles round its centre, alpha 0.4 at the centre and 0 at the rim.
// Seen from the camera the triangles run clockwise: back faces, which the front-face culling keeps.
void drawGlowFan() {
    glBegin(GL_TRIANGLE_FAN);
    glColor4f(1.0f, 1.0f, 1.0f, 0.4f);
    glTexCoord2f(0.5f, 0.5f);
    glVertex2f(0.0f, 0.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 0.0f);
    const double rim[5][4] = {{0, 1, -GLOW_HALF_SIZE, GLOW_HALF_SIZE},
                              {1, 1, GLOW_HALF_SIZE, GLOW_HALF_SIZE},
                              {1, 0, GLOW_HALF_SIZE, -GLOW_HALF_SIZE},
                              {0, 0, -GLOW_HALF_SIZE, -GLOW_HALF_SIZE},
                              {0, 1, -GLOW_HALF_SIZE, GLOW_HALF_SIZE}};
    for (const auto& corner : rim) {
        glTexCoord2d(corner[0], corner[1]);
        glVertex2d(corner[2], corner[3]);
    }
    glEnd();
}

}  // namespace

void drawLoadingImage() {
    // The far corner must stay an integer too, whatever size the options claim.
    const int x0 = std::min(truncatePixels(saverSettings.ScrWidth * 0.5f - 150.0f), INT32_MAX - 300);
    const int y0 = std::min(truncatePixels(saverSettings.ScrHeight * 0.5f - 80.0f), INT32_MAX - 160);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, LOADING_TEXTURE);
    glBegin(GL_QUADS);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2i(x0 + 300, y0);
    glTexCoord2f(1.0f, 0.4f);
    glVertex2i(x0 + 300, y0 + 160);
    glTexCoord2f(0.0f, 0.4f);
    glVertex2i(x0, y0 + 160);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2i(x0, y0);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

void drawSunGlow() {
    turnSunGlow();
    drawSunGlowAsTurned();
}

void turnSunGlow() {
    if (++scene.glowAngle > 359) scene.glowAngle = 0;
}

void drawSunGlowAsTurned() {
    const float* eye = scene.eye;
    const float distance = std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
    // At the Sun's centre there is no direction to face: no glow this frame.
    if (!(distance > 0.0f)) return;
    float cosine = eye[2] / distance;
    cosine = cosine > 1.0f ? 1.0f : (cosine < -1.0f ? -1.0f : cosine);
    const float angle = std::acos(cosine) / DEGREES_TO_RADIANS;
    // The axis z x eye turns the sprites' z onto the camera's direction. On the z axis it vanishes:
    // behind the Sun any axis across z gives the half turn, in front no turn is needed.
    float axisX = -eye[1], axisY = eye[0];
    if (axisX == 0.0f && axisY == 0.0f) axisX = 1.0f;
    glPushMatrix();
    glRotatef(angle, axisX, axisY, 0.0f);
    glTranslated(0.0, 0.0, GLOW_DISTANCE);

    glPushMatrix();
    glRotatef(static_cast<float>(scene.glowAngle), 0.0f, 0.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, FIRST_GLOW_TEXTURE);
    glDisable(GL_DEPTH_TEST);
    drawGlowFan();
    glPopMatrix();

    glRotatef(static_cast<float>(-scene.glowAngle), 0.0f, 0.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, SECOND_GLOW_TEXTURE);
    drawGlowFan();
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
}
