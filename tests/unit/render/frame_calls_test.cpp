// The GL calls of one frame, recorded: the camera, each body's texture and transforms, the bodies the
// view test skips, and the blocks of triangles. The checks look at each body's calls between its push
// and pop, so passes drawn between the bodies (the sky, the Sun's glow) do not disturb them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "geometry/celestial_body.h"
#include "geometry/fake_gl.h"
#include "gl/recording_gl.h"
#include "gl/window_system.h"
#include "render/frame_render.h"
#include "scene/scene.h"

namespace {

using recording_gl::Call;

struct BodyCalls {
    int texture;
    std::vector<Call> inside;  // between its glPushMatrix and the matching glPopMatrix
    bool textured;             // GL_TEXTURE_2D on at its glBegin (true when it has none)
};

// Splits the record at the binds of the body textures (names 0 to 11).
std::vector<BodyCalls> bodyCalls(const std::vector<Call>& calls) {
    std::vector<BodyCalls> bodies;
    bool texturing = false;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        const Call& call = calls[i];
        if ((call.name == "glEnable" || call.name == "glDisable") && call.args[0] == GL_TEXTURE_2D)
            texturing = call.name == "glEnable";
        if (call.name != "glBindTexture" || call.args[1] >= BODY_COUNT) continue;
        BodyCalls body{static_cast<int>(call.args[1]), {}, true};
        if (i + 1 >= calls.size() || calls[i + 1].name != "glPushMatrix") {
            ADD_FAILURE() << "body texture " << body.texture << " bound without a push";
            return bodies;
        }
        int depth = 1;
        for (i += 2; i < calls.size(); ++i) {
            const Call& inner = calls[i];
            if ((inner.name == "glEnable" || inner.name == "glDisable") && inner.args[0] == GL_TEXTURE_2D)
                texturing = inner.name == "glEnable";
            depth += inner.name == "glPushMatrix";
            depth -= inner.name == "glPopMatrix";
            if (depth == 0) break;
            if (inner.name == "glBegin") body.textured = body.textured && texturing;
            body.inside.push_back(inner);
        }
        bodies.push_back(body);
    }
    return bodies;
}

std::vector<Call> named(const std::vector<Call>& calls, std::initializer_list<const char*> names) {
    std::vector<Call> kept;
    for (const Call& call : calls)
        for (const char* name : names)
            if (call.name == name) kept.push_back(call);
    return kept;
}

// Colours that no lighting pass gives (lit colours are at least 0.3 of the base colour).
constexpr float UNLIT_MARK = 0.25f;

void markColours(CelestialBody& body) {
    for (int v = 0; v < body.mesh.vertexCount; ++v)
        for (float& c : body.mesh.vertices[v].colour) c = UNLIT_MARK;
    for (MeshVertex* v = body.mesh.lodVertices; v; v = v->next)
        for (float& c : v->colour) c = UNLIT_MARK;
}

bool coloursChanged(const CelestialBody& body) {
    for (int v = 0; v < body.mesh.vertexCount; ++v)
        for (float c : body.mesh.vertices[v].colour)
            if (c != UNLIT_MARK) return true;
    for (const MeshVertex* v = body.mesh.lodVertices; v; v = v->next)
        for (float c : v->colour)
            if (c != UNLIT_MARK) return true;
    return false;
}

// What the level-of-detail step leaves behind: the triangles' visibility and corners.
std::vector<const void*> lodState(const CelestialBody& body) {
    std::vector<const void*> state;
    for (int t = 0; t < body.mesh.triangleCount; ++t) {
        const MeshTriangle& triangle = body.mesh.triangles[t];
        state.push_back(triangle.visible ? &triangle : nullptr);
        state.insert(state.end(), triangle.corners, triangle.corners + 3);
    }
    return state;
}

int visibleTriangles(const CelestialBody& body) {
    int count = 0;
    for (int t = 0; t < body.mesh.triangleCount; ++t) count += body.mesh.triangles[t].visible != 0;
    return count;
}

class FrameCalls : public ::testing::Test {
protected:
    void SetUp() override {
        savedScene_ = scene;
        savedDeviceContext_ = sharedDeviceContext;
        buildBodies(&first_);
        scene.bodies = &first_;
        scene.stars = &stars_;
        scene.eye[0] = 10.5f, scene.eye[1] = 20.25f, scene.eye[2] = -30.125f;
        scene.target[0] = 11.5f, scene.target[1] = 20.0f, scene.target[2] = -30.0f;
        scene.up[0] = 0.0f, scene.up[1] = 1.0f, scene.up[2] = 0.0f;
        for (int i = 0; i < BODY_COUNT; ++i) scene.orbitAngle[i] = 10.0f * i + 3.0f;
        scene.orbitAngle[MOON_INDEX] = scene.orbitAngle[EARTH_INDEX];
        scene.orbitAngle[RING_INDEX] = scene.orbitAngle[SATURN_INDEX];
        scene.spinAngle = 17.5f;
        sharedDeviceContext = reinterpret_cast<void*>(0xDC);
    }
    void TearDown() override {
        releaseBodies(&first_);
        scene = savedScene_;
        sharedDeviceContext = savedDeviceContext_;
    }
    CelestialBody& body(int index) {
        CelestialBody* b = &first_;
        for (int i = 0; i < index; ++i) b = b->next;
        return *b;
    }

    recording_gl::ScopedRecordingGl gl;
    CelestialBody first_{};
    static StarField stars_;  // no stars: the sky is one display-list call

private:
    Scene savedScene_;
    void* savedDeviceContext_;
};

