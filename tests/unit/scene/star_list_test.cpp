// The star field's display list, recorded call by call, and the star angles drawn from the generator.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "gl/recording_gl.h"
#include "platform_override.h"
#include "scene/random.h"
#include "scene/star_field.h"
#include "settings/saver_settings.h"

namespace {

using recording_gl::Call;
using recording_gl::record;

uint32_t fixedTicks() { return 0x4321u; }

GLuint ORB_GLAPI genLists(GLsizei range) {
    record("glGenLists", {double(range)});
    return 77;
}
void ORB_GLAPI newList(GLuint list, GLenum mode) { record("glNewList", {double(list), double(mode)}); }
void ORB_GLAPI endList() { record("glEndList", {}); }
void ORB_GLAPI pointSize(GLfloat size) { record("glPointSize", {size}); }
void ORB_GLAPI color4fv(const GLfloat* c) { record("glColor4fv", {c[0], c[1], c[2], c[3]}); }
void ORB_GLAPI vertex3fv(const GLfloat* v) {
    ++recording_gl::verticesInBlock;
    record("glVertex3fv", {v[0], v[1], v[2]});
}

class StarList : public ::testing::Test {
protected:
    void SetUp() override {
        platform.tickCount = fixedTicks;
        saverSettings = SaverSettings{};
        saverSettings.ScrWidth = 1600.0f;  // point sizes 1 to 5
        glApi.glGenLists = genLists;
        glApi.glNewList = newList;
        glApi.glEndList = endList;
        glApi.glPointSize = pointSize;
        glApi.glColor4fv = color4fv;
        glApi.glVertex3fv = vertex3fv;
        field = std::make_unique<StarField>();
    }
    ScopedPlatform savedPlatform;
    recording_gl::ScopedRecordingGl gl;
    std::unique_ptr<StarField> field;
};

}  // namespace

TEST_F(StarList, OnePointPrimitivePerStarWithItsOwnSizeBetweenTheStateSwitches) {
    createStarField(field.get(), 1000);
    compileStarList(field.get());
    EXPECT_EQ(field->listId, 77u);

    const auto& calls = recording_gl::calls;
    const std::vector<Call> opening = {{"glGenLists", {1}},
                                       {"glNewList", {77, GL_COMPILE}},
                                       {"glEnable", {GL_POINT_SMOOTH}},
                                       {"glDisable", {GL_DEPTH_TEST}},
                                       {"glDisable", {GL_CULL_FACE}}};
    const std::vector<Call> closing = {{"glEnable", {GL_CULL_FACE}},
                                       {"glEnable", {GL_DEPTH_TEST}},
                                       {"glDisable", {GL_POINT_SMOOTH}},
                                       {"glEndList", {}}};
    ASSERT_EQ(calls.size(), opening.size() + 5 * 1000 + closing.size());
    EXPECT_EQ(std::vector<Call>(calls.begin(), calls.begin() + 5), opening);
    EXPECT_EQ(std::vector<Call>(calls.end() - 4, calls.end()), closing);

    bool sizesDiffer = false;
    for (int i = 0; i < 1000; ++i) {
        const float* p = field->positions[i];
        const float* c = field->colours[i];
        const std::vector<Call> star = {{"glPointSize", {double(field->pointSizes[i])}},
                                        {"glBegin", {GL_POINTS}},
                                        {"glColor4fv", {c[0], c[1], c[2], c[3]}},
                                        {"glVertex3fv", {p[0], p[1], p[2]}},
                                        {"glEnd", {1}}};
        const auto first = calls.begin() + 5 + 5 * i;
        ASSERT_EQ(std::vector<Call>(first, first + 5), star) << "star " << i;
        sizesDiffer |= i > 0 && field->pointSizes[i] != field->pointSizes[i - 1];
    }
    EXPECT_TRUE(sizesDiffer) << "the sizes of neighbouring stars differ somewhere";
}

TEST_F(StarList, AnglesAreFullTurnsOfTheFirstTwoDrawsOfEachStar) {
    createStarField(field.get(), 300);
    seedRandom(fixedTicks() & 0xFFu);
    const float k = 3.0518509e-05f;
    for (int i = 0; i < 300; ++i) {
        const float theta = float(nextRandom()) * k * 6.28318f;
        const float phi = float(nextRandom()) * k * 6.28318f;
        for (int skip = 0; skip < 3; ++skip) nextRandom();  // size, brightness, tint
        const float* p = field->positions[i];
        EXPECT_NEAR(p[0], std::sin(theta) * std::cos(phi) * 25000.0f, 0.01f) << "star " << i;
        EXPECT_NEAR(p[1], std::sin(theta) * std::sin(phi) * 25000.0f, 0.01f) << "star " << i;
        EXPECT_NEAR(p[2], std::cos(theta) * 25000.0f, 0.01f) << "star " << i;
    }
}
