#pragma once
// The settings dialog (resource CONFIG_DIALOG_ID): shows the options held in memory; OK stores every
// control in them and writes all eleven to the registry, Cancel (also Escape and the close box) leaves
// them alone. Its result is 1 for OK, 2 for Cancel.
#include <windows.h>

constexpr int CONFIG_DIALOG_ID = 122;

// Control ids of the dialog template.
constexpr int CONTROL_THREE_DFX = 1075;
constexpr int CONTROL_RESOLUTION = 1020;
constexpr int CONTROL_AUTO_PILOT = 1028;
constexpr int CONTROL_CAMERA_SPEED = 1083;
constexpr int CONTROL_PLANET_SPEED = 1084;
constexpr int CONTROL_NUM_STARS = 1086;
constexpr int CONTROL_INVERT_MOUSE = 1087;
constexpr int CONTROL_SHOW_MOUSE = 1088;

// Returns FALSE for every message, so the system's dialog handling always follows (it sets the
// initial focus itself, and turns Escape and the close box into Cancel).
INT_PTR CALLBACK configDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
