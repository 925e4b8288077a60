// MPR.DLL stand-in: PwdChangePasswordA writes its arguments to ORB_FAKE_MPR_CALL.
#include <windows.h>

#include <cstdio>

extern "C" __declspec(dllexport) DWORD WINAPI PwdChangePasswordA(LPCSTR provider, HWND parent, DWORD first,
                                                                 DWORD second) {
    char text[128];
    std::snprintf(text, sizeof text, "%s,%llu,%lu,%lu", provider,
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(parent)),
                  static_cast<unsigned long>(first), static_cast<unsigned long>(second));
    SetEnvironmentVariableA("ORB_FAKE_MPR_CALL", text);
    return 0;
}
