// The view of space beyond the primary's edges on each cover: for monitor layouts that the platform
// table reports, with the system's real opengl32.dll on the saver window and the covers.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <vector>

#include "fake_desk.h"
#include "gl/driver_library.h"
#include "gl/gl_api.h"
#include "gl/window_system.h"
#include "platform/platform.h"
#include "render/frame_render.h"
#include "render/frame_views.h"
#include "render/scene_setup.h"
#include "saver/saver_mode.h"
#include "saver/saver_windows.h"
#include "saver/startup.h"
#include "saver/win32/monitor_covers.h"
#include "saver/win32/saver_window.h"
#include "scene/scene.h"
#include "settings/saver_settings.h"

namespace {

Platform real{};
std::map<void*, int> swaps;  // by device context
bool countSwap(void* deviceContext) {
    ++swaps[deviceContext];
    return real.systemSwapBuffers(deviceContext);
}
// The system's pixel format on the saver window only.
int failOnBox(const char* text, const char*, uint32_t) {
    ADD_FAILURE() << "a box: " << text;
    return IDOK;
}
bool refuseCoverFormats(void* deviceContext, int format, const void* descriptor) {
    return deviceContext == sharedDeviceContext && real.systemSetPixelFormat(deviceContext, format, descriptor);
}

class MonitorViews : public ::testing::Test {
protected:
    void SetUp() override {
        real = platform;
        platform.listMonitors = listDesk;
        platform.systemSwapBuffers = countSwap;
        platform.messageBox = failOnBox;
        swaps.clear();
        saverMode = SaverMode::None;  // the window's messages must not act on the saver's rules here
        saverState = SaverState{};
        connectSaverWindowCalls();
        glApi = GlApi{};
        DEVMODEA mode{};
        mode.dmSize = sizeof mode;
        ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
        saverSettings = SaverSettings{};
        saverSettings.ScrWidth = static_cast<float>(mode.dmPelsWidth);
        saverSettings.ScrHeight = static_cast<float>(mode.dmPelsHeight);
        saverSettings.ColorBits = static_cast<int32_t>(mode.dmBitsPerPel);
        saverSettings.Hertz = static_cast<int32_t>(mode.dmDisplayFrequency);
        saverSettings.NumStars = 1;
        ASSERT_EQ(loadGlApi("opengl32.dll"), GL_LOAD_OK);
    }

    void TearDown() override {
        destroyMonitorCovers();
        if (renderingContext) {
            makeContextCurrent(nullptr, nullptr);
            deleteRenderingContext(renderingContext);
        }
        renderingContext = nullptr;
        while (HWND left = FindWindowA("OpenGL", nullptr)) DestroyWindow(left);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
        sharedDeviceContext = nullptr;
        ChangeDisplaySettingsA(nullptr, 0);
        unloadGlApi();
        platform = real;
        saverSettings = SaverSettings{};
    }

