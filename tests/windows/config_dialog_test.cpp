// The settings dialog: resource 122 of Orbitarium.scr with its procedure, real controls and the real
// registry of the test prefix. Driven from inside: BM_CLICK, CB_SETCURSEL, WM_COMMAND; the modal cases
// through the entry, with keys posted from a timer inside the dialog's own message loop.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "saver/win32/saver_main.h"
#include "settings/win32/config_dialog.h"
#include "settings/win32/registry_store.h"

namespace {

// The display modes the platform lists while a test runs.
std::vector<DisplayMode> listedModes;

bool enumListedModes(uint32_t index, DisplayMode* mode) {
    if (index >= listedModes.size()) return false;
    *mode = listedModes[index];
    return true;
}

DisplayMode mode(uint32_t width, uint32_t height, uint32_t bits, uint32_t frequency) {
    DisplayMode m;
    m.width = width;
    m.height = height;
    m.bitsPerPixel = bits;
    m.frequency = frequency;
    return m;
}

const char* const ALL_OPTIONS[] = {"ScrWidth", "ScrHeight", "ColorBits", "Hertz", "AutoPilot", "CameraSpeed",
                                   "PlanetSpeed", "NumStars", "3dfx", "InvertMouse", "ShowMouse"};

class ConfigDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() { module = LoadLibraryExA(ORBITARIUM_SCR_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE); }
    static void TearDownTestSuite() {
        if (module) FreeLibrary(module);
        module = nullptr;
    }

    void SetUp() override {
        ASSERT_NE(module, nullptr) << "cannot open " << ORBITARIUM_SCR_PATH;
        savedPlatform = platform;
        platform.enumDisplayMode = enumListedModes;
        listedModes = {mode(800, 600, 16, 75), mode(1024, 768, 32, 60), mode(800, 600, 16, 60),
                       mode(640, 480, 8, 75)};
        RegDeleteTreeA(HKEY_CURRENT_USER, SAVER_KEY);
        saverSettings = SaverSettings{};
        saverSettings.ScrWidth = 800.0f;
        saverSettings.ScrHeight = 600.0f;
        saverSettings.ColorBits = 16;
        saverSettings.Hertz = 60;
    }
    void TearDown() override {
        if (dialog) DestroyWindow(dialog);
        platform = savedPlatform;
        RegDeleteTreeA(HKEY_CURRENT_USER, SAVER_KEY);
    }

    // Shown, so that ending it can be seen: the template has no WS_VISIBLE.
    HWND open() {
        dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(CONFIG_DIALOG_ID), nullptr, configDialogProc, 0);
        if (dialog) ShowWindow(dialog, SW_SHOW);
        return dialog;
    }

    HWND item(int id) const { return GetDlgItem(dialog, id); }
    LRESULT send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendDlgItemMessageA(dialog, id, message, wParam, lParam);
    }
    std::vector<std::string> entries(int id) const {
        std::vector<std::string> texts;
        const LRESULT count = send(id, CB_GETCOUNT);
        for (LRESULT i = 0; i < count; ++i) {
            std::string text(static_cast<std::size_t>(send(id, CB_GETLBTEXTLEN, i)) + 1, '\0');
            send(id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
            text.resize(text.size() - 1);
            texts.push_back(text);
        }
        return texts;
    }
    LRESULT selection(int id) const { return send(id, CB_GETCURSEL); }
    bool checked(int id) const { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
    void click(int id) const { send(id, BM_CLICK); }
    void command(int id) const { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    static DWORD storedValue(const char* name) {
        DWORD value = 0xDEADBEEF, size = sizeof value;
        EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, SAVER_KEY, name, RRF_RT_REG_DWORD, nullptr, &value, &size),
                  ERROR_SUCCESS) << name << " was not written";
        return value;
    }
    static bool keyExists() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, SAVER_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }

    static HMODULE module;
    Platform savedPlatform{};
    HWND dialog = nullptr;
};

HMODULE ConfigDialog::module = nullptr;

// One control of an extended dialog template, as stored.
struct TemplateItem {
    DWORD exStyle = 0, style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
    std::string className;  // the predefined classes by name, whether stored by name or by number
    std::string text;       // a number is written as "#n"
};

