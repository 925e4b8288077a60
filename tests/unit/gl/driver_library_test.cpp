// Choosing and loading the driver library over fake libraries.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "gl/driver_glu.h"
#include "gl/driver_library.h"
#include "gl/glu.h"
#include "gl/fake_driver.h"
#include "gl/gl_api.h"
#include "settings/saver_settings.h"

namespace {

using fake_driver::ScopedSystem;

std::vector<std::string> coreNames() {
    std::vector<std::string> names;
    for (const GlEntry& entry : GL_CORE_ENTRIES) names.push_back(entry.name);
    return names;
}

int indexOf(const char* name) {
    for (int i = 0; i < GL_CORE_ENTRY_COUNT; ++i)
        if (std::strcmp(GL_CORE_ENTRIES[i].name, name) == 0) return i;
    return -1;
}

TEST(LoadGlApi, LibraryThatDoesNotLoad) {
    ScopedSystem fakes;
    glApi.library = &fakes;  // left over from nothing; must end up null
    EXPECT_EQ(loadGlApi("opengl32.dll"), GL_LOAD_NO_LIBRARY);
    EXPECT_EQ(GL_LOAD_NO_LIBRARY, -666);
    EXPECT_EQ(glApi.library, nullptr);
    ASSERT_EQ(fakes.system.boxes.size(), 1u);
    EXPECT_EQ(fakes.system.boxes[0].text, "Error Loading OpenGL DLL");
    EXPECT_EQ(fakes.system.boxes[0].caption, "Error");
    EXPECT_EQ(fakes.system.boxes[0].flags, 0u);
    EXPECT_TRUE(fakes.system.lookups.empty());
    EXPECT_EQ(fakes.system.events, std::vector<std::string>{"load opengl32.dll"});
}

void* ORB_GLAPI unexpectedGetProcAddress(const char* name) {
    ADD_FAILURE() << "extension " << name << " looked up after a missing core entry";
    return nullptr;
}

TEST(LoadGlApi, MissingCoreEntryStopsAtIt) {
    struct Case {
        const char* missing;
        int fetched;  // core entries set before the missing one
    };
    for (const Case& c : {Case{"glAccum", 0}, Case{"glBegin", indexOf("glBegin")}, Case{"glViewport", 335}}) {
        SCOPED_TRACE(c.missing);
        ScopedSystem fakes;
        fake_driver::Library library = fake_driver::coreLibrary("3dfxvgl.dll");
        library.symbols.erase(c.missing);
        library.symbols["wglGetProcAddress"] = fake_driver::symbolOf(&unexpectedGetProcAddress);
        fakes.install(library);

        EXPECT_EQ(loadGlApi("3dfxvgl.dll"), GL_LOAD_MISSING_ENTRY);
        EXPECT_EQ(GL_LOAD_MISSING_ENTRY, -1);
        for (int i = 0; i < GL_CORE_ENTRY_COUNT; ++i) {
            ASSERT_EQ(glEntryValue(glApi, GL_CORE_ENTRIES[i]), i < c.fetched ? fake_driver::coreSymbol(i) : nullptr)
                << GL_CORE_ENTRIES[i].name;
        }
        for (const GlEntry& entry : GL_EXTENSION_ENTRIES) EXPECT_EQ(glEntryValue(glApi, entry), nullptr);
        // Nothing after the missing name is asked for; no message; the library stays loaded.
        std::vector<std::string> expected = coreNames();
        expected.resize(c.fetched + 1);
        EXPECT_EQ(fakes.system.lookups, expected);
        EXPECT_TRUE(fakes.system.boxes.empty());
        EXPECT_EQ(fakes.system.events, std::vector<std::string>{"load 3dfxvgl.dll"});
        EXPECT_EQ(glApi.library, &fakes.library("3dfxvgl.dll"));
        EXPECT_EQ(glApi.driverPixelFormat, 0);
    }
}

TEST(LoadGlApi, EveryCoreEntryAndNoDriverLookup) {
    ScopedSystem fakes;
    fakes.install(fake_driver::coreLibrary("opengl32.dll"));
    // Something already in the extension entries must be overwritten by the lookup's null.
    for (const GlEntry& entry : GL_EXTENSION_ENTRIES) storeGlEntry(glApi, entry, &fakes);

    EXPECT_EQ(loadGlApi("opengl32.dll"), GL_LOAD_OK);
    for (int i = 0; i < GL_CORE_ENTRY_COUNT; ++i)
        ASSERT_EQ(glEntryValue(glApi, GL_CORE_ENTRIES[i]), fake_driver::coreSymbol(i)) << GL_CORE_ENTRIES[i].name;
    for (const GlEntry& entry : GL_EXTENSION_ENTRIES) EXPECT_EQ(glEntryValue(glApi, entry), nullptr) << entry.name;

    // The core names in ascending byte order, each once, then the driver's lookup asked for 40 times.
    const std::vector<std::string>& lookups = fakes.system.lookups;
    ASSERT_EQ(lookups.size(), 336u + 40u);
    EXPECT_EQ(lookups.front(), "glAccum");
    EXPECT_EQ(lookups[335], "glViewport");
    for (int i = 1; i < 336; ++i) ASSERT_LT(lookups[i - 1], lookups[i]) << "fetch " << i;
    for (int i = 336; i < 376; ++i) EXPECT_EQ(lookups[i], "wglGetProcAddress");
    EXPECT_TRUE(fakes.system.boxes.empty());
    EXPECT_EQ(glApi.library, &fakes.library("opengl32.dll"));
}

std::vector<std::string> procNamesAsked;

void* ORB_GLAPI fakeGetProcAddress(const char* name) {
    procNamesAsked.push_back(name);
    // Every other extension is offered, at the address of its own name in the list.
    for (int i = 0; i < GL_EXTENSION_ENTRY_COUNT; ++i)
        if (std::strcmp(GL_EXTENSION_ENTRIES[i].name, name) == 0 && i % 2 == 0)
            return const_cast<GlEntry*>(&GL_EXTENSION_ENTRIES[i]);
    return nullptr;
}

TEST(LoadGlApi, ExtensionsThroughTheDriversOwnLookup) {
    ScopedSystem fakes;
    fake_driver::Library library = fake_driver::coreLibrary("opengl32.dll");
    library.symbols["wglGetProcAddress"] = fake_driver::symbolOf(&fakeGetProcAddress);
    fakes.install(library);
    procNamesAsked.clear();

    EXPECT_EQ(loadGlApi("opengl32.dll"), GL_LOAD_OK);
    std::vector<std::string> expected;
    for (const GlEntry& entry : GL_EXTENSION_ENTRIES) expected.push_back(entry.name);
    EXPECT_EQ(procNamesAsked, expected);
    for (int i = 0; i < GL_EXTENSION_ENTRY_COUNT; ++i) {
        EXPECT_EQ(glEntryValue(glApi, GL_EXTENSION_ENTRIES[i]), i % 2 == 0 ? &GL_EXTENSION_ENTRIES[i] : nullptr)
            << GL_EXTENSION_ENTRIES[i].name;
    }
    // The lookup function itself is fetched again for each of the 40.
    int lookupFetches = 0;
    for (const std::string& name : fakes.system.lookups) lookupFetches += name == "wglGetProcAddress";
    EXPECT_EQ(lookupFetches, 40);
}

TEST(LoadGlApi, DriverPixelFormatForAnyLibraryButOpengl32) {
    struct Case {
        const char* name;
        int before;
        int after;
    };
    for (const Case& c : {Case{"opengl32.dll", 0, 0}, Case{"opengl32.dll", 1, 1}, Case{"3dfxvgl.dll", 0, 1},
                          Case{"3dfxOGL.dll", 0, 1}, Case{"3dfxgl.dll", 0, 1}, Case{"OPENGL32.DLL", 0, 1},
                          Case{"opengl32.dl", 0, 1}}) {
        SCOPED_TRACE(c.name);
        ScopedSystem fakes;
        fakes.install(fake_driver::coreLibrary(c.name));
        glApi.driverPixelFormat = c.before;
        ASSERT_EQ(loadGlApi(c.name), GL_LOAD_OK);
        EXPECT_EQ(glApi.driverPixelFormat, c.after);
    }
}

// The system's GLU draws through the system's OpenGL library only; any other driver gets the camera and
// the mipmaps through its own table.
TEST(LoadGlApi, GluGoesThroughTheTableOfAnyDriverButTheSystemsLibrary) {
    const GluApi saved = gluApi;
    const GluApi system = systemGluApi(), driver = driverGluApi();
    for (const char* name : {"3dfxvgl.dll", "opengl32.dll", "3dfxgl.dll"}) {
        SCOPED_TRACE(name);
        ScopedSystem fakes;
        platform.systemGlLibrary = "opengl32.dll";
        fakes.install(fake_driver::coreLibrary(name));
        ASSERT_EQ(loadGlApi(name), GL_LOAD_OK);
        const bool systemLibrary = std::string(name) == "opengl32.dll";
        EXPECT_EQ(gluApi.gluLookAt, systemLibrary ? system.gluLookAt : driver.gluLookAt);
        EXPECT_EQ(gluApi.gluBuild2DMipmaps, systemLibrary ? system.gluBuild2DMipmaps : driver.gluBuild2DMipmaps);
    }
    gluApi = saved;
}

TEST(UnloadGlApi, FreesTheLibraryAndKeepsTheEntries) {
    ScopedSystem fakes;
    fakes.install(fake_driver::coreLibrary("opengl32.dll"));
    ASSERT_EQ(loadGlApi("opengl32.dll"), GL_LOAD_OK);
    fakes.system.freeResult = 7;
    EXPECT_EQ(unloadGlApi(), 7);
    EXPECT_EQ(glApi.library, nullptr);
    EXPECT_EQ(fakes.system.events, (std::vector<std::string>{"load opengl32.dll", "free opengl32.dll"}));
    EXPECT_EQ(glEntryValue(glApi, GL_CORE_ENTRIES[0]), fake_driver::coreSymbol(0));
}

class ChooseGlLibrary : public ::testing::Test {
protected:
    void SetUp() override { saved_ = saverSettings; }
    void TearDown() override { saverSettings = saved_; }

private:
    SaverSettings saved_;
};

TEST_F(ChooseGlLibrary, ProbesGlideThenTheThreeDfxLibrariesInOrder) {
    struct Case {
        const char* what;
        int32_t threeDfx;
        std::vector<std::string> installed;
        const char* chosen;
        std::vector<std::string> events;
    };
    const std::vector<std::string> everything = {"glide2x.dll", "glide3x.dll", "3dfxvgl.dll", "3dfxOGL.dll",
                                                 "3dfxgl.dll", "opengl32.dll"};
    const Case cases[] = {
        {"3dfx off: nothing probed", 0, everything, "opengl32.dll", {}},
        {"3dfx on, glide2x and 3dfxvgl", 1, {"glide2x.dll", "3dfxvgl.dll"}, "3dfxvgl.dll",
         {"load glide2x.dll", "free glide2x.dll", "load 3dfxvgl.dll", "free 3dfxvgl.dll"}},
        {"any non-zero value is on", 2, {"glide2x.dll", "3dfxvgl.dll"}, "3dfxvgl.dll",
         {"load glide2x.dll", "free glide2x.dll", "load 3dfxvgl.dll", "free 3dfxvgl.dll"}},
        {"negative is on too", -1, {"glide2x.dll", "3dfxOGL.dll"}, "3dfxOGL.dll",
         {"load glide2x.dll", "free glide2x.dll", "load 3dfxvgl.dll", "load 3dfxOGL.dll", "free 3dfxOGL.dll"}},
        {"no Glide: 3dfx libraries ignored", 1, {"3dfxvgl.dll", "3dfxOGL.dll", "3dfxgl.dll"}, "opengl32.dll",
         {"load glide2x.dll", "load glide3x.dll"}},
        {"only glide3x", 1, {"glide3x.dll", "3dfxgl.dll"}, "3dfxgl.dll",
         {"load glide2x.dll", "load glide3x.dll", "free glide3x.dll", "load 3dfxvgl.dll", "load 3dfxOGL.dll",
          "load 3dfxgl.dll", "free 3dfxgl.dll"}},
        {"both Glides: glide3x never loaded", 1, {"glide2x.dll", "glide3x.dll", "3dfxgl.dll"}, "3dfxgl.dll",
         {"load glide2x.dll", "free glide2x.dll", "load 3dfxvgl.dll", "load 3dfxOGL.dll", "load 3dfxgl.dll",
          "free 3dfxgl.dll"}},
        {"3dfxvgl before 3dfxgl", 1, {"glide2x.dll", "3dfxvgl.dll", "3dfxgl.dll"}, "3dfxvgl.dll",
         {"load glide2x.dll", "free glide2x.dll", "load 3dfxvgl.dll", "free 3dfxvgl.dll"}},
        {"Glide but none of the three", 1, {"glide2x.dll", "opengl32.dll"}, "opengl32.dll",
         {"load glide2x.dll", "free glide2x.dll", "load 3dfxvgl.dll", "load 3dfxOGL.dll", "load 3dfxgl.dll"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedSystem fakes;
        for (const std::string& name : c.installed) fakes.install(name);
        saverSettings.ThreeDfx = c.threeDfx;
        char name[GL_LIBRARY_NAME_SIZE];
        std::memset(name, '#', sizeof name);
        chooseGlLibrary(name);
        ASSERT_NE(std::memchr(name, '\0', sizeof name), nullptr);
        EXPECT_STREQ(name, c.chosen);
        EXPECT_EQ(fakes.system.events, c.events);
    }
}

}  // namespace
