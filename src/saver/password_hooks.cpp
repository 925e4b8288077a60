#include "saver/password_hooks.h"

#include <cstdint>

#include "platform/platform.h"

namespace {
// The libraries' entry points use the system's calling convention.
#if defined(_WIN32)
#define ORB_SYSTEM_CALL __stdcall
#else
#define ORB_SYSTEM_CALL
#endif
using VerifyPasswordFn = int(ORB_SYSTEM_CALL*)(void* window);
using ChangePasswordFn = uint32_t(ORB_SYSTEM_CALL*)(const char* provider, void* parent, uint32_t, uint32_t);
}  // namespace

int verifySaverPassword(void* window) {
    if (platform.isNtPlatform()) return 1;
    void* library = platform.loadLibrary("PASSWORD.CPL");
    if (!library) return 1;
    auto verify = reinterpret_cast<VerifyPasswordFn>(platform.librarySymbol(library, "VerifyScreenSavePwd"));
    if (!verify) {
        platform.freeLibrary(library);
        return 1;
    }
    const int result = verify(window);
    platform.freeLibrary(library);
    return result;
}

void changeSaverPassword(void* parent) {
    void* library = platform.loadLibrary("MPR.DLL");
    if (!library) return;
    if (auto change = reinterpret_cast<ChangePasswordFn>(platform.librarySymbol(library, "PwdChangePasswordA")))
        change("SCRSAVE", parent, 0, 0);
    platform.freeLibrary(library);
}
