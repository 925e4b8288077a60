// The saver window, its display mode, pixel format and rendering context, with the system's real
// opengl32.dll on the test display.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "gl/driver_library.h"
#include "gl/gl_api.h"
#include "gl/window_system.h"
#include "platform/platform.h"
#include "saver/saver_input.h"
#include "saver/saver_mode.h"
#include "saver/startup.h"
#include "saver/win32/saver_window.h"
#include "settings/saver_settings.h"

namespace {

struct ShownMessage {
    std::string text;
    std::string caption;
    uint32_t flags;
};
std::vector<ShownMessage> shownMessages;

int recordMessage(const char* text, const char* caption, uint32_t flags) {
    shownMessages.push_back({text, caption, flags});
    return IDOK;
}

// The loaded driver's current rendering context on this thread.
void* currentContext() {
    using CurrentContextFn = void*(WINAPI*)();
    auto current = reinterpret_cast<CurrentContextFn>(platform.librarySymbol(glApi.library, "wglGetCurrentContext"));
    return current ? current() : reinterpret_cast<void*>(-1);
}

class SaverWindow : public ::testing::Test {
protected:
    void SetUp() override {
        // Window messages must not act on the saver's own rules here.
        saverMode = SaverMode::None;
        saverState = SaverState{};
        connectSaverWindowCalls();
        glApi = GlApi{};
        sharedDeviceContext = nullptr;
        renderingContext = nullptr;
        shownMessages.clear();
        systemMessageBox = platform.messageBox;
        platform.messageBox = recordMessage;

        // The options ask for the display's current mode unless a test says otherwise.
        DEVMODEA mode{};
        mode.dmSize = sizeof mode;
        ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
        saverSettings = SaverSettings{};
        saverSettings.ScrWidth = static_cast<float>(mode.dmPelsWidth);
        saverSettings.ScrHeight = static_cast<float>(mode.dmPelsHeight);
        saverSettings.ColorBits = static_cast<int32_t>(mode.dmBitsPerPel);
        saverSettings.Hertz = static_cast<int32_t>(mode.dmDisplayFrequency);
        displayWidth = static_cast<int>(mode.dmPelsWidth);
        displayHeight = static_cast<int>(mode.dmPelsHeight);

        ASSERT_EQ(loadGlApi("opengl32.dll"), GL_LOAD_OK);
    }

    void TearDown() override {
        if (renderingContext) {
            makeContextCurrent(nullptr, nullptr);
            deleteRenderingContext(renderingContext);
        }
        renderingContext = nullptr;
        // Also the window that a failed mode switch leaves behind.
        while (HWND left = FindWindowA("OpenGL", nullptr)) DestroyWindow(left);
        dispatchWaitingMessages();
        sharedDeviceContext = nullptr;
        ChangeDisplaySettingsA(nullptr, 0);
        unloadGlApi();
        platform.messageBox = systemMessageBox;
    }

    // Dispatched, not just removed: a paint message stays until the window procedure has painted.
    static void dispatchWaitingMessages() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message != WM_QUIT) DispatchMessageA(&message);
        }
    }

    HWND createFullScreen() { return createSaverWindow("Orbitarium", 0, 0, displayWidth, displayHeight); }

    // Creates the window and a current rendering context on it, as the saver's start-up does.
    HWND createWithContext() {
        HWND window = createFullScreen();
        if (!window) return nullptr;
        sharedDeviceContext = GetDC(window);
        renderingContext = createRenderingContext(sharedDeviceContext);
        makeContextCurrent(sharedDeviceContext, renderingContext);
        return window;
    }

    int displayWidth = 0;
    int displayHeight = 0;
    int (*systemMessageBox)(const char*, const char*, uint32_t) = nullptr;
};

TEST_F(SaverWindow, SystemOpenGlExportsEveryCoreEntryAndKeepsTheSystemPixelFormatCalls) {
    for (const GlEntry& entry : GL_CORE_ENTRIES) EXPECT_NE(glEntryValue(glApi, entry), nullptr) << entry.name;
    EXPECT_EQ(glApi.driverPixelFormat, 0);
    EXPECT_NE(unloadGlApi(), 0);
    EXPECT_EQ(glApi.library, nullptr);
}

TEST_F(SaverWindow, ClassAndWindowAreTheSaversFullScreenPopup) {
    HWND window = createFullScreen();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(shownMessages.empty());

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), "OpenGL", &windowClass));
    EXPECT_EQ(moduleInstance, GetModuleHandleA(nullptr));
    EXPECT_EQ(windowClass.style, static_cast<UINT>(CS_OWNDC));
    EXPECT_EQ(windowClass.lpfnWndProc, SaverWindowProc);
    EXPECT_EQ(windowClass.cbClsExtra, 0);
    EXPECT_EQ(windowClass.cbWndExtra, 0);
    EXPECT_EQ(windowClass.hIcon, LoadIconA(nullptr, IDI_WINLOGO));
    EXPECT_EQ(windowClass.hCursor, LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(windowClass.hbrBackground, nullptr);
    EXPECT_EQ(windowClass.lpszMenuName, nullptr);

    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)), 0x96000000u);
    EXPECT_EQ(GetWindowLongPtrA(window, GWL_EXSTYLE), 0);
    char caption[32] = {};
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ(caption, "Orbitarium");
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    EXPECT_EQ(frame.right, displayWidth);
    EXPECT_EQ(frame.bottom, displayHeight);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetParent(window), nullptr);
    EXPECT_EQ(GetMenu(window), nullptr);
    // The window procedure saw the creation message.
    EXPECT_EQ(saverState.window, window);
}

