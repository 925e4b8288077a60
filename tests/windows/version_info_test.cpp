// What Windows reads from Orbitarium.scr besides its code: the version resource (the file's
// Properties) and the application manifest (read before the saver starts), both read back the way the
// system reads them.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstddef>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "orbitarium_version.h"

namespace {

// ---- Version resource ----

class VersionResource : public ::testing::Test {
protected:
    void SetUp() override {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(ORBITARIUM_SCR_PATH, &ignored);
        ASSERT_NE(size, 0u) << "no version information in " << ORBITARIUM_SCR_PATH;
        block.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(ORBITARIUM_SCR_PATH, 0, size, block.data()));
    }

    // A value of the string table that the translation list names, as Explorer finds it; empty if missing.
    std::string text(const char* name) {
        const WORD* translation = nullptr;
        UINT bytes = 0;
        if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", (void**)&translation, &bytes) || bytes < 4)
            return {};
        char path[96];
        wsprintfA(path, "\\StringFileInfo\\%04x%04x\\%s", translation[0], translation[1], name);
        const char* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(block.data(), path, (void**)&value, &length) || !value) return {};
        return value;
    }

    std::vector<char> block;
};

TEST_F(VersionResource, NumbersAndTextAreTheProjectVersion) {
    const VS_FIXEDFILEINFO* fixed = nullptr;
    UINT bytes = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", (void**)&fixed, &bytes));
    ASSERT_EQ(bytes, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    const DWORD high = MAKELONG(ORBITARIUM_VERSION_MINOR, ORBITARIUM_VERSION_MAJOR);
    const DWORD low = MAKELONG(0, ORBITARIUM_VERSION_PATCH);
    EXPECT_EQ(fixed->dwFileVersionMS, high);
    EXPECT_EQ(fixed->dwFileVersionLS, low);
    EXPECT_EQ(fixed->dwProductVersionMS, high);
    EXPECT_EQ(fixed->dwProductVersionLS, low);
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u) << "marked debug, pre-release or private";
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    // The text the Details page shows says the same.
    char numbers[32];
    wsprintfA(numbers, "%u.%u.%u", HIWORD(high), LOWORD(high), HIWORD(low));
    EXPECT_EQ(text("FileVersion"), numbers);
    EXPECT_EQ(text("ProductVersion"), numbers);
    EXPECT_EQ(text("FileVersion"), ORBITARIUM_VERSION_TEXT);
}

TEST_F(VersionResource, NamesTheSaverInTheOneLanguageItDeclares) {
    const WORD* translation = nullptr;
    UINT bytes = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", (void**)&translation, &bytes));
    ASSERT_EQ(bytes, 4u) << "one language and code page";
    EXPECT_EQ(translation[0], 0x0409);  // US English
    EXPECT_EQ(translation[1], 1200);    // Unicode

    // The description and the product are the name that string 1 gives the saver.
    HMODULE module = LoadLibraryExA(ORBITARIUM_SCR_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    char name[64] = {};
    const int length = LoadStringA(module, 1, name, sizeof name);
    FreeLibrary(module);
    ASSERT_GT(length, 0);
    EXPECT_STREQ(name, "Orbitarium");
    EXPECT_EQ(text("FileDescription"), name);
    EXPECT_EQ(text("ProductName"), name);

    // The name the build gives the file.
    const char* path = ORBITARIUM_SCR_PATH;
    const char* slash = std::strrchr(path, '/');
    EXPECT_EQ(text("OriginalFilename"), slash ? slash + 1 : path);
    EXPECT_FALSE(text("CompanyName").empty());
    EXPECT_FALSE(text("LegalCopyright").empty());
}

// ---- Application manifest ----

// The manifest as an activation context: what Windows makes of it when it starts the saver. A manifest
// it cannot read stops the program from starting at all; a misplaced or misspelt setting is ignored
// without a word, which is why the settings are read back through the system here.
class ApplicationManifest : public ::testing::Test {
protected:
    void SetUp() override {
        HMODULE module = LoadLibraryExA(ORBITARIUM_SCR_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr);
        const bool found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24) /* RT_MANIFEST */);
        FreeLibrary(module);
        ASSERT_TRUE(found) << "no manifest with the id of a program's own";

        ACTCTXA request{};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.lpSource = ORBITARIUM_SCR_PATH;
        request.lpResourceName = MAKEINTRESOURCEA(1);
        context = CreateActCtxA(&request);
        ASSERT_NE(context, INVALID_HANDLE_VALUE) << "the system refuses the manifest, error " << GetLastError();
    }
    void TearDown() override {
        if (context != INVALID_HANDLE_VALUE) ReleaseActCtx(context);
    }

    std::wstring setting(const wchar_t* nameSpace, const wchar_t* name) {
        wchar_t value[64] = {};
        SIZE_T written = 0;
        if (!QueryActCtxSettingsW(0, context, nameSpace, name, value, 64, &written)) return L"<not set>";
        return value;
    }

    HANDLE context = INVALID_HANDLE_VALUE;
};

