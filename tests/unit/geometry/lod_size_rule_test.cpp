// The level-of-detail size rule, seen off the line of sight: a node is small when the angle
// atan2(x extent / d, 1) is below 0.005 rad, where d is the length of the clip-space vector
// (projection × modelview × body centre, not divided by w). Off the centre line that length differs
// from the eye distance, and the ring's boxes are far thinner in y than in x, so measuring the wrong
// length, the wrong extent or against another threshold changes which leaves collapse.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fake_gl.h"
#include "geometry/lod_tree.h"
#include "lod_test_support.h"

namespace {

using namespace lod_test;

struct Rule {
    bool clipLength = true;  // false: the eye-space distance
    int axis = 0;            // the box extent measured
    double threshold = 0.005;
};

// The leaves that one traversal from the built tree collapses under a rule: a leaf's children are
// entries, always collapsed, so a leaf collapses exactly when it is small.
std::vector<bool> smallLeaves(const std::vector<LodNode*>& leaves, const float clip[3], const float eye[3],
                              const Rule& rule) {
    const float* v = rule.clipLength ? clip : eye;
    const double d = std::sqrt(double(v[0]) * v[0] + double(v[1]) * v[1] + double(v[2]) * v[2]);
    std::vector<bool> small;
    for (const LodNode* n : leaves) {
        const double size = n->boxMax[rule.axis] - n->boxMin[rule.axis];
        small.push_back(std::atan2(size / d, 1.0) < rule.threshold);
    }
    return small;
}

void multiply(const float m[16], const float in[4], float out[4]) {
    for (int r = 0; r < 4; ++r) out[r] = m[r] * in[0] + m[4 + r] * in[1] + m[8 + r] * in[2] + m[12 + r] * in[3];
}

}  // namespace

TEST(LodSizeRule, OffTheLineOfSightTheClipLengthAndTheXExtentDecide) {
    BuiltBody ring(RING_INDEX, RingTables);
    CelestialBody& body = ring.body;
    fake_gl::ScopedGl gl;

    std::vector<LodNode*> leaves;
    for (LodNode* n : nodesOf(body)) {
        if (n->hasEntries && n->parent) leaves.push_back(n);
    }
    ASSERT_GT(leaves.size(), 20u);
    // The most common leaf width sets the distance: those leaves lie just below the angle.
    float width = 0;
    std::size_t best = 0;
    for (const LodNode* a : leaves) {
        std::size_t same = 0;
        for (const LodNode* b : leaves) same += a->boxMax[0] - a->boxMin[0] == b->boxMax[0] - b->boxMin[0];
        if (same > best) best = same, width = a->boxMax[0] - a->boxMin[0];
    }

    // The camera looks along -z at a point below the ring's centre: the centre is high in the picture
    // (normalised y about 0.9), so its clip vector is about 12 % longer than its eye distance.
    const float up[3] = {0, 1, 0};
    const float* c = body.boxCentre;
    float clip[4], eye[4];
    for (float distance = 1000.0f, d = 0; distance < 2e6f; distance *= 1.0f + 0.02f) {
        const float eyePoint[3] = {c[0], c[1], c[2] + distance};
        const float target[3] = {c[0], c[1] - 0.68f * distance, c[2]};
        fake_gl::lookAt(fake_gl::current.modelview, eyePoint, target, up);
        fake_gl::saverProjection(fake_gl::current.projection);
        multiply(fake_gl::current.modelview, c, eye);
        multiply(fake_gl::current.projection, eye, clip);
        d = std::sqrt(clip[0] * clip[0] + clip[1] * clip[1] + clip[2] * clip[2]);
        if (std::atan2(width / d, 1.0f) < 0.005 * 0.97) break;
    }
    ASSERT_GT(clip[1] / clip[3], 0.8f) << "the centre is off the line of sight";
    ASSERT_LT(clip[1] / clip[3], 1.0f) << "and still in the picture";

    const std::vector<bool> expected = smallLeaves(leaves, clip, eye, Rule{});
    // The scene tells the rule apart from its near misses.
    EXPECT_NE(expected, smallLeaves(leaves, clip, eye, Rule{false, 0, 0.005})) << "eye distance";
    EXPECT_NE(expected, smallLeaves(leaves, clip, eye, Rule{true, 1, 0.005})) << "y extent";
    EXPECT_NE(expected, smallLeaves(leaves, clip, eye, Rule{true, 0, 0.010})) << "twice the angle";
    EXPECT_NE(expected, std::vector<bool>(leaves.size(), true));
    EXPECT_NE(expected, std::vector<bool>(leaves.size(), false));

    updateLod(body.mesh.lodRoot, &body);
    for (std::size_t i = 0; i < leaves.size(); ++i) {
        EXPECT_EQ(leaves[i]->collapsed != 0, expected[i])
            << "leaf " << i << " of width " << leaves[i]->boxMax[0] - leaves[i]->boxMin[0];
    }
    expectConsistent(body);
}
