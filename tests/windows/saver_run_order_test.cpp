// A whole run of "/s" in this process, on the real opengl32 and the test display: what the run turns
// on before its frames and off again after them, in pairs. The frames are watched through the
// multimedia timer, which the frame loop reads once per frame; the third frame asks the saver to end.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "stars_only_key.h"
#include "gl/gl_api.h"
#include "platform/platform.h"
#include "saver/saver_input.h"
#include "saver/win32/saver_main.h"
#include "settings/win32/registry_store.h"

namespace {

Platform real{};
std::vector<std::string> events;
int frames = 0;

// The cursor's display counter: shown while it is 0 or more.
int cursorCounter() {
    const int counter = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return counter;
}

bool saverRunningFlag() {
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    return running != FALSE;
}

int cursorDuringFrames = 99;
bool runningDuringFrames = false;
bool libraryDuringFrames = false;
RECT windowDuringFrames{};

uint32_t watchFrames() {
    if (++frames == 3) {
        cursorDuringFrames = cursorCounter();
        runningDuringFrames = saverRunningFlag();
        libraryDuringFrames = glApi.library != nullptr;
        GetWindowRect(FindWindowA("OpenGL", "Orbitarium"), &windowDuringFrames);
        events.push_back("frames");
        requestClose();
    }
    return real.multimediaTime();
}

int32_t recordModeChange(const DisplayMode* mode) {
    events.push_back(mode ? "mode " + std::to_string(mode->width) + "x" + std::to_string(mode->height) : "mode restored");
    return real.changeDisplayMode(mode);
}

void* recordLoad(const char* name) {
    void* library = real.loadLibrary(name);
    events.push_back(std::string("load ") + name);
    return library;
}

int recordFree(void* library) {
    events.push_back("free");
    return real.freeLibrary(library);
}

std::vector<std::string> boxes;
int recordBox(const char* text, const char*, uint32_t) {
    boxes.push_back(text);
    return IDOK;
}

DisplayMode currentMode() {
    DisplayMode mode;
    real.currentDisplayMode(&mode);
    return mode;
}

class SaverRunOrder : public ::testing::Test {
protected:
    void SetUp() override {
        real = platform;
        platform.multimediaTime = watchFrames;
        platform.changeDisplayMode = recordModeChange;
        platform.loadLibrary = recordLoad;
        platform.freeLibrary = recordFree;
        platform.messageBox = recordBox;
        events.clear();
        boxes.clear();
        frames = 0;
        cursorDuringFrames = 99;
        storeOnlyNumStars(1);
    }
    void TearDown() override {
        platform = real;
        RegDeleteTreeA(HKEY_CURRENT_USER, SAVER_KEY);
        saverSettings = SaverSettings{};
    }
    static void store(const char* name, DWORD value) {
        HKEY key = nullptr;
        RegOpenKeyExA(HKEY_CURRENT_USER, SAVER_KEY, 0, KEY_ALL_ACCESS, &key);
        RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
        RegCloseKey(key);
    }
    static DWORD stored(const char* name) {
        DWORD value = 0, size = sizeof value;
        RegGetValueA(HKEY_CURRENT_USER, SAVER_KEY, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
        return value;
    }
    // Stored options for a 1600 x 1200 display at the current depth.
    static void storeLargerMode() {
        store("ScrWidth", 1600);
        store("ScrHeight", 1200);
        store("ColorBits", currentMode().bitsPerPixel);
    }
};

}  // namespace

TEST_F(SaverRunOrder, TheCursorFlagModeAndDriverAreSetBeforeTheFramesAndUndoneAfter) {
    const int cursorBefore = cursorCounter();
    ASSERT_FALSE(saverRunningFlag());
    ASSERT_EQ(saverMain(GetModuleHandleA(nullptr), "orb.scr /s", SW_SHOW), 0);
    ASSERT_GE(frames, 3) << "the frame loop ran";

    EXPECT_EQ(cursorDuringFrames, cursorBefore - 1) << "hidden once for the run";
    EXPECT_EQ(cursorCounter(), cursorBefore) << "and shown once after it";
    EXPECT_TRUE(runningDuringFrames);
    EXPECT_FALSE(saverRunningFlag()) << "the saver-running flag is cleared";
    EXPECT_TRUE(libraryDuringFrames);
    EXPECT_EQ(glApi.library, nullptr);

    // The driver is loaded before the frames and freed after the display mode is restored.
    ASSERT_GE(events.size(), 4u);
    EXPECT_EQ(events.front().rfind("load ", 0), 0u) << events.front();
    const auto at = [](const std::string& name) { return std::find(events.begin(), events.end(), name) - events.begin(); };
    EXPECT_LT(at("frames"), at("mode restored"));
    EXPECT_LT(at("mode restored"), at("free"));
    EXPECT_EQ(events.back(), "free");
    EXPECT_EQ(std::count(events.begin(), events.end(), "mode restored"), 1);
}

TEST_F(SaverRunOrder, WithShowMouseTheCursorIsLeftAlone) {
    store("ShowMouse", 1);
    const int cursorBefore = cursorCounter();
    ASSERT_EQ(saverMain(GetModuleHandleA(nullptr), "orb.scr /s", SW_SHOW), 0);
    ASSERT_GE(frames, 3);
    EXPECT_EQ(cursorDuringFrames, cursorBefore);
    EXPECT_EQ(cursorCounter(), cursorBefore);
}

// A stored mode the display no longer lists (the test display has only its own size) is treated as
// absent: the run takes the current mode, switches nothing, shows no box, and leaves the stored values.
TEST_F(SaverRunOrder, AStoredModeTheDisplayDoesNotListRunsInTheCurrentModeWithoutABox) {
    storeLargerMode();
    const DisplayMode current = currentMode();
    ASSERT_EQ(saverMain(GetModuleHandleA(nullptr), "orb.scr /s", SW_SHOW), 0);
    ASSERT_GE(frames, 3) << "the frame loop ran";
    EXPECT_TRUE(boxes.empty()) << boxes.front();
    for (const std::string& event : events) EXPECT_TRUE(event.rfind("mode ", 0) != 0 || event == "mode restored") << event;
    EXPECT_EQ(windowDuringFrames.right - windowDuringFrames.left, static_cast<LONG>(current.width));
    EXPECT_EQ(windowDuringFrames.bottom - windowDuringFrames.top, static_cast<LONG>(current.height));
    EXPECT_EQ(stored("ScrWidth"), 1600u);
    EXPECT_EQ(stored("ScrHeight"), 1200u);
}

// A mode the display lists but refuses to switch to keeps its box and ends the saver with code 1.
TEST_F(SaverRunOrder, AListedModeThatFailsKeepsItsBox) {
    storeLargerMode();
    platform.enumDisplayMode = [](uint32_t index, DisplayMode* mode) {
        if (index > 0) return false;
        *mode = currentMode();
        mode->width = 1600;
        mode->height = 1200;
        return true;
    };
    platform.changeDisplayMode = [](const DisplayMode* mode) {
        return mode ? MODE_CHANGE_BADMODE : real.changeDisplayMode(nullptr);
    };
    EXPECT_EQ(saverMain(GetModuleHandleA(nullptr), "orb.scr /s", SW_SHOW), 1);
    EXPECT_EQ(boxes, std::vector<std::string>{"Fullscreen not supported in that color depth"});
    while (HWND left = FindWindowA("OpenGL", nullptr)) DestroyWindow(left);  // left for the process exit
}