TEST_F(ApplicationManifest, DeclaresPerMonitorDpiAwarenessWhereTheSystemLooks) {
    // Windows 10 1607 and later read the first; earlier systems only the second (the 2005 namespace,
    // which a null namespace stands for).
    EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
              L"PerMonitorV2,PerMonitor");
    EXPECT_EQ(setting(nullptr, L"dpiAware"), L"true/pm");
}

TEST_F(ApplicationManifest, TakesComctl32FromCommonControlsSix) {
    ULONG_PTR cookie = 0;
    ASSERT_TRUE(ActivateActCtx(context, &cookie));
    ACTCTX_SECTION_KEYED_DATA found{};
    found.cbSize = sizeof found;
    const BOOL redirected =
        FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll", &found);
    DeactivateActCtx(0, cookie);
    ASSERT_TRUE(redirected) << "comctl32.dll would be the system folder's version 5";

    DWORD index = found.ulAssemblyRosterIndex;
    SIZE_T size = 0;
    QueryActCtxW(0, context, &index, AssemblyDetailedInformationInActivationContext, nullptr, 0, &size);
    ASSERT_GT(size, 0u);
    std::vector<unsigned char> buffer(size);
    ASSERT_TRUE(QueryActCtxW(0, context, &index, AssemblyDetailedInformationInActivationContext, buffer.data(),
                             size, &size));
    const auto* assembly = reinterpret_cast<const ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*>(buffer.data());
    ASSERT_NE(assembly->lpAssemblyEncodedAssemblyIdentity, nullptr);
    const std::wstring identity = assembly->lpAssemblyEncodedAssemblyIdentity;
    EXPECT_EQ(identity.rfind(L"Microsoft.Windows.Common-Controls,", 0), 0u) << identity;
    EXPECT_NE(identity.find(L"version=\"6."), std::wstring::npos) << identity;
}

TEST_F(ApplicationManifest, DeclaresWindows7To11AndRunsAsTheUser) {
    // The records as Windows 10 1903 and later (and Wine) return them: each element also carries the
    // highest tested version, which the system headers here do not have yet.
    struct Element {
        GUID id;
        ACTCTX_COMPATIBILITY_ELEMENT_TYPE type;
        ULONGLONG maxVersionTested;
    };
    struct Compatibility {
        DWORD count;
        Element elements[8];
    } compatibility{};
    SIZE_T size = 0;
    ASSERT_TRUE(QueryActCtxW(0, context, nullptr, CompatibilityInformationInActivationContext, &compatibility,
                             sizeof compatibility, &size));
    ASSERT_EQ(size, offsetof(Compatibility, elements) + compatibility.count * sizeof(Element));
    const std::set<std::string> expected = {
        "35138b9a-5d96-4fbd-8e2d-a2440225f93a",  // Windows 7
        "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",  // Windows 8
        "1f676c76-80e1-4239-95bb-83d0f6d0da78",  // Windows 8.1
        "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a",  // Windows 10 and 11
    };
    std::set<std::string> declared;
    for (DWORD i = 0; i < compatibility.count; ++i) {
        const Element& e = compatibility.elements[i];
        if (e.type != ACTCTX_COMPATIBILITY_ELEMENT_TYPE_OS) continue;
        char text[40];
        wsprintfA(text, "%08lx-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x", e.id.Data1, e.id.Data2, e.id.Data3,
                  e.id.Data4[0], e.id.Data4[1], e.id.Data4[2], e.id.Data4[3], e.id.Data4[4], e.id.Data4[5],
                  e.id.Data4[6], e.id.Data4[7]);
        declared.insert(text);
    }
    EXPECT_EQ(declared, expected);

    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION runLevel{};
    ASSERT_TRUE(QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext, &runLevel,
                             sizeof runLevel, &size));
    EXPECT_EQ(runLevel.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
    EXPECT_EQ(runLevel.UiAccess, 0u);
}

}  // namespace
