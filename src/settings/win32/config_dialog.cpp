#include "settings/win32/config_dialog.h"

#include <string>

#include "platform/platform.h"
#include "settings/dialog_choices.h"
#include "settings/win32/registry_store.h"

namespace {

void checkBox(HWND dialog, int id, bool checked) {
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool isChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void addEntry(HWND dialog, int id, const char* text) {
    SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

// Selects the first entry from the top that begins with `text`, in any case; none when no entry does.
void selectEntry(HWND dialog, int id, const char* text) {
    SendDlgItemMessageA(dialog, id, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
}

// Every display mode the system lists, in its order, duplicates included.
void listDisplayModes(HWND dialog, bool withFrequency) {
    DisplayMode mode;
    for (uint32_t index = 0; platform.enumDisplayMode(index, &mode); ++index) {
        char text[MODE_ENTRY_SIZE];
        formatModeEntry(text, mode.width, mode.height, mode.bitsPerPixel, mode.frequency, withFrequency);
        addEntry(dialog, CONTROL_RESOLUTION, text);
        if (index == UINT32_MAX) break;
    }
}

void initialise(HWND dialog) {
    const DialogPresets presets = dialogPresets(saverSettings);
    checkBox(dialog, CONTROL_THREE_DFX, presets.threeDfx);
    checkBox(dialog, CONTROL_AUTO_PILOT, presets.autoPilot);
    checkBox(dialog, CONTROL_INVERT_MOUSE, presets.invertMouse);
    checkBox(dialog, CONTROL_SHOW_MOUSE, presets.showMouse);

    listDisplayModes(dialog, presets.listFrequencies);
    selectEntry(dialog, CONTROL_RESOLUTION, presets.mode);

    for (const char* entry : SPEED_ENTRIES) addEntry(dialog, CONTROL_CAMERA_SPEED, entry);
    selectEntry(dialog, CONTROL_CAMERA_SPEED, presets.cameraSpeed);
    for (const char* entry : SPEED_ENTRIES) addEntry(dialog, CONTROL_PLANET_SPEED, entry);
    selectEntry(dialog, CONTROL_PLANET_SPEED, presets.planetSpeed);
    for (const char* entry : STAR_ENTRIES) addEntry(dialog, CONTROL_NUM_STARS, entry);
    selectEntry(dialog, CONTROL_NUM_STARS, presets.numStars);
}

// The selected entry's text; false when the list has no selection (or the entry cannot be read).
bool selectedText(HWND dialog, int id, std::string* text) {
    const LRESULT selected = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) return false;
    const LRESULT length = SendDlgItemMessageA(dialog, id, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0);
    if (length == CB_ERR || length < 0) return false;
    text->assign(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(selected),
                                               reinterpret_cast<LPARAM>(&(*text)[0]));
    if (copied == CB_ERR) return false;
    text->resize(std::char_traits<char>::length(text->c_str()));
    return true;
}

// The display's current mode as an entry of the resolution list; false when it cannot be read.
bool currentModeEntry(std::string* text) {
    DisplayMode current;
    if (!platform.currentDisplayMode(&current)) return false;
    char entry[MODE_ENTRY_SIZE];
    formatModeEntry(entry, current.width, current.height, current.bitsPerPixel, current.frequency,
                    saverSettings.Hertz != 0);
    text->assign(entry);
    return true;
}

void confirm(HWND dialog) {
    std::string mode, cameraSpeed, planetSpeed, numStars;
    DialogChoices choices;
    choices.threeDfx = isChecked(dialog, CONTROL_THREE_DFX);
    choices.autoPilot = isChecked(dialog, CONTROL_AUTO_PILOT);
    choices.invertMouse = isChecked(dialog, CONTROL_INVERT_MOUSE);
    choices.showMouse = isChecked(dialog, CONTROL_SHOW_MOUSE);
    // A stored mode that the list does not hold (the display changed since it was stored) leaves the
    // list without a selection: OK then stores the display's current mode, so that it repairs the options.
    if (selectedText(dialog, CONTROL_RESOLUTION, &mode) || currentModeEntry(&mode)) choices.mode = mode.c_str();
    if (selectedText(dialog, CONTROL_CAMERA_SPEED, &cameraSpeed)) choices.cameraSpeed = cameraSpeed.c_str();
    if (selectedText(dialog, CONTROL_PLANET_SPEED, &planetSpeed)) choices.planetSpeed = planetSpeed.c_str();
    if (selectedText(dialog, CONTROL_NUM_STARS, &numStars)) choices.numStars = numStars.c_str();
    applyDialogChoices(saverSettings, choices);
    writeSaverSettings();
}

}  // namespace

INT_PTR CALLBACK configDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            initialise(dialog);
            break;
        case WM_COMMAND:
            // Escape and the close box arrive here as Cancel.
            if (LOWORD(wParam) == IDOK) {
                confirm(dialog);
                EndDialog(dialog, IDOK);
            } else if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
            }
            break;
        default:
            break;
    }
    return FALSE;
}
