#include "settings/win32/registry_store.h"

#include <windows.h>

#include "settings/stored_options.h"

const char* const SAVER_KEY = "Software\\Zelkor\\Orbitarium Saver";
const char* const SYSTEM_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers";

namespace {

// One 4-byte query. The stored type is not examined; a value longer than the buffer fails
// (ERROR_MORE_DATA), a shorter one succeeds with its own size, which the caller refuses.
bool queryValue(void* key, const char* name, unsigned char* data, uint32_t* size) {
    DWORD length = *size;
    const LONG result =
        RegQueryValueExA(static_cast<HKEY>(key), name, nullptr, nullptr, data, &length);
    *size = length;
    return result == ERROR_SUCCESS;
}

void setValue(void* key, const char* name, uint32_t value) {
    const DWORD data = value;
    RegSetValueExA(static_cast<HKEY>(key), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                   sizeof data);
}

}  // namespace

void readSystemSaverValues(SaverState& state) {
    state.passwordDelay = 5;
    state.checkingPassword = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SYSTEM_KEY, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    unsigned char data[4] = {0, 0, 0, 0};
    uint32_t size = 4;
    // As with the options, data that is not exactly 4 bytes is not a delay.
    if (queryValue(key, "Password Delay", data, &size) && size == 4)
        state.passwordDelay = static_cast<int32_t>(storedWord(data));
    RegCloseKey(key);
}

void readSaverSettings() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SAVER_KEY, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    readOptions(saverSettings, queryValue, key);
    RegCloseKey(key);
}

void writeSaverSettings() {
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SAVER_KEY, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, &disposition) != ERROR_SUCCESS)
        return;
    writeOptions(saverSettings, setValue, key);
    RegFlushKey(key);
    RegCloseKey(key);
}
