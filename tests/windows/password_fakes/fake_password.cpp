// PASSWORD.CPL stand-in: VerifyScreenSavePwd answers ORB_FAKE_PASSWORD_ANSWER ("0" or "1") and counts
// its calls and its loads in ORB_FAKE_PASSWORD_CALLS and ORB_FAKE_PASSWORD_LOADS.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {
void bump(const char* name) {
    char text[32] = "0";
    GetEnvironmentVariableA(name, text, sizeof text);
    std::snprintf(text, sizeof text, "%d", std::atoi(text) + 1);
    SetEnvironmentVariableA(name, text);
}
}  // namespace

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND window) {
    bump("ORB_FAKE_PASSWORD_CALLS");
    char text[32];
    std::snprintf(text, sizeof text, "%llu", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)));
    SetEnvironmentVariableA("ORB_FAKE_PASSWORD_WINDOW", text);
    char answer[8] = "1";
    GetEnvironmentVariableA("ORB_FAKE_PASSWORD_ANSWER", answer, sizeof answer);
    return answer[0] == '1';
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) bump("ORB_FAKE_PASSWORD_LOADS");
    return TRUE;
}