TEST_F(SaverWindow, ClassIsRegisteredOnlyOnceAndASecondWindowNeedsNoNewClass) {
    HWND first = createFullScreen();
    ASSERT_NE(first, nullptr);
    DestroyWindow(first);
    HWND second = createFullScreen();
    EXPECT_NE(second, nullptr);
    EXPECT_TRUE(shownMessages.empty());
}

ATOM WINAPI refuseClass(const WNDCLASSA*) { return 0; }
HWND WINAPI refuseWindow(DWORD, LPCSTR, LPCSTR, DWORD, int, int, int, int, HWND, HMENU, HINSTANCE, LPVOID) {
    return nullptr;
}

// The system refusing the class or the window: the saver's own box, exactly, and no window.
TEST_F(SaverWindow, RefusedClassOrWindowShowsItsBoxAndReturnsNoWindow) {
    const SaverWindowSystem real = saverWindowSystem;
    const HINSTANCE registered = moduleInstance;
    const struct {
        bool classRefused;
        const char* text;
    } cases[] = {{true, "RegisterClass() failed:  Cannot register window class."},
                 {false, "CreateWindow() failed:  Cannot create a window."}};
    for (const auto& refused : cases) {
        SCOPED_TRACE(refused.text);
        shownMessages.clear();
        // The class is registered once per process: an empty module instance makes the next window try.
        moduleInstance = refused.classRefused ? nullptr : registered;
        if (refused.classRefused) saverWindowSystem.registerClass = refuseClass;
        else saverWindowSystem.createWindowEx = refuseWindow;
        EXPECT_EQ(createSaverWindow("Orbitarium", 0, 0, displayWidth, displayHeight), nullptr);
        saverWindowSystem = real;
        EXPECT_EQ(FindWindowA("OpenGL", nullptr), nullptr);
        ASSERT_EQ(shownMessages.size(), 1u);
        EXPECT_EQ(shownMessages[0].text, refused.text);
        EXPECT_EQ(shownMessages[0].caption, "Error");
        EXPECT_EQ(shownMessages[0].flags, static_cast<uint32_t>(MB_OK));
    }
    moduleInstance = registered ? registered : GetModuleHandleA(nullptr);
}

// A stand-in for a system message box: a window of its own takes the activation from the saver window
// and runs a modal loop for a while, ending early, as the real box does, on a quit message.
bool boxLoopSawQuit = false;
int boxThatTakesTheActivation(const char* text, const char* caption, uint32_t flags) {
    recordMessage(text, caption, flags);
    HWND box = CreateWindowExA(0, "STATIC", caption, WS_POPUP | WS_VISIBLE, 10, 10, 200, 100, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    SetActiveWindow(box);
    const DWORD until = GetTickCount() + 300;
    MSG message;
    while (!boxLoopSawQuit && static_cast<int32_t>(until - GetTickCount()) > 0) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) boxLoopSawQuit = true;
            else DispatchMessageA(&message);
        }
        Sleep(5);
    }
    DestroyWindow(box);
    return IDOK;
}

// A mode the display lacks, in the run mode: the error box takes the activation, and that must not
// close the saver window and, through its quit message, the box before anyone has read it.
TEST_F(SaverWindow, StartUpErrorBoxIsNotClosedByTheSaversOwnWindow) {
    saverMode = SaverMode::Run;
    platform.messageBox = boxThatTakesTheActivation;
    for (const bool loopRunning : {false, true}) {
        SCOPED_TRACE(loopRunning ? "frame loop running" : "start-up");
        boxLoopSawQuit = false;
        shownMessages.clear();
        saverState = SaverState{};
        saverState.passwordDelay = 60;  // ending asks for no password
        exitRulesArmed = loopRunning;
        EXPECT_EQ(createSaverWindow("Orbitarium", 0, 0, 800, 600), nullptr);
        ASSERT_EQ(shownMessages.size(), 1u);
        // Only once the frame loop runs does losing the activation end the saver.
        EXPECT_EQ(boxLoopSawQuit, loopRunning);
        EXPECT_EQ(saverState.closeRequested != 0, loopRunning);
        exitRulesArmed = false;
        while (HWND left = FindWindowA("OpenGL", nullptr)) DestroyWindow(left);
        dispatchWaitingMessages();
    }
    saverMode = SaverMode::None;
}

