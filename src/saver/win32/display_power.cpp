#include "saver/win32/display_power.h"

#include <cstring>

#include "platform/platform.h"
#include "saver/frame_loop.h"

namespace {

using RegisterNotice = HPOWERNOTIFY(WINAPI*)(HANDLE recipient, LPCGUID setting, DWORD flags);
using UnregisterNotice = BOOL(WINAPI*)(HPOWERNOTIFY registration);

// The headers only declare these two.
constexpr GUID CONSOLE_DISPLAY_STATE = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr GUID MONITOR_POWER_ON = {0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};

HPOWERNOTIFY registration = nullptr;
UnregisterNotice unregisterNotice = nullptr;

// user32 is a static import, so it is loaded already: only the entry is looked up.
template <typename Entry>
Entry user32Entry(const char* name) {
    return reinterpret_cast<Entry>(platform.librarySymbol(GetModuleHandleA("user32.dll"), name));
}

}  // namespace

void watchDisplayPower(HWND window) {
    displayOn = true;
    const auto registerNotice = user32Entry<RegisterNotice>("RegisterPowerSettingNotification");
    unregisterNotice = user32Entry<UnregisterNotice>("UnregisterPowerSettingNotification");
    if (!registerNotice || !unregisterNotice) return;
    registration = registerNotice(window, &CONSOLE_DISPLAY_STATE, DEVICE_NOTIFY_WINDOW_HANDLE);
    if (!registration) registration = registerNotice(window, &MONITOR_POWER_ON, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void stopWatchingDisplayPower() {
    if (registration) unregisterNotice(registration);
    registration = nullptr;
}

void onPowerBroadcast(WPARAM event, LPARAM data) {
    if (event != PBT_POWERSETTINGCHANGE || data == 0) return;
    const auto* notice = reinterpret_cast<const POWERBROADCAST_SETTING*>(data);
    const bool display = IsEqualGUID(notice->PowerSetting, CONSOLE_DISPLAY_STATE) ||
                         IsEqualGUID(notice->PowerSetting, MONITOR_POWER_ON);
    if (!display || notice->DataLength < sizeof(DWORD)) return;
    DWORD state = 0;
    std::memcpy(&state, notice->Data, sizeof state);
    noteDisplayState(state);
}
