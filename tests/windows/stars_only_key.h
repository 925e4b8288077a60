#pragma once
// The saver's registry key emptied and holding only NumStars. A whole run in a test asks for 1, the
// smallest sky and the quickest scene set-up.
#include <windows.h>

#include "settings/win32/registry_store.h"

inline void storeOnlyNumStars(DWORD stars) {
    RegDeleteTreeA(HKEY_CURRENT_USER, SAVER_KEY);
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, SAVER_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, "NumStars", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stars), 4);
    RegCloseKey(key);
}
