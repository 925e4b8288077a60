#include "render/frame_render.h"

#include "geometry/lod_tree.h"
#include "geometry/vertex_colours.h"
#include "geometry/view_tests.h"
#include "gl/gl_api.h"
#include "gl/glu.h"
#include "gl/window_system.h"
#include "render/frame_views.h"
#include "render/special_passes.h"
#include "scene/scene.h"

namespace {

// The body as this moment makes it: one level-of-detail step, and the lighting for the planets and the
// Moon. Reads the current matrices.
void refreshBody(CelestialBody* body) {
    updateLod(body->mesh.lodRoot, body);
    if (body->index != SUN_INDEX && body->index != RING_INDEX) litColours(body->mesh.lodRoot, body);
}

void drawBodyTriangles(const CelestialBody* body) {
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

// The camera alone on the model-view matrix.
void setCamera() {
    glLoadIdentity();
    gluApi.gluLookAt(scene.eye[0], scene.eye[1], scene.eye[2], scene.target[0], scene.target[1], scene.target[2],
                     scene.up[0], scene.up[1], scene.up[2]);
}

// A cleared picture with the camera set and the sky behind.
void beginPicture() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    setCamera();
    drawStarField(scene.stars);
}

// The bodies in list order, each turned as drawn and handed to `drawOne`, texturing on, with the glow
// drawn after the Sun whether or not the Sun itself was in view.
template <class DrawOne, class DrawGlow>
void drawBodies(DrawOne drawOne, DrawGlow drawGlow) {
    glEnable(GL_TEXTURE_2D);
    for (CelestialBody* body = scene.bodies; body; body = body->next) {
        const int i = body->index;
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(i));
        glPushMatrix();
        turnBodyAsDrawn(body);
        drawOne(body);
        glPopMatrix();
        if (i == SUN_INDEX) drawGlow();
    }
    glDisable(GL_TEXTURE_2D);
}

}  // namespace

void drawBody(CelestialBody* body) {
    if (bodyOffScreen(body)) return;
    refreshBody(body);
    drawBodyTriangles(body);
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
    beginPicture();
    drawBodies(drawBody, drawSunGlow);
    glFlush();
    swapBuffers(sharedDeviceContext);
}

void drawFrameOnEveryView() {
    if (frameViews.count == 0) {
        drawFrame();
        return;
    }
    // What the scene is at this moment, once: which views see each body, and for every body that some
    // view sees one level-of-detail step and the lighting, always by the primary's matrices (a step
    // per view would give a body at a seam two meshes in turn), and the glow's turn.
    static_assert(MAX_FRAME_VIEWS <= 32, "one bit per view");
    uint32_t seenBy[BODY_COUNT] = {};
    const FrameView& primary = frameViews.views[0];
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(primary.projection);
    glMatrixMode(GL_MODELVIEW);
    setCamera();
    for (CelestialBody* body = scene.bodies; body; body = body->next) {
        glPushMatrix();
        turnBodyAsDrawn(body);
        float modelview[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
        uint32_t& seen = seenBy[body->index];
        for (uint32_t v = 0; v < frameViews.count; ++v)
            if (!bodyOffScreenIn(body, modelview, frameViews.views[v].projection)) seen |= 1u << v;
        if (seen) refreshBody(body);
        glPopMatrix();
    }
    turnSunGlow();

    // Then each view draws what it sees, the primary first. Views that share a drawable clear only
    // their own rectangle. The context moves to a view's drawable only when it is elsewhere: the move
    // costs the driver a wait for all it has drawn.
    glEnable(GL_SCISSOR_TEST);
    for (uint32_t v = 0; v < frameViews.count; ++v) {
        const FrameView& view = frameViews.views[v];
        if (view.deviceContext && view.deviceContext != frameViews.current) {
            makeContextCurrent(view.deviceContext, renderingContext);
            frameViews.current = view.deviceContext;
        }
        glViewport(view.x - VIEW_MARGIN, view.y - VIEW_MARGIN, view.width + 2 * VIEW_MARGIN,
                   view.height + 2 * VIEW_MARGIN);
        glScissor(view.x, view.y, view.width, view.height);
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(view.marginProjection);
        glMatrixMode(GL_MODELVIEW);
        beginPicture();
        drawBodies(
            [&](const CelestialBody* body) {
                if (seenBy[body->index] & (1u << v)) drawBodyTriangles(body);
            },
            drawSunGlowAsTurned);
        glFlush();
        if (view.deviceContext) swapBuffers(view.deviceContext);
    }
    glDisable(GL_SCISSOR_TEST);
    // The primary's viewport and projection, as a frame of one view leaves them.
    glViewport(primary.x, primary.y, primary.width, primary.height);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(primary.projection);
    glMatrixMode(GL_MODELVIEW);
}
