#pragma once
// For a whole run of the saver in a test: its registry key emptied and holding only NumStars = 1, the
// smallest sky and the quickest scene set-up.
#include <windows.h>

#include "settings/win32/registry_store.h"

inline void storeOnlyTheFewestStars() {
    RegDeleteTreeA(HKEY_CURRENT_USER, SAVER_KEY);
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, SAVER_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    const DWORD stars = 1;
    RegSetValueExA(key, "NumStars", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stars), 4);
    RegCloseKey(key);
}