StarField FrameCalls::stars_;

// The view test reads the matrices from glGetFloatv, which here answer a fixed camera on the orbital
// plane looking back at the Sun along -x: bodies farther out than the camera are behind it.
struct Camera {
    const char* what;
    float eyeX;
    float targetX;
    std::vector<int> skipped;
};

TEST_F(FrameCalls, EachBodyTexturedTurnedAndDrawnOnceUnlessOutOfView) {
    for (const Camera& camera : {Camera{"beyond Mars", 1000.0f, 750.0f, {5, 6, 7, 8, 9, 11}},
                                 Camera{"beyond Saturn's ring", 2100.0f, 1750.0f, {7, 8, 9}}}) {
        SCOPED_TRACE(camera.what);
        const float eye[3] = {camera.eyeX, 0.0f, 0.0f}, target[3] = {camera.targetX, 0.0f, 0.0f},
                    up[3] = {0.0f, 1.0f, 0.0f};
        fake_gl::lookAt(fake_gl::current.modelview, eye, target, up);
        fake_gl::saverProjection(fake_gl::current.projection);
        std::vector<std::vector<const void*>> before;
        for (int i = 0; i < BODY_COUNT; ++i) {
            markColours(body(i));
            before.push_back(lodState(body(i)));
        }
        recording_gl::calls.clear();

        drawFrame();

        const std::vector<Call>& calls = recording_gl::calls;
        const std::vector<BodyCalls> bodies = bodyCalls(calls);
        ASSERT_EQ(bodies.size(), static_cast<std::size_t>(BODY_COUNT));
        for (int i = 0; i < BODY_COUNT; ++i) {
            SCOPED_TRACE("body " + std::to_string(i));
            ASSERT_EQ(bodies[i].texture, i);  // bound in list order, by index
            const bool skipped = std::count(camera.skipped.begin(), camera.skipped.end(), i) > 0;
            const float x = static_cast<float>(BODY_ORBIT_RADII[i]);
            const float z = i == MOON_INDEX ? MOON_OFFSET_Z : 0.0f;
            const float spin = scene.spinAngle;
            std::vector<Call> expected = {{"glRotatef", {scene.orbitAngle[i], 0, 1, 0}}};
            if (i == MOON_INDEX) {
                expected.push_back({"glTranslatef", {750, 0, 0}});
                expected.push_back({"glRotatef", {spin, 0, 1, 0}});
                expected.push_back({"glTranslatef", {-750, 0, 0}});
            }
            expected.push_back({"glTranslatef", {x, 0, z}});
            if (i != RING_INDEX) expected.push_back({"glRotatef", {spin, 0, 1, 0}});
            expected.push_back({"glTranslatef", {-x, 0, -z}});
            if (!skipped) {
                expected.push_back({"glBegin", {GL_TRIANGLES}});
                expected.push_back({"glEnd", {3.0 * visibleTriangles(body(i))}});
            }
            const std::vector<Call> seen =
                named(bodies[i].inside, {"glRotatef", "glTranslatef", "glBegin", "glEnd"});
            ASSERT_EQ(seen.size(), expected.size());
            for (std::size_t k = 0; k < expected.size(); ++k) {
                EXPECT_EQ(seen[k].name, expected[k].name) << "call " << k;
                EXPECT_EQ(seen[k].args, expected[k].args) << "call " << k << " " << expected[k].name;
            }
            EXPECT_TRUE(bodies[i].textured);

            // Only drawn planets and the Moon are lit again; skipped bodies keep their level of detail.
            EXPECT_EQ(coloursChanged(body(i)), !skipped && i != SUN_INDEX && i != RING_INDEX);
            if (skipped) {
                EXPECT_TRUE(lodState(body(i)) == before[i]);
            }
        }

        // The frame starts from a cleared screen and the camera of the scene, widened to double.
        ASSERT_GE(calls.size(), 4u);
        EXPECT_EQ(calls[0].name, "glClearColor");
        EXPECT_EQ(calls[0].args, (std::vector<double>{0, 0, 0, 0}));
        EXPECT_EQ(calls[1].name, "glClear");
        EXPECT_EQ(calls[1].args, std::vector<double>{GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT});
        EXPECT_EQ(calls[2].name, "glLoadIdentity");
        EXPECT_EQ(calls[3].name, "gluLookAt");
        EXPECT_EQ(calls[3].args, (std::vector<double>{10.5, 20.25, -30.125, 11.5, 20.0, -30.0, 0, 1, 0}));

        // It ends with texturing off, everything sent, and the picture shown.
        ASSERT_GE(calls.size(), 3u);
        const std::size_t n = calls.size();
        EXPECT_EQ(calls[n - 3].name, "glDisable");
        EXPECT_EQ(calls[n - 3].args, std::vector<double>{GL_TEXTURE_2D});
        EXPECT_EQ(calls[n - 2].name, "glFlush");
        EXPECT_EQ(calls[n - 1].name, "SwapBuffers");
        EXPECT_EQ(calls[n - 1].args, std::vector<double>{double(0xDC)});

        int depth = 0, begins = 0, ends = 0;
        for (const Call& call : calls) {
            depth += call.name == "glPushMatrix";
            depth -= call.name == "glPopMatrix";
            ASSERT_GE(depth, 0);
            begins += call.name == "glBegin";
            ends += call.name == "glEnd";
        }
        EXPECT_EQ(depth, 0);
        EXPECT_EQ(begins, ends);
    }
}

}  // namespace