TEST_F(SaverWindow, WindowGetsADoubleBufferedOpenGlFormatWithADepthBuffer) {
    HWND window = createFullScreen();
    ASSERT_NE(window, nullptr);
    // The class's own device context: the one the saver keeps is the window's for its whole life.
    HDC deviceContext = GetDC(window);
    EXPECT_EQ(deviceContext, sharedDeviceContext);
    const int format = GetPixelFormat(deviceContext);
    ASSERT_GT(format, 0);
    PIXELFORMATDESCRIPTOR described{};
    ASSERT_GT(DescribePixelFormat(deviceContext, format, sizeof described, &described), 0);
    EXPECT_TRUE(described.dwFlags & PFD_DRAW_TO_WINDOW);
    EXPECT_TRUE(described.dwFlags & PFD_SUPPORT_OPENGL);
    EXPECT_TRUE(described.dwFlags & PFD_DOUBLEBUFFER);
    EXPECT_EQ(described.iPixelType, PFD_TYPE_RGBA);
    EXPECT_GE(described.cDepthBits, 16);
    EXPECT_GE(described.cColorBits, 16);
    EXPECT_EQ(glApi.driverPixelFormat, 0);  // the system's calls did it
    ReleaseDC(window, deviceContext);
}

TEST_F(SaverWindow, ContextOnTheWindowDrawsThroughTheTable) {
    HWND window = createWithContext();
    ASSERT_NE(window, nullptr);
    ASSERT_NE(renderingContext, nullptr);
    EXPECT_EQ(currentContext(), renderingContext);
    const GLubyte* version = glGetString(GL_VERSION);
    ASSERT_NE(version, nullptr);
    EXPECT_GE(version[0], '1');

    // Float arguments reach the driver intact, and the window's buffer holds what was drawn.
    glViewport(0, 0, displayWidth, displayHeight);
    glClearColor(1.0f, 0.5f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    GLubyte pixel[4] = {};
    glReadPixels(displayWidth / 2, displayHeight / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 255);
    EXPECT_NEAR(pixel[1], 128, 1);
    EXPECT_EQ(pixel[2], 0);
    swapBuffers(sharedDeviceContext);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(glApi.driverPixelFormat, 0);  // the system's swap worked: nothing was handed to the driver
}

TEST_F(SaverWindow, DestroyDeletesTheDriversContextAndReleasesTheDeviceContext) {
    HWND window = createWithContext();
    ASSERT_NE(window, nullptr);
    void* context = renderingContext;
    ASSERT_NE(context, nullptr);
    dispatchWaitingMessages();
    DestroyWindow(window);
    EXPECT_EQ(renderingContext, nullptr);
    EXPECT_EQ(sharedDeviceContext, nullptr);
    EXPECT_EQ(currentContext(), nullptr);
    // The driver no longer knows the context: deleting it again fails.
    using DeleteContextFn = BOOL(WINAPI*)(void*);
    auto deleteContext = reinterpret_cast<DeleteContextFn>(platform.librarySymbol(glApi.library, "wglDeleteContext"));
    ASSERT_NE(deleteContext, nullptr);
    EXPECT_FALSE(deleteContext(context));
}

// A plain X display offers only its own size: the saver gets it, and nothing else.
class SaverDisplayMode : public SaverWindow {};

TEST_F(SaverDisplayMode, TheDisplaysOwnModeIsSetWithoutAMessage) {
    saverSettings.Hertz = 75;  // no listed mode has it: the change asks for depth and size only
    HWND window = createFullScreen();
    EXPECT_NE(window, nullptr);
    EXPECT_TRUE(shownMessages.empty());
}

// Wine refuses a change that names the colour depth alone (even the current one), so whatever the
// display lacks, size or depth, ends with the unsupported-depth message.
TEST_F(SaverDisplayMode, ModesTheDisplayLacksAreReportedAsUnsupportedDepthAndLeaveTheDisplayAlone) {
    const struct {
        int width, height, bits;
    } requests[] = {{800, 600, saverSettings.ColorBits}, {displayWidth, displayHeight, 24}};
    for (const auto& request : requests) {
        SCOPED_TRACE(testing::Message() << request.width << "x" << request.height << "x" << request.bits);
        shownMessages.clear();
        saverSettings.ColorBits = request.bits;
        EXPECT_EQ(createSaverWindow("Orbitarium", 0, 0, request.width, request.height), nullptr);
        // The window exists before the mode is tried and is left for the process exit.
        HWND left = FindWindowA("OpenGL", "Orbitarium");
        EXPECT_NE(left, nullptr);
        DestroyWindow(left);
        ASSERT_EQ(shownMessages.size(), 1u);
        EXPECT_EQ(shownMessages[0].text, "Fullscreen not supported in that color depth");
        EXPECT_EQ(shownMessages[0].caption, "Error");
        EXPECT_EQ(shownMessages[0].flags, static_cast<uint32_t>(MB_ICONERROR));
        EXPECT_EQ(sharedDeviceContext, nullptr);  // no pixel format was set up

        DEVMODEA mode{};
        mode.dmSize = sizeof mode;
        ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
        EXPECT_EQ(static_cast<int>(mode.dmPelsWidth), displayWidth);
        EXPECT_EQ(static_cast<int>(mode.dmPelsHeight), displayHeight);
    }
}

}  // namespace
