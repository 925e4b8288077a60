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

uint32_t watchFrames() {
    if (++frames == 3) {
        cursorDuringFrames = cursorCounter();
        runningDuringFrames = saverRunningFlag();
        libraryDuringFrames = glApi.library != nullptr;
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

class SaverRunOrder : public ::testing::Test {
protected:
    void SetUp() override {
        real = platform;
        platform.multimediaTime = watchFrames;
        platform.changeDisplayMode = recordModeChange;
        platform.loadLibrary = recordLoad;
        platform.freeLibrary = recordFree;
        events.clear();
        frames = 0;
        cursorDuringFrames = 99;
        storeOnlyNumStars(1);
    }
    void TearDown() override {
        platform = real;
        RegDeleteTreeA(HKEY_CURRENT_USER, SAVER_KEY);
        saverSettings = SaverSettings{};
    }
    void storeShowMouse(DWORD value) {
        HKEY key = nullptr;
        RegOpenKeyExA(HKEY_CURRENT_USER, SAVER_KEY, 0, KEY_ALL_ACCESS, &key);
        RegSetValueExA(key, "ShowMouse", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
        RegCloseKey(key);
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
    storeShowMouse(1);
    const int cursorBefore = cursorCounter();
    ASSERT_EQ(saverMain(GetModuleHandleA(nullptr), "orb.scr /s", SW_SHOW), 0);
    ASSERT_GE(frames, 3);
    EXPECT_EQ(cursorDuringFrames, cursorBefore);
    EXPECT_EQ(cursorCounter(), cursorBefore);
}
