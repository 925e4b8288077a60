#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "gl/gl_api.h"

namespace {

TEST(GlApi, CoreNamesInFetchOrderAndExtensionsAsListed) {
    EXPECT_STREQ(GL_CORE_ENTRIES[0].name, "glAccum");
    EXPECT_STREQ(GL_CORE_ENTRIES[1].name, "glAlphaFunc");
    EXPECT_STREQ(GL_CORE_ENTRIES[GL_CORE_ENTRY_COUNT - 1].name, "glViewport");
    for (int i = 1; i < GL_CORE_ENTRY_COUNT; ++i) {
        EXPECT_LT(std::strcmp(GL_CORE_ENTRIES[i - 1].name, GL_CORE_ENTRIES[i].name), 0)
            << GL_CORE_ENTRIES[i].name << " out of byte order";
    }
    std::set<std::string> core;
    for (const GlEntry& e : GL_CORE_ENTRIES) core.insert(e.name);
    // The calls the saver's drawing makes are all core entries.
    for (const char* used : {"glBegin", "glBindTexture", "glColor4fv", "glGetFloatv", "glMultMatrixd", "glTexImage2D",
                             "glTexCoord2fv", "glVertex3fv", "glPointSize", "glGenLists", "glViewport"}) {
        EXPECT_EQ(core.count(used), 1u) << used;
    }

    std::string expected[GL_EXTENSION_ENTRY_COUNT];
    int n = 0;
    expected[n++] = "glActiveTextureARB";
    expected[n++] = "glClientActiveTextureARB";
    for (char dimension : {'1', '2', '3', '4'}) {
        for (const char* type : {"d", "dv", "f", "fv", "i", "iv", "s", "sv"}) {
            expected[n++] = std::string("glMultiTexCoord") + dimension + type + "ARB";
        }
    }
    for (const char* name : {"glLockArraysEXT", "glUnlockArraysEXT", "wglSwapIntervalEXT", "wglGetSwapIntervalEXT",
                             "glPointParameterfEXT", "glPointParameterfvEXT"}) {
        expected[n++] = name;
    }
    ASSERT_EQ(n, GL_EXTENSION_ENTRY_COUNT);
    for (int i = 0; i < n; ++i) EXPECT_EQ(GL_EXTENSION_ENTRIES[i].name, expected[i]) << "entry " << i;
}

TEST(GlApi, EveryEntryHasItsOwnField) {
    std::set<std::size_t> offsets;
    for (const GlEntry& e : GL_CORE_ENTRIES) offsets.insert(e.offset);
    for (const GlEntry& e : GL_EXTENSION_ENTRIES) offsets.insert(e.offset);
    EXPECT_EQ(offsets.size(), 376u);
    for (std::size_t offset : offsets) {
        EXPECT_GE(offset, offsetof(GlApi, glAccum));
        EXPECT_LE(offset + sizeof(void*), sizeof(GlApi));
    }
}

GLuint listBase = 0;
GLsizei listsAsked = 0;
GLuint ORB_GLAPI fakeGenLists(GLsizei range) {
    listsAsked = range;
    return listBase;
}

TEST(GlApi, StoredEntriesAreWhatTheCallThroughsReach) {
    const GlApi saved = glApi;
    const GlEntry* genLists = nullptr;
    for (const GlEntry& e : GL_CORE_ENTRIES) {
        if (std::strcmp(e.name, "glGenLists") == 0) genLists = &e;
    }
    ASSERT_NE(genLists, nullptr);
    void* symbol = nullptr;
    const auto function = &fakeGenLists;
    std::memcpy(&symbol, &function, sizeof symbol);
    storeGlEntry(glApi, *genLists, symbol);
    EXPECT_EQ(glApi.glGenLists, &fakeGenLists);
    EXPECT_EQ(glEntryValue(glApi, *genLists), symbol);

    listBase = 7;
    EXPECT_EQ(glGenLists(3), 7u);  // the plain name goes through the table, arguments and result unchanged
    EXPECT_EQ(listsAsked, 3);

    storeGlEntry(glApi, *genLists, nullptr);
    EXPECT_EQ(glApi.glGenLists, nullptr);
    glApi = saved;
}

}  // namespace
