// Which monitors get a cover, which windows are the saver's, and the activation and cursor rules that
// depend on them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform_override.h"
#include "saver/saver_input.h"
#include "saver/saver_mode.h"
#include "saver/saver_windows.h"
#include "saver/startup.h"
#include "settings/saver_settings.h"

namespace {

std::vector<MonitorArea> desk;
uint32_t listDesk(MonitorArea* monitors, uint32_t capacity) {
    uint32_t count = 0;
    for (const MonitorArea& monitor : desk)
        if (count < capacity) monitors[count++] = monitor;
    return count;
}

std::string describe(const MonitorArea* areas, uint32_t count) {
    std::string text;
    for (uint32_t i = 0; i < count; ++i) {
        const MonitorArea& a = areas[i];
        text += std::to_string(a.left) + "," + std::to_string(a.top) + "-" + std::to_string(a.right) + "," +
                std::to_string(a.bottom) + (a.primary ? "P" : "") + " ";
    }
    return text;
}

std::string coversOf(const std::vector<MonitorArea>& monitors) {
    desk = monitors;
    MonitorArea areas[MAX_COVERS];
    return describe(areas, coverAreas(areas));
}

class CoverAreas : public ::testing::Test {
protected:
    void SetUp() override { platform.listMonitors = listDesk; }
    ScopedPlatform saved;
};

TEST_F(CoverAreas, EveryMonitorButThePrimaryInVirtualScreenPixels) {
    // One monitor: nothing to cover.
    EXPECT_EQ(coversOf({{0, 0, 1024, 768, true}}), "");
    // Side by side, the primary listed second.
    EXPECT_EQ(coversOf({{1024, 0, 1824, 600, false}, {0, 0, 1024, 768, true}}), "1024,0-1824,600 ");
    // Above the primary, and left of it: negative origins.
    EXPECT_EQ(coversOf({{0, 0, 1920, 1080, true}, {200, -900, 1640, 0, false}}), "200,-900-1640,0 ");
    EXPECT_EQ(coversOf({{-1280, -200, 0, 824, false}, {0, 0, 1024, 768, true}}), "-1280,-200-0,824 ");
    // Three monitors, the covers in the system's order.
    EXPECT_EQ(coversOf({{-800, 0, 0, 600, false}, {0, 0, 1024, 768, true}, {1024, -300, 2048, 468, false}}),
              "-800,0-0,600 1024,-300-2048,468 ");
}

TEST_F(CoverAreas, WithoutAPrimaryMarkTheMonitorAtTheOriginIsThePrimary) {
    EXPECT_EQ(coversOf({{1024, 0, 1824, 600, false}, {0, 0, 1024, 768, false}}), "1024,0-1824,600 ");
    // None holds the origin either: every monitor is covered, the saver window lies on none of them.
    EXPECT_EQ(coversOf({{100, 100, 900, 700, false}, {900, 100, 1700, 700, false}}),
              "100,100-900,700 900,100-1700,700 ");
}

// A monitor that shows part of the primary (a mirrored display) already shows the saver window: a
// topmost cover there would hide the saver's own picture.
TEST_F(CoverAreas, MirroredEmptyAndRepeatedMonitorsGetNoCover) {
    EXPECT_EQ(coversOf({{0, 0, 1024, 768, true}, {0, 0, 1024, 768, false}, {0, 0, 800, 600, false}}), "");
    EXPECT_EQ(coversOf({{0, 0, 1024, 768, true}, {1024, 0, 1024, 600, false}, {1024, 600, 1824, 0, false}}), "");
    EXPECT_EQ(coversOf({{0, 0, 1024, 768, true}, {1024, 0, 1824, 600, false}, {1024, 0, 1824, 600, false}}),
              "1024,0-1824,600 ");
    // Overlapping the primary only in part: the rest of that monitor must still be hidden.
    EXPECT_EQ(coversOf({{0, 0, 1024, 768, true}, {800, 0, 1600, 600, false}}), "800,0-1600,600 ");
}

// A platform that answers with more monitors than it was given room for is not believed.
uint32_t overstatingList(MonitorArea* monitors, uint32_t capacity) {
    for (uint32_t i = 0; i < capacity; ++i)
        monitors[i] = {static_cast<int32_t>(i) * 10, 0, static_cast<int32_t>(i) * 10 + 10, 10, i == 0};
    return capacity + 1000;
}

TEST_F(CoverAreas, AFailedListOrAnOverlongOneStaysWithinBounds) {
    EXPECT_EQ(coversOf({}), "");
    std::vector<MonitorArea> wall{{0, 0, 100, 100, true}};
    for (int32_t i = 1; i < 80; ++i) wall.push_back({i * 100, 0, i * 100 + 100, 100, false});
    desk = wall;
    MonitorArea areas[MAX_COVERS];
    ASSERT_EQ(coverAreas(areas), MAX_COVERS);
    EXPECT_EQ(areas[0].left, 100);
    EXPECT_EQ(areas[MAX_COVERS - 1].left, static_cast<int32_t>(MAX_COVERS) * 100);
    platform.listMonitors = overstatingList;
    EXPECT_EQ(coverAreas(areas), MAX_COVERS);  // and nothing read beyond the list
}

// What the rules asked of the window system: C close posted.
std::string calls;
void postClose(void*) { calls += 'C'; }
void postQuit(void*) { calls += 'Q'; }
void refreshCursor(void*) {}
int verifyPassword(void*) { return 1; }

void* const SAVER_WINDOW = reinterpret_cast<void*>(0x1000);
void* const COVER_A = reinterpret_cast<void*>(0x2000);
void* const COVER_B = reinterpret_cast<void*>(0x3000);
void* const OTHER_PROGRAM = reinterpret_cast<void*>(0x4000);

class SaverWindows : public ::testing::Test {
protected:
    void SetUp() override {
        saverWindowCalls = {postClose, postQuit, refreshCursor, verifyPassword};
        saverMode = SaverMode::Run;
        exitRulesArmed = true;
        saverSettings = SaverSettings{};
        saverState = SaverState{};
        saverState.window = SAVER_WINDOW;
        saverCovers = SaverCovers{};
        saverCovers.windows[0] = COVER_A;
        saverCovers.windows[1] = COVER_B;
        saverCovers.count = 2;
        calls.clear();
    }
    void TearDown() override {
        saverMode = SaverMode::None;
        exitRulesArmed = false;
        saverCovers = SaverCovers{};
    }
};

TEST_F(SaverWindows, TheSaverWindowAndItsCoversAreOursAndNothingElse) {
    EXPECT_TRUE(isSaverWindow(SAVER_WINDOW));
    EXPECT_TRUE(isSaverWindow(COVER_A));
    EXPECT_TRUE(isSaverWindow(COVER_B));
    EXPECT_FALSE(isSaverWindow(OTHER_PROGRAM));
    EXPECT_FALSE(isSaverWindow(nullptr));
    // A slot past the count is no cover, whatever it still holds.
    saverCovers.count = 1;
    EXPECT_FALSE(isSaverWindow(COVER_B));
    // Before the saver window exists, null is still nobody's.
    saverState.window = nullptr;
    EXPECT_FALSE(isSaverWindow(nullptr));
}

TEST_F(SaverWindows, ActivationMovingBetweenTheSaversWindowsIsNotLeaving) {
    onActivation(false, COVER_A);  // the saver window hands it to a cover
    onActivation(false, SAVER_WINDOW);  // and the cover back
    onActivation(false, COVER_B);
    onActivation(true, OTHER_PROGRAM);
    EXPECT_EQ(calls, "");
    EXPECT_EQ(saverState.closeRequested, 0);
    // To another program's window, to a window the system does not name, or the application leaving.
    for (void* gaining : {OTHER_PROGRAM, static_cast<void*>(nullptr)}) {
        calls.clear();
        onActivation(false, gaining);
        EXPECT_EQ(calls, "C");
    }
    // Once the covers are gone, a handle that was one is a stranger's.
    saverCovers = SaverCovers{};
    calls.clear();
    onActivation(false, COVER_A);
    EXPECT_EQ(calls, "C");
}

TEST_F(SaverWindows, CoversHideTheCursorUnlessShowMouseAndShowTheArrowDuringAPasswordCheck) {
    EXPECT_TRUE(coverCursorHidden());
    saverSettings.ShowMouse = 1;
    EXPECT_FALSE(coverCursorHidden());
    EXPECT_TRUE(cursorHidden());  // the saver window's own rule is not ShowMouse's
    saverSettings.ShowMouse = 0;
    saverState.checkingPassword = 1;
    EXPECT_FALSE(coverCursorHidden());
    saverState.checkingPassword = 0;
    exitRulesArmed = false;  // start-up: an error box must be answerable on any monitor
    EXPECT_FALSE(coverCursorHidden());
}

}  // namespace
