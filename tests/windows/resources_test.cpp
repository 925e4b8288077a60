// The resources built into Orbitarium.scr, read back with the Windows resource calls.
#include <gtest/gtest.h>
#include <windows.h>

namespace {

class ScreenSaverResources : public ::testing::Test {
protected:
    static void SetUpTestSuite() { module = LoadLibraryExA(ORBITARIUM_SCR_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE); }
    static void TearDownTestSuite() {
        if (module) FreeLibrary(module);
        module = nullptr;
    }
    void SetUp() override { ASSERT_NE(module, nullptr) << "cannot open " << ORBITARIUM_SCR_PATH; }

    static DWORD sizeOf(LPCSTR name, LPCSTR type) {
        HRSRC found = FindResourceA(module, name, type);
        return found ? SizeofResource(module, found) : 0;
    }
    static const unsigned char* bytesOf(LPCSTR name, LPCSTR type) {
        HRSRC found = FindResourceA(module, name, type);
        HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
        return loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
    }

    static HMODULE module;
};

HMODULE ScreenSaverResources::module = nullptr;

TEST_F(ScreenSaverResources, EveryTextureUnderItsIdWithWidthTimesHeightTimesThreeBytes) {
    const struct {
        int id;
        DWORD side;
    } textures[] = {
        {236, 512}, {232, 512}, {227, 512}, {238, 512}, {231, 512}, {230, 512}, {235, 512},
        {237, 256}, {234, 256}, {239, 256}, {233, 256}, {240, 256}, {228, 256}, {157, 256},
    };
    for (const auto& t : textures) {
        EXPECT_EQ(sizeOf(MAKEINTRESOURCEA(t.id), "TEXTURE"), t.side * t.side * 3) << "texture " << t.id;
        EXPECT_NE(bytesOf(MAKEINTRESOURCEA(t.id), "TEXTURE"), nullptr) << "texture " << t.id;
    }
    EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCEA(241), "TEXTURE"), nullptr);
}

TEST_F(ScreenSaverResources, DialogBitmapIs200By140WithA256ColourPalette) {
    ASSERT_EQ(sizeOf(MAKEINTRESOURCEA(243), MAKEINTRESOURCEA(2) /* RT_BITMAP */), 40u + 256 * 4 + 200 * 140);
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bytesOf(MAKEINTRESOURCEA(243), MAKEINTRESOURCEA(2)));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->biWidth, 200);
    EXPECT_EQ(header->biHeight, 140);
    EXPECT_EQ(header->biBitCount, 8);
    EXPECT_EQ(header->biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(header->biClrUsed, 256u);
    // The dialog loads it through the ordinary bitmap call.
    HBITMAP bitmap = LoadBitmapA(module, MAKEINTRESOURCEA(243));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    ASSERT_NE(GetObjectA(bitmap, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 200);
    EXPECT_EQ(info.bmHeight, 140);
    DeleteObject(bitmap);
}

// Explorer's large icons take the 256-pixel image.
TEST_F(ScreenSaverResources, IconGroupHas16To48And256PixelImages) {
    const auto* group = bytesOf(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */);
    ASSERT_NE(group, nullptr);
    for (int size : {16, 32, 48, 256}) {
        const int id = LookupIconIdFromDirectoryEx(const_cast<PBYTE>(group), TRUE, size, size, LR_DEFAULTCOLOR);
        ASSERT_NE(id, 0) << size;
        // 32-bit image and its 1-bit mask, behind a 40-byte header.
        const DWORD maskRow = ((size + 31) / 32) * 4;
        EXPECT_EQ(sizeOf(MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3) /* RT_ICON */), 40 + size * size * 4 + maskRow * size) << size;
        const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bytesOf(MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3)));
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(header->biWidth, size);
        EXPECT_EQ(header->biBitCount, 32);
    }
}

TEST_F(ScreenSaverResources, NameStringIsKept) {
    char text[64] = {};
    ASSERT_GT(LoadStringA(module, 1, text, sizeof text), 0);
    EXPECT_STREQ(text, "Orbitarium");
}

}  // namespace
