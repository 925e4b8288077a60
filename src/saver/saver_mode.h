#pragma once
// The run mode fixed by the command line for the life of the process.
enum class SaverMode : int {
    None = 0,            // no valid option was seen
    Configure = 1,       // the configuration dialog
    ChangePassword = 2,  // the system's password-change dialog
    Preview = 3,         // preview request: return at once
    Run = 4,             // the full-screen saver
};

extern SaverMode saverMode;
