#include "render/frame_render.h"

#include "geometry/lod_tree.h"
#include "geometry/vertex_colours.h"
#include "geometry/view_tests.h"
#include "gl/gl_api.h"
#include "gl/glu.h"
#include "gl/window_system.h"
#include "render/special_passes.h"
#include "scene/scene.h"

void drawBody(CelestialBody* body) {
    if (bodyOffScreen(body)) return;
    updateLod(body->mesh.lodRoot, body);
    if (body->index != SUN_INDEX && body->index != RING_INDEX) litColours(body->mesh.lodRoot, body);
    glBegin(GL_TRIANGLES);
    const MeshTriangle* triangles = body->mesh.triangles;
    for (int32_t t = 0; t < body->mesh.triangleCount; ++t) {
        const MeshTriangle& triangle = triangles[t];
        if (!triangle.visible) continue;
        for (int k = 0; k < 3; ++k) {
            glTexCoord2fv(triangle.texCoords[k]);
            glColor4fv(triangle.corners[k]->colour);
            const float* p = triangle.corners[k]->position;
            glVertex3f(p[0], p[1], p[2]);
        }
    }
    glEnd();
}

void turnBodyAsDrawn(const CelestialBody* body) {
    const int i = body->index;
    glRotatef(scene.orbitAngle[i], 0.0f, 1.0f, 0.0f);
    if (i == MOON_INDEX) {
        glTranslatef(EARTH_CENTRE[0], EARTH_CENTRE[1], EARTH_CENTRE[2]);
        glRotatef(scene.spinAngle, 0.0f, 1.0f, 0.0f);
        glTranslatef(-EARTH_CENTRE[0], -EARTH_CENTRE[1], -EARTH_CENTRE[2]);
    }
    // Spin about the vertical through the body's own centre; the ring only rides its orbit.
    glTranslatef(body->position[0], body->position[1], body->position[2]);
    if (i != RING_INDEX) glRotatef(scene.spinAngle, 0.0f, 1.0f, 0.0f);
    glTranslatef(-body->position[0], -body->position[1], -body->position[2]);
}

void drawFrame() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluApi.gluLookAt(scene.eye[0], scene.eye[1], scene.eye[2], scene.target[0], scene.target[1], scene.target[2],
                     scene.up[0], scene.up[1], scene.up[2]);
    drawStarField(scene.stars);

    glEnable(GL_TEXTURE_2D);
    for (CelestialBody* body = scene.bodies; body; body = body->next) {
        const int i = body->index;
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(i));
        glPushMatrix();
        turnBodyAsDrawn(body);
        drawBody(body);
        glPopMatrix();
        if (i == SUN_INDEX) drawSunGlow();  // whether or not the Sun itself was in view
    }
    glDisable(GL_TEXTURE_2D);
    glFlush();
    swapBuffers(sharedDeviceContext);
}