    // The saver window with its context current, and the covers of `layout`, as the saver's start-up
    // makes them; the primary is ScrWidth x ScrHeight at the origin (in the test display's own mode).
    void start(const std::vector<MonitorArea>& layout) {
        desk = layout;
        HWND window = createSaverWindow("Orbitarium", 0, 0, truncatePixels(saverSettings.ScrWidth),
                                        truncatePixels(saverSettings.ScrHeight), false);
        ASSERT_NE(window, nullptr);
        sharedDeviceContext = GetDC(window);
        renderingContext = createRenderingContext(sharedDeviceContext);
        ASSERT_TRUE(makeContextCurrent(sharedDeviceContext, renderingContext));
        placeMonitorCovers();
        showMonitorCovers();
    }
};

// Side by side, left of and above the primary, three monitors of other heights, and a smaller mode on
// the primary that moved its neighbour: each cover carries the view its rectangle gives, after the
// primary's own, into a viewport of the cover's size.
TEST_F(MonitorViews, EveryCoverCarriesTheViewOfItsMonitor) {
    const float width = saverSettings.ScrWidth, height = saverSettings.ScrHeight;
    const int32_t w = truncatePixels(width), h = truncatePixels(height);
    const struct {
        const char* name;
        std::vector<MonitorArea> layout;
    } layouts[] = {
        {"side by side", {{0, 0, w, h, true}, {w, 0, w + 800, 600, false}}},
        {"left of the primary", {{-1280, -256, 0, h, false}, {0, 0, w, h, true}}},
        {"above", {{0, 0, w, h, true}, {112, -600, 912, 0, false}}},
        {"three", {{-800, 0, 0, 600, false}, {0, 0, w, h, true}, {w, -100, w + 1280, h + 156, false}}},
    };
    for (const auto& layout : layouts) {
        SCOPED_TRACE(layout.name);
        start(layout.layout);
        MonitorArea covered[MAX_COVERS];
        const uint32_t covers = coverAreas(covered);
        ASSERT_EQ(saverCovers.count, covers);
        EXPECT_EQ(addMonitorViews(), covers);
        ASSERT_EQ(frameViews.count, covers + 1);

        const FrameView& primary = frameViews.views[0];
        EXPECT_EQ(primary.deviceContext, sharedDeviceContext);
        EXPECT_EQ(primary.width, w);
        EXPECT_EQ(primary.height, h);
        EXPECT_EQ(primary.frustum.left, -frustumHalfWidth(width, height));
        EXPECT_EQ(primary.frustum.right, frustumHalfWidth(width, height));
        EXPECT_EQ(primary.frustum.bottom, -0.75);
        EXPECT_EQ(primary.frustum.top, 0.75);
        const double s = 1.5 / height;
        for (uint32_t i = 0; i < covers; ++i) {
            SCOPED_TRACE(i);
            const FrameView& view = frameViews.views[i + 1];
            const MonitorArea& monitor = covered[i];
            HDC coverContext = GetDC(static_cast<HWND>(saverCovers.windows[i]));
            EXPECT_EQ(view.deviceContext, coverContext);
            EXPECT_NE(GetPixelFormat(coverContext), 0);
            EXPECT_EQ(view.x, 0);
            EXPECT_EQ(view.y, 0);
            EXPECT_EQ(view.width, monitor.right - monitor.left);
            EXPECT_EQ(view.height, monitor.bottom - monitor.top);
            EXPECT_NEAR(view.frustum.left, primary.frustum.left + monitor.left * s, 1e-9);
            EXPECT_NEAR(view.frustum.right, primary.frustum.left + monitor.right * s, 1e-9);
            EXPECT_NEAR(view.frustum.top, 0.75 - monitor.top * s, 1e-9);
            EXPECT_NEAR(view.frustum.bottom, 0.75 - monitor.bottom * s, 1e-9);
        }
        TearDown();
        SetUp();
    }

    // A smaller mode on the primary: the neighbour the switch moved continues it at the new scale.
    saverSettings.ScrWidth = 800.0f;
    saverSettings.ScrHeight = 600.0f;
    start({{0, 0, 800, 600, true}, {800, 0, 1824, 768, false}});
    ASSERT_EQ(addMonitorViews(), 1u);
    EXPECT_EQ(frameViews.views[1].frustum.left, 1.0);  // the primary's right edge: 0.75 x 800 / 600
    EXPECT_NEAR(frameViews.views[1].frustum.bottom, 0.75 - 768 * 1.5 / 600, 1e-9);
}

// Two views, one pass: the glow turns once, the level of detail steps once, and each view is swapped once.
TEST_F(MonitorViews, OnePassTurnsTheGlowOnceAndSwapsEveryView) {
    start({{0, 0, truncatePixels(saverSettings.ScrWidth), truncatePixels(saverSettings.ScrHeight), true},
           {truncatePixels(saverSettings.ScrWidth), 0, truncatePixels(saverSettings.ScrWidth) + 640, 480, false}});
    setUpScene();
    ASSERT_EQ(addMonitorViews(), 1u);
    swaps.clear();
    const int32_t glowBefore = scene.glowAngle;
    for (int pass = 0; pass < 3; ++pass) drawFrameOnEveryView();
    EXPECT_EQ((scene.glowAngle - glowBefore + 360) % 360, 3);
    EXPECT_EQ(swaps[sharedDeviceContext], 3);
    EXPECT_EQ(swaps[frameViews.views[1].deviceContext], 3);
    EXPECT_EQ(swaps.size(), 2u);
}

// A driver that draws full screen on a card of its own (the 3dfx path), or a cover that takes no pixel
// format: that cover stays black and the saver draws on the others.
TEST_F(MonitorViews, WhereAViewCannotBeDrawnTheCoverStaysBlack) {
    const int32_t w = truncatePixels(saverSettings.ScrWidth), h = truncatePixels(saverSettings.ScrHeight);
    const std::vector<MonitorArea> three{{-800, 0, 0, 600, false}, {0, 0, w, h, true}, {w, 0, w + 640, 480, false}};
    start(three);
    glApi.driverPixelFormat = 1;
    EXPECT_EQ(addMonitorViews(), 0u);
    EXPECT_EQ(frameViews.count, 0u);  // the primary's frame alone, as on one monitor
    for (uint32_t i = 0; i < saverCovers.count; ++i)
        EXPECT_EQ(GetPixelFormat(GetDC(static_cast<HWND>(saverCovers.windows[i]))), 0) << i;
    glApi.driverPixelFormat = 0;
    TearDown();
    SetUp();

    platform.systemSetPixelFormat = refuseCoverFormats;
    start(three);
    EXPECT_EQ(addMonitorViews(), 0u);
    EXPECT_EQ(frameViews.count, 0u);
    EXPECT_EQ(saverCovers.count, 2u);  // both covers still there, black
}

}  // namespace