struct DialogTemplate {
    DWORD style = 0;
    short cx = 0, cy = 0;
    std::string caption, face;
    WORD pointSize = 0;
    std::vector<TemplateItem> items;
};

// Reads the name-or-number fields of a template; moves `p` past the field.
std::string readNameOrNumber(const WORD*& p) {
    static const char* const predefined[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
    if (*p == 0xFFFF) {
        const WORD number = p[1];
        p += 2;
        if (number >= 0x80 && number <= 0x85) return predefined[number - 0x80];
        return "#" + std::to_string(number);
    }
    std::string text;
    while (*p) text += static_cast<char>(*p++);
    ++p;
    return text;
}

const WORD* alignToDword(const WORD* p, const void* base) {
    const std::size_t offset = reinterpret_cast<const char*>(p) - static_cast<const char*>(base);
    return offset % 4 ? p + 1 : p;
}

DialogTemplate readTemplate(HMODULE module) {
    DialogTemplate t;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(CONFIG_DIALOG_ID), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    if (!found) return t;
    const auto* base = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
    const WORD* p = reinterpret_cast<const WORD*>(base);
    if (p[0] != 1 || p[1] != 0xFFFF) return t;  // not an extended template
    std::memcpy(&t.style, base + 12, 4);
    const WORD count = p[8];
    std::memcpy(&t.cx, base + 22, 2);
    std::memcpy(&t.cy, base + 24, 2);
    p = reinterpret_cast<const WORD*>(base + 26);
    readNameOrNumber(p);  // menu
    readNameOrNumber(p);  // class
    t.caption = readNameOrNumber(p);
    if (t.style & DS_SETFONT) {
        t.pointSize = p[0];
        p += 3;  // size, weight, italic and character set
        t.face = readNameOrNumber(p);
    }
    for (WORD i = 0; i < count; ++i) {
        p = alignToDword(p, base);
        const auto* bytes = reinterpret_cast<const unsigned char*>(p);
        TemplateItem item;
        std::memcpy(&item.exStyle, bytes + 4, 4);
        std::memcpy(&item.style, bytes + 8, 4);
        std::memcpy(&item.x, bytes + 12, 2);
        std::memcpy(&item.y, bytes + 14, 2);
        std::memcpy(&item.cx, bytes + 16, 2);
        std::memcpy(&item.cy, bytes + 18, 2);
        int32_t id = 0;
        std::memcpy(&id, bytes + 20, 4);
        item.id = id;
        p = reinterpret_cast<const WORD*>(bytes + 24);
        item.className = readNameOrNumber(p);
        item.text = readNameOrNumber(p);
        const WORD extra = *p++;
        p = reinterpret_cast<const WORD*>(reinterpret_cast<const unsigned char*>(p) + extra);
        t.items.push_back(item);
    }
    return t;
}

TEST_F(ConfigDialog, TemplateHasTheTableControlsInTabOrder) {
    const DialogTemplate t = readTemplate(module);
    EXPECT_EQ(t.style & ~DS_SETFONT, static_cast<DWORD>(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(t.cx, 289);
    EXPECT_EQ(t.cy, 156);
    EXPECT_EQ(t.caption, "Orbitarium Settings");
    EXPECT_EQ(t.face, "MS Sans Serif");
    EXPECT_EQ(t.pointSize, 8);

    const DWORD child = WS_CHILD | WS_VISIBLE;
    const DWORD list = child | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
    const DWORD label = child | SS_LEFT | WS_GROUP;
    const DWORD box = child | BS_AUTOCHECKBOX | WS_TABSTOP;
    const TemplateItem expected[] = {
        {0, child | BS_PUSHBUTTON | WS_TABSTOP, 155, 132, 52, 16, IDOK, "Button", "OK"},
        {0, child | BS_PUSHBUTTON | WS_TABSTOP, 222, 132, 52, 16, IDCANCEL, "Button", "Cancel"},
        {0, box, 19, 110, 69, 10, CONTROL_THREE_DFX, "Button", "3DFX (if present)"},
        {0, list, 19, 28, 119, 190, CONTROL_RESOLUTION, "ComboBox", ""},
        {0, label, 19, 17, 40, 8, -1, "Static", "Resolution:"},
        {0, box, 89, 110, 46, 10, CONTROL_AUTO_PILOT, "Button", "Auto Pilot"},
        {0, list | CBS_SORT, 19, 58, 29, 61, CONTROL_CAMERA_SPEED, "ComboBox", ""},
        {0, label, 19, 46, 50, 8, -1, "Static", "Camera Speed:"},
        {WS_EX_DLGMODALFRAME, child | SS_BITMAP, 148, 10, 137, 90, -1, "Static", "#243"},
        {0, child | BS_GROUPBOX, 11, 4, 131, 145, -1, "Button", "Options"},
        {0, list | CBS_SORT, 80, 58, 29, 61, CONTROL_PLANET_SPEED, "ComboBox", ""},
        {0, label, 80, 47, 46, 8, -1, "Static", "Planet Speed:"},
        {0, list | CBS_SORT, 20, 88, 29, 61, CONTROL_NUM_STARS, "ComboBox", ""},
        {0, label, 20, 78, 60, 8, -1, "Static", "Number of Stars:"},
        {0, box, 19, 129, 57, 10, CONTROL_INVERT_MOUSE, "Button", "Invert Mouse"},
        {0, box, 81, 129, 57, 10, CONTROL_SHOW_MOUSE, "Button", "Show Mouse"},
    };
    ASSERT_EQ(t.items.size(), sizeof expected / sizeof expected[0]);
    for (std::size_t i = 0; i < t.items.size(); ++i) {
        const TemplateItem& a = t.items[i];
        const TemplateItem& e = expected[i];
        const std::string name = std::to_string(i) + " " + e.text;
        EXPECT_EQ(a.id, e.id) << name;
        EXPECT_STRCASEEQ(a.className.c_str(), e.className.c_str()) << name;  // stored by name or number
        EXPECT_EQ(a.text, e.text) << name;
        EXPECT_EQ(a.style, e.style) << name;
        EXPECT_EQ(a.exStyle, e.exStyle) << name;
        EXPECT_EQ(a.x, e.x) << name;
        EXPECT_EQ(a.y, e.y) << name;
        EXPECT_EQ(a.cx, e.cx) << name;
        EXPECT_EQ(a.cy, e.cy) << name;
    }
}

// Every label shows its whole text with the dialog's own font at 100, 150 and 200 % display scaling: the
// text's extent against the control's width, both in pixels as the dialog manager makes them there.
TEST_F(ConfigDialog, EveryLabelFitsItsTextAt96144And192Dpi) {
    const DialogTemplate t = readTemplate(module);
    ASSERT_FALSE(t.items.empty());
    HDC context = CreateCompatibleDC(nullptr);
    int labels = 0;
    for (int dpi : {96, 144, 192}) {
        HFONT font = CreateFontA(-MulDiv(t.pointSize, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                 DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, t.face.c_str());
        const HGDIOBJ previous = SelectObject(context, font);
        // Four horizontal dialog units: the alphabet's mean character width, rounded.
        SIZE alphabet{};
        GetTextExtentPoint32A(context, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &alphabet);
        const int unitsOfFour = (alphabet.cx / 26 + 1) / 2;
        for (const TemplateItem& item : t.items) {
            if (lstrcmpiA(item.className.c_str(), "Static") != 0 || item.text.empty() || item.text[0] == '#') continue;
            SIZE text{};
            GetTextExtentPoint32A(context, item.text.c_str(), static_cast<int>(item.text.size()), &text);
            EXPECT_LE(text.cx, MulDiv(item.cx, unitsOfFour, 4)) << '"' << item.text << "\" at " << dpi << " dpi";
            ++labels;
        }
        SelectObject(context, previous);
        DeleteObject(font);
    }
    DeleteDC(context);
    EXPECT_EQ(labels, 3 * 4);
}

TEST_F(ConfigDialog, CreatedFromTheTemplateWithPictureFontAndTabOrder) {
    ASSERT_NE(open(), nullptr);
    char caption[64] = {};
    GetWindowTextA(dialog, caption, sizeof caption);
    EXPECT_STREQ(caption, "Orbitarium Settings");
    LOGFONTA font{};
    ASSERT_NE(GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font), 0);
    EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");

    // The picture, ninth in template order, holds bitmap 243 in a modal frame.
    HWND picture = GetWindow(dialog, GW_CHILD);
    for (int i = 0; i < 8 && picture; ++i) picture = GetWindow(picture, GW_HWNDNEXT);
    ASSERT_NE(picture, nullptr);
    BITMAP shown{};
    ASSERT_NE(GetObjectA(reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0)),
                         sizeof shown, &shown), 0);
    EXPECT_EQ(shown.bmWidth, 200);
    EXPECT_EQ(shown.bmHeight, 140);
    EXPECT_TRUE(GetWindowLongA(picture, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);

    const int tabOrder[] = {IDOK, IDCANCEL, CONTROL_THREE_DFX, CONTROL_RESOLUTION, CONTROL_AUTO_PILOT,
                            CONTROL_CAMERA_SPEED, CONTROL_PLANET_SPEED, CONTROL_NUM_STARS,
                            CONTROL_INVERT_MOUSE, CONTROL_SHOW_MOUSE, IDOK};
    for (std::size_t i = 0; i + 1 < sizeof tabOrder / sizeof tabOrder[0]; ++i) {
        EXPECT_EQ(GetDlgCtrlID(GetNextDlgTabItem(dialog, item(tabOrder[i]), FALSE)), tabOrder[i + 1]) << i;
    }
}

TEST_F(ConfigDialog, InitialStateShowsTheOptionsAndEveryListedMode) {
    saverSettings.ThreeDfx = 2;  // on for the driver choice, but the box is checked only for 1
    saverSettings.AutoPilot = 1;
    saverSettings.InvertMouse = 1;
    saverSettings.ShowMouse = 0;
    saverSettings.CameraSpeed = 3;
    saverSettings.PlanetSpeed = 5;
    saverSettings.NumStars = 1;
    ASSERT_NE(open(), nullptr);
    EXPECT_FALSE(checked(CONTROL_THREE_DFX));
    EXPECT_TRUE(checked(CONTROL_AUTO_PILOT));
    EXPECT_TRUE(checked(CONTROL_INVERT_MOUSE));
    EXPECT_FALSE(checked(CONTROL_SHOW_MOUSE));

    // Unsorted, in the platform's order; the stored mode is selected, frequency included.
    const std::vector<std::string> modes = {"800 x 600 x 16bits x 75Hz", "1024 x 768 x 32bits x 60Hz",
                                            "800 x 600 x 16bits x 60Hz", "640 x 480 x 8bits x 75Hz"};
    EXPECT_EQ(entries(CONTROL_RESOLUTION), modes);
    EXPECT_EQ(selection(CONTROL_RESOLUTION), 2);

    const std::vector<std::string> speeds = {"1", "2", "3", "4", "5"};
    EXPECT_EQ(entries(CONTROL_CAMERA_SPEED), speeds);
    EXPECT_EQ(entries(CONTROL_PLANET_SPEED), speeds);
    EXPECT_EQ(entries(CONTROL_NUM_STARS), std::vector<std::string>({"1", "2", "3", "4"}));
    EXPECT_EQ(selection(CONTROL_CAMERA_SPEED), 2);
    EXPECT_EQ(selection(CONTROL_PLANET_SPEED), 4);
    EXPECT_EQ(selection(CONTROL_NUM_STARS), 0);

    // OK without touching anything: the unchecked box stores 0, the rest as shown.
    command(IDOK);
    EXPECT_FALSE(IsWindowVisible(dialog)) << "OK ends the dialog";
    EXPECT_EQ(storedValue("3dfx"), 0u);
    EXPECT_EQ(storedValue("ScrWidth"), 800u);
    EXPECT_EQ(storedValue("Hertz"), 60u);
    EXPECT_EQ(storedValue("CameraSpeed"), 3u);
    EXPECT_EQ(storedValue("PlanetSpeed"), 5u);
    EXPECT_EQ(storedValue("NumStars"), 1u);
    EXPECT_EQ(storedValue("InvertMouse"), 1u);
}

TEST_F(ConfigDialog, HertzZeroListsNoFrequenciesSelectsTheFirstMatchAndKeepsZero) {
    saverSettings.Hertz = 0;
    saverSettings.ScrWidth = 800.75f;  // selected by its whole part
    ASSERT_NE(open(), nullptr);
    const std::vector<std::string> modes = {"800 x 600 x 16bits", "1024 x 768 x 32bits", "800 x 600 x 16bits",
                                            "640 x 480 x 8bits"};
    EXPECT_EQ(entries(CONTROL_RESOLUTION), modes);
    EXPECT_EQ(selection(CONTROL_RESOLUTION), 0);

    send(CONTROL_RESOLUTION, CB_SETCURSEL, 1);
    command(IDOK);
    EXPECT_EQ(saverSettings.ScrWidth, 1024.0f);
    EXPECT_EQ(saverSettings.Hertz, 0);
    EXPECT_EQ(storedValue("ScrWidth"), 1024u);
    EXPECT_EQ(storedValue("ScrHeight"), 768u);
    EXPECT_EQ(storedValue("ColorBits"), 32u);
    EXPECT_EQ(storedValue("Hertz"), 0u);
}

// A stored mode the display no longer lists (it changed since OK stored it) leaves no selection, and OK
// then repairs it with the display's current mode.
TEST_F(ConfigDialog, StoredModeThatIsNotListedLeavesNoSelectionAndOkStoresTheCurrentMode) {
    saverSettings.ScrWidth = 1600.0f;
    saverSettings.ScrHeight = 1200.0f;
    platform.currentDisplayMode = [](DisplayMode* current) {
        *current = mode(1024, 768, 32, 60);
        return true;
    };
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(send(CONTROL_RESOLUTION, CB_GETCOUNT), 4);
    EXPECT_EQ(selection(CONTROL_RESOLUTION), CB_ERR);
    command(IDOK);
    EXPECT_EQ(storedValue("ScrWidth"), 1024u);
    EXPECT_EQ(storedValue("ScrHeight"), 768u);
    EXPECT_EQ(storedValue("ColorBits"), 32u);
    EXPECT_EQ(storedValue("Hertz"), 60u);
    // A shorter number is not a prefix of a longer one: 80 x 60 does not select 800 x 600.
    DestroyWindow(dialog);
    saverSettings.ScrWidth = 80.0f;
    saverSettings.ScrHeight = 60.0f;
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(selection(CONTROL_RESOLUTION), CB_ERR);
}

TEST_F(ConfigDialog, ListsWithoutSelectionKeepTheirOptionsOnOk) {
    listedModes.clear();  // the platform lists no display mode at all, nor reads the current one
    platform.currentDisplayMode = [](DisplayMode*) { return false; };
    saverSettings.ScrWidth = 1280.9f;
    saverSettings.ScrHeight = 1024.0f;
    saverSettings.ColorBits = 24;
    saverSettings.Hertz = 85;
    saverSettings.CameraSpeed = 10;  // no entry begins with "10"
    saverSettings.PlanetSpeed = 0;
    saverSettings.NumStars = 7;
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(send(CONTROL_RESOLUTION, CB_GETCOUNT), 0);
    EXPECT_EQ(selection(CONTROL_RESOLUTION), CB_ERR);
    EXPECT_EQ(selection(CONTROL_CAMERA_SPEED), CB_ERR);
    EXPECT_EQ(selection(CONTROL_PLANET_SPEED), CB_ERR);
    EXPECT_EQ(selection(CONTROL_NUM_STARS), CB_ERR);

    command(IDOK);
    EXPECT_EQ(storedValue("ScrWidth"), 1280u);
    EXPECT_EQ(storedValue("ScrHeight"), 1024u);
    EXPECT_EQ(storedValue("ColorBits"), 24u);
    EXPECT_EQ(storedValue("Hertz"), 85u);
    EXPECT_EQ(storedValue("CameraSpeed"), 10u);
    EXPECT_EQ(storedValue("PlanetSpeed"), 0u);
    EXPECT_EQ(storedValue("NumStars"), 7u);
}

TEST_F(ConfigDialog, OkWritesAllElevenFromTheControls) {
    // Duplicates and the largest numbers the platform can report, shown whole.
    listedModes.push_back(mode(800, 600, 16, 75));
    listedModes.push_back(mode(4000000000u, 3000000000u, 32, 4294967295u));
    ASSERT_NE(open(), nullptr);
    const std::vector<std::string> modes = entries(CONTROL_RESOLUTION);
    ASSERT_EQ(modes.size(), 6u);
    EXPECT_EQ(modes[4], modes[0]);
    EXPECT_EQ(modes[5], "4000000000 x 3000000000 x 32bits x 4294967295Hz");

    click(CONTROL_THREE_DFX);     // 1 -> unchecked
    click(CONTROL_AUTO_PILOT);    // 1 -> unchecked
    click(CONTROL_INVERT_MOUSE);  // 0 -> checked
    click(CONTROL_SHOW_MOUSE);
    send(CONTROL_RESOLUTION, CB_SETCURSEL, 5);
    send(CONTROL_CAMERA_SPEED, CB_SETCURSEL, 4);
    send(CONTROL_PLANET_SPEED, CB_SETCURSEL, 0);
    send(CONTROL_NUM_STARS, CB_SETCURSEL, 3);
    command(IDOK);
    EXPECT_FALSE(IsWindowVisible(dialog));

    const DWORD expected[] = {4000000000u, 3000000000u, 32, 0x7FFFFFFF /* saturated */, 0, 5, 1, 4, 0, 1, 1};
    for (std::size_t i = 0; i < 11; ++i) EXPECT_EQ(storedValue(ALL_OPTIONS[i]), expected[i]) << ALL_OPTIONS[i];
    EXPECT_EQ(saverSettings.ScrWidth, 4000000000.0f);
    EXPECT_EQ(saverSettings.NumStars, 4);
}

TEST_F(ConfigDialog, CancelAfterChangingEveryControlChangesNothing) {
    const SaverSettings before = saverSettings;
    ASSERT_NE(open(), nullptr);
    for (int box : {CONTROL_THREE_DFX, CONTROL_AUTO_PILOT, CONTROL_INVERT_MOUSE, CONTROL_SHOW_MOUSE}) click(box);
    for (int list : {CONTROL_RESOLUTION, CONTROL_CAMERA_SPEED, CONTROL_PLANET_SPEED, CONTROL_NUM_STARS})
        send(list, CB_SETCURSEL, 3);
    command(IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(dialog)) << "Cancel ends the dialog";
    EXPECT_FALSE(keyExists());
    EXPECT_TRUE(saverSettings == before);
}

// --- the modal dialog of the entry's Configure mode -------------------------------------------------

// What the timer does once the dialog is up, from inside its modal loop.
enum class Gesture { Return, Escape, CloseBox };
Gesture gesture;
bool gestureDone = false;

void CALLBACK actOnDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND found = FindWindowA("#32770", "Orbitarium Settings");
    if (!found || gestureDone) return;
    gestureDone = true;
    KillTimer(nullptr, timer);
    // Keys go where a keyboard would send them: the control with the focus, or the dialog itself.
    HWND focus = GetFocus();
    HWND target = focus && (focus == found || IsChild(found, focus)) ? focus : found;
    switch (gesture) {
        case Gesture::Return:
            PostMessageA(target, WM_KEYDOWN, VK_RETURN, 1);
            break;
        case Gesture::Escape:
            PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 1);
            break;
        case Gesture::CloseBox:
            PostMessageA(found, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
    }
}

TEST_F(ConfigDialog, ConfigureModeShowsTheDialogModalReturnWritesEscapeAndCloseBoxDoNot) {
    platform = savedPlatform;  // the real display modes
    const struct {
        const char* commandLine;
        Gesture gesture;
        bool writes;
    } cases[] = {
        {"orb.scr", Gesture::Escape, false},
        {"orb.scr /c", Gesture::CloseBox, false},
        {"orb.scr /c:0", Gesture::Return, true},
    };
    for (const auto& c : cases) {
        RegDeleteTreeA(HKEY_CURRENT_USER, SAVER_KEY);
        gesture = c.gesture;
        gestureDone = false;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, actOnDialog);
        // The module's resources stand in for the instance of Orbitarium.scr.
        EXPECT_EQ(saverMain(reinterpret_cast<HINSTANCE>(module), c.commandLine, SW_SHOW), 0) << c.commandLine;
        KillTimer(nullptr, timer);
        EXPECT_TRUE(gestureDone) << c.commandLine << ": the dialog never appeared";
        EXPECT_EQ(keyExists(), c.writes) << c.commandLine;
        if (c.writes)
            for (const char* name : ALL_OPTIONS) storedValue(name);
    }
    MSG leftover;
    while (PeekMessageA(&leftover, nullptr, 0, 0, PM_REMOVE)) {
    }
}

}  // namespace
