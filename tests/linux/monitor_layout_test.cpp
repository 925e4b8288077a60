// Where each monitor's window lies in the one view the primary anchors, for layouts as RandR gives them.
#include <gtest/gtest.h>

#include "hack/monitor_layout.h"
#include "render/frame_views.h"
#include "render/scene_setup.h"

namespace {

MonitorArea rect(int32_t x, int32_t y, int32_t width, int32_t height, bool primary = false) {
    return {x, y, x + width, y + height, primary};
}

void expectArea(const MonitorArea& got, const MonitorArea& want) {
    EXPECT_EQ(got.left, want.left);
    EXPECT_EQ(got.top, want.top);
    EXPECT_EQ(got.right, want.right);
    EXPECT_EQ(got.bottom, want.bottom);
}

TEST(WindowView, ThePrimaryAnchorsTheViewWhereverRandRPutsIt) {
    // RandR's primary right of a monitor at the origin, lower down and of another size.
    const MonitorArea marked[] = {rect(0, 0, 1920, 1080), rect(1920, 200, 1280, 1024, true)};
    const WindowView onPrimary = windowView(marked, 2, marked[1]);
    EXPECT_EQ(onPrimary.primaryWidth, 1280.0f);
    EXPECT_EQ(onPrimary.primaryHeight, 1024.0f);
    expectArea(onPrimary.area, rect(0, 0, 1280, 1024));
    const WindowView beside = windowView(marked, 2, marked[0]);
    EXPECT_EQ(beside.primaryWidth, 1280.0f);
    expectArea(beside.area, rect(-1920, -200, 1920, 1080));
    // Its frustum continues the primary's: the seam meets exactly, at the primary's pixel scale.
    const ViewFrustum primary = monitorFrustum(1280, 1024, onPrimary.area);
    const ViewFrustum left = monitorFrustum(beside.primaryWidth, beside.primaryHeight, beside.area);
    EXPECT_EQ(primary.left, -frustumHalfWidth(1280, 1024));
    EXPECT_EQ(primary.top, 0.75);
    EXPECT_EQ(left.right, primary.left);
    EXPECT_NEAR(left.top, 0.75 + 200 * 1.5 / 1024, 1e-12);

    // Negative origins, nothing marked: the monitor holding the origin is the primary.
    const MonitorArea unmarked[] = {rect(-1280, -300, 1280, 1024), rect(0, 0, 1024, 768), rect(0, 768, 1024, 600)};
    const WindowView leftAbove = windowView(unmarked, 3, unmarked[0]);
    EXPECT_EQ(leftAbove.primaryWidth, 1024.0f);
    EXPECT_EQ(leftAbove.primaryHeight, 768.0f);
    expectArea(leftAbove.area, rect(-1280, -300, 1280, 1024));
    expectArea(windowView(unmarked, 3, unmarked[2]).area, rect(0, 768, 1024, 600));
    // A window that is not a whole monitor (a part of the root) keeps its place too.
    expectArea(windowView(unmarked, 3, rect(-10, -20, 30, 40)).area, rect(-10, -20, 30, 40));

    // Everything at negative coordinates, nothing marked, none holding the origin: the first listed.
    const MonitorArea away[] = {rect(-2000, -1000, 800, 600), rect(-1200, -1000, 640, 480)};
    const WindowView second = windowView(away, 2, away[1]);
    EXPECT_EQ(second.primaryWidth, 800.0f);
    expectArea(second.area, rect(800, 0, 640, 480));

    // No monitors known: the window is its own primary, the view of one window as ever.
    const WindowView alone = windowView(nullptr, 0, rect(-50, 70, 640, 480));
    EXPECT_EQ(alone.primaryWidth, 640.0f);
    EXPECT_EQ(alone.primaryHeight, 480.0f);
    expectArea(alone.area, rect(0, 0, 640, 480));

    expectArea(boundingBox(unmarked, 3), MonitorArea{-1280, -300, 1024, 1368, false});
}

}  // namespace
