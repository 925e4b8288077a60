#include "saver/win32/saver_main.h"

#include "gl/driver_library.h"
#include "gl/window_system.h"
#include "platform/platform.h"
#include "render/frame_render.h"
#include "render/scene_setup.h"
#include "saver/command_line.h"
#include "saver/frame_loop.h"
#include "saver/password_hooks.h"
#include "saver/saver_input.h"
#include "saver/startup.h"
#include "saver/win32/display_power.h"
#include "saver/win32/message_pump.h"
#include "saver/win32/monitor_covers.h"
#include "saver/win32/saver_window.h"
#include "scene/flight_input.h"
#include "scene/update_tick.h"
#include "settings/win32/config_dialog.h"
#include "settings/win32/registry_store.h"

namespace {

void setSaverRunning(BOOL running) {
    BOOL previous = FALSE;  // the system's previous state, not used
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running, &previous, 0);
}

int runSaver(int showCommand) {
    char libraryName[GL_LIBRARY_NAME_SIZE];
    chooseGlLibrary(libraryName);
    if (loadGlApi(libraryName) != GL_LOAD_OK) return 0;

    // Mouse scales come after the options are read (and settled against the display) and before the
    // window exists.
    const bool switchMode = settleRunDisplayMode(saverSettings);
    setMouseScales(flightInput, saverSettings.ScrWidth, saverSettings.ScrHeight);
    connectSaverWindowCalls();
    HWND window = createSaverWindow("Orbitarium", 0, 0, truncatePixels(saverSettings.ScrWidth),
                                    truncatePixels(saverSettings.ScrHeight), switchMode);
    if (!window) return 1;
    // Only now: the display-mode switch may have moved the other monitors. No cover exists on the
    // failure path above, so none is left behind there.
    placeMonitorCovers();

    sharedDeviceContext = GetDC(window);
    renderingContext = createRenderingContext(sharedDeviceContext);
    makeContextCurrent(sharedDeviceContext, renderingContext);
    if (!saverSettings.ShowMouse) ShowCursor(FALSE);
    ShowWindow(window, showCommand);
    showMonitorCovers();
    setSaverRunning(TRUE);
    setUpScene();
    addMonitorViews();
    watchDisplayPower(window);
    lastTickTime = platform.multimediaTime();

    FrameLoopSteps steps;
    // The saver window's message first; then the covers', where input over the other monitors arrives.
    steps.handleMessage = [window] { return handleSaverMessage(window) && handleCoverMessages(); };
    steps.drawFrame = drawFrameOnEveryView;
    steps.updateTick = updateTick;
    steps.waitForMessage = [window] { waitForSaverMessage(window); };
    exitRulesArmed = true;
    runFrameLoop(steps);
    exitRulesArmed = false;
    stopWatchingDisplayPower();  // while the window it names still exists

    setSaverRunning(FALSE);
    DestroyWindow(window);  // its destroy handling releases both contexts
    destroyMonitorCovers();  // before the display mode goes back and moves the monitors again
    platform.changeDisplayMode(nullptr);
    unloadGlApi();
    if (!saverSettings.ShowMouse) ShowCursor(TRUE);
    return 0;
}

}  // namespace

int saverMain(HINSTANCE instance, const char* commandLine, int showCommand) {
    const CommandLine parsed = parseCommandLine(commandLine);
    saverMode = parsed.mode;
    if (saverMode == SaverMode::None || saverMode == SaverMode::Preview) return 0;

    const HWND parent = parsed.parentIsForeground ? GetForegroundWindow()
                                                  : reinterpret_cast<HWND>(parsed.parentWindow);
    beginSharedStartUp(saverSettings);
    readSystemSaverValues(saverState);
    readSaverSettings();

    int exitCode = 0;
    switch (saverMode) {
        case SaverMode::ChangePassword:
            changeSaverPassword(parent);
            break;
        case SaverMode::Configure:
            // Its result does not matter: OK has already written the options, and the process ends.
            DialogBoxParamA(instance, MAKEINTRESOURCEA(CONFIG_DIALOG_ID), parent, configDialogProc, 0);
            break;
        case SaverMode::Run:
            exitCode = runSaver(showCommand);
            break;
        default:
            break;
    }
    saverState = SaverState{};
    return exitCode;
}
