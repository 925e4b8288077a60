#include "shell/win32/saver_main.h"

#include "settings/win32/registry_store.h"
#include "shell/command_line.h"
#include "shell/flight_input.h"
#include "shell/startup.h"

namespace {

int runSaver(HINSTANCE instance, int showCommand) {
    // Mouse scales come after the options are read and before the window exists.
    setMouseScales(flightInput, saverSettings.ScrWidth, saverSettings.ScrHeight);
    // Driver library, full-screen window, rendering context, scene and frame loop join here.
    (void)instance;
    (void)showCommand;
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
            (void)parent;  // the system's password-change dialog, owned by `parent`
            break;
        case SaverMode::Configure:
            break;  // the configuration dialog, owned by `parent`
        case SaverMode::Run:
            exitCode = runSaver(instance, showCommand);
            break;
        default:
            break;
    }
    saverState = SaverState{};
    return exitCode;
}
