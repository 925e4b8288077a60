#include "saver/win32/library_search.h"

#include <windows.h>

namespace {

constexpr DWORD SEARCH_SYSTEM32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
using SetDllDirectoryFn = BOOL(WINAPI*)(LPCSTR);

// Both calls are newer than some systems the saver runs on, so neither is imported.
template <class Fn>
Fn kernelEntry(const char* name) {
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(kernel ? GetProcAddress(kernel, name) : nullptr));
}

}  // namespace

bool restrictLibrarySearch() {
    const auto setDefault = kernelEntry<SetDefaultDllDirectoriesFn>("SetDefaultDllDirectories");
    if (setDefault && setDefault(SEARCH_SYSTEM32)) return true;
    // An empty string drops the current directory from the search.
    if (const auto setDirectory = kernelEntry<SetDllDirectoryFn>("SetDllDirectoryA")) setDirectory("");
    return false;
}
