// loadTexture's GL calls, and what it does with a missing or damaged "TEXTURE" resource.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "geometry/texture_loader.h"
#include "gl/recording_gl.h"

namespace {

using recording_gl::Call;

// The resource table of a test: one picture under one id; every other id is missing.
int resourceId = 0;
const unsigned char* resourceData = nullptr;
std::size_t resourceSize = 0;
std::vector<int> idsAsked;

ResourceBytes fakeResource(int id) {
    idsAsked.push_back(id);
    if (id != resourceId) return {};
    return {resourceData, resourceSize};
}

class LoadTexture : public ::testing::Test {
protected:
    void SetUp() override {
        platform.textureResource = &fakeResource;
        idsAsked.clear();
    }
    // A heap block of exactly `size` bytes, so that reading one byte more is caught.
    void provide(int id, std::size_t size) {
        bytes_.reset(new unsigned char[size]);
        for (std::size_t i = 0; i < size; ++i) bytes_[i] = static_cast<unsigned char>(i * 7 + 3);
        resourceId = id;
        resourceData = bytes_.get();
        resourceSize = size;
    }
    static std::vector<Call> imageCalls() { return recording_gl::only({"glTexImage2D", "gluBuild2DMipmaps"}); }

    recording_gl::ScopedRecordingGl gl;  // also restores the platform table
    std::unique_ptr<unsigned char[]> bytes_;
};

TEST_F(LoadTexture, BindsSetsUpAndUploadsWithTheMipmapChain) {
    // Not square, so a width and height swapped would show.
    constexpr int W = 8, H = 4;
    provide(231, W * H * 3);
    loadTexture(231, 5, W, H);

    const double data = recording_gl::address(resourceData);
    const std::vector<Call> expected = {
        {"glBindTexture", {GL_TEXTURE_2D, 5}},
        {"glPixelStorei", {GL_UNPACK_ALIGNMENT, 1}},
        {"glTexParameteri", {GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT}},
        {"glTexParameteri", {GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT}},
        {"glTexParameteri", {GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR}},
        {"glTexParameteri", {GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR}},
        {"glTexEnvf", {GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE}},
        {"glTexImage2D", {GL_TEXTURE_2D, 0, GL_RGB, W, H, 0, GL_RGB, GL_UNSIGNED_BYTE, data}},
        {"gluBuild2DMipmaps", {GL_TEXTURE_2D, GL_RGB, W, H, GL_RGB, GL_UNSIGNED_BYTE, data}},
    };
    ASSERT_EQ(recording_gl::calls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(recording_gl::calls[i].name, expected[i].name) << "call " << i;
        EXPECT_EQ(recording_gl::calls[i].args, expected[i].args) << expected[i].name;
    }
    EXPECT_EQ(idsAsked, std::vector<int>{231});
    // Both uploads got the picture's bytes as stored, all of them.
    const uint32_t picture = recording_gl::hashBytes(resourceData, W * H * 3);
    for (const Call& call : imageCalls()) EXPECT_EQ(call.pixels, picture) << call.name;
}

TEST_F(LoadTexture, ALongerResourceUploadsItsFirstWidthByHeightPixels) {
    provide(240, 4 * 4 * 3 + 100);
    loadTexture(240, 11, 4, 4);
    const std::vector<Call> images = imageCalls();
    ASSERT_EQ(images.size(), 2u);
    for (const Call& call : images) EXPECT_EQ(call.pixels, recording_gl::hashBytes(resourceData, 4 * 4 * 3));
}

TEST_F(LoadTexture, MissingOrShortResourceLeavesTheObjectWithoutAnImage) {
    struct Case {
        const char* what;
        int providedId;
        std::size_t size;
    };
    constexpr int W = 16, H = 16;
    for (const Case& c : {Case{"missing", 999, W * H * 3}, Case{"one byte short", 237, W * H * 3 - 1},
                          Case{"one row short", 237, (W * H - W) * 3}, Case{"empty", 237, 0}}) {
        SCOPED_TRACE(c.what);
        recording_gl::calls.clear();
        provide(c.providedId, c.size);
        // The image calls would read width x height x 3 bytes: AddressSanitizer catches any over-read.
        loadTexture(237, 7, W, H);
        EXPECT_TRUE(imageCalls().empty());
        // The object named is still the one bound, so nothing else receives this picture.
        const std::vector<Call> binds = recording_gl::only({"glBindTexture"});
        for (const Call& bind : binds) EXPECT_EQ(bind.args[1], 7.0);
    }
}

}  // namespace
