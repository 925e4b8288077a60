// The program's still pictures: run as a user would, then read back. N files of the asked size, the
// same files for the same seed, and a first picture that is the saver's own first frame.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "hack/hack_scene.h"
#include "hack/stills/still_render.h"
#include "pictures/png_file.h"
#include "platform/platform.h"
#include "render/frame_render.h"
#include "render/scene_setup.h"
#include "settings/saver_settings.h"
#include "support/offscreen_context.h"

namespace {

std::string scratch(const std::string& name) {
    return std::string(ORBITARIUM_LINUX_TEST_OUTPUT) + "/" + name;
}

int runProgram(const std::string& arguments) {
    const std::string command = std::string(ORBITARIUM_PROGRAM) + " " + arguments + " 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<char> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t seedClock() { return 42; }

TEST(StillFileName, NumbersFromOneWithFourDigits) {
    EXPECT_EQ(stillFileName("out", 1), "out/orbitarium-0001.png");
    EXPECT_EQ(stillFileName("out/", 12), "out/orbitarium-0012.png");
    EXPECT_EQ(stillFileName("", 10000), "orbitarium-10000.png");
}

TEST(Stills, WritesNFilesOfTheSizeAndTheSameSeedGivesTheSameBytes) {
    const std::string first = scratch("stills-a"), second = scratch("stills-b");
    std::system(("rm -rf " + first + " " + second).c_str());
    const std::string flags = " --size 320x180 --frames 3 --every 40 --start-tick 5 --seed 42";
    ASSERT_EQ(runProgram("--render " + first + flags), 0);
    ASSERT_EQ(runProgram("--render " + second + flags), 0);
    for (int i = 1; i <= 3; ++i) {
        int width = 0, height = 0;
        std::vector<uint8_t> rgb;
        ASSERT_TRUE(readPngFile(stillFileName(first, i), &width, &height, &rgb)) << i;
        EXPECT_EQ(width, 320);
        EXPECT_EQ(height, 180);
        EXPECT_EQ(fileBytes(stillFileName(first, i)), fileBytes(stillFileName(second, i))) << i;
    }
    EXPECT_NE(access(stillFileName(first, 4).c_str(), F_OK), 0) << "one file too many";
    // The tour moves between pictures: 40 ticks apart they differ.
    EXPECT_NE(fileBytes(stillFileName(first, 1)), fileBytes(stillFileName(first, 2)));
}

TEST(Stills, AnotherSeedGivesAnotherSky) {
    const std::string a = scratch("stills-seed1"), b = scratch("stills-seed2");
    ASSERT_EQ(runProgram("--render " + a + " --size 160x120 --seed 1"), 0);
    ASSERT_EQ(runProgram("--render " + b + " --size 160x120 --seed 2"), 0);
    EXPECT_NE(fileBytes(stillFileName(a, 1)), fileBytes(stillFileName(b, 1)));
}

TEST(Stills, TheFirstPictureOfTickZeroIsTheSaversFirstFrame) {
    const std::string folder = scratch("stills-first");
    ASSERT_EQ(runProgram("--render " + folder + " --size 400x300 --seed 42"), 0);
    int width = 0, height = 0;
    std::vector<uint8_t> written;
    ASSERT_TRUE(readPngFile(stillFileName(folder, 1), &width, &height, &written));

    // The first frame as the pixel tests draw it: the saver's own set-up with the clock reading the
    // seed, then one frame from the initial camera.
    OffscreenContext context;
    if (!context.create(400, 300)) GTEST_SKIP() << "no offscreen OpenGL here: " << context.error();
    const Platform saved = platform;
    platform.tickCount = seedClock;
    saverSettings = SaverSettings{};
    saverSettings.ScrWidth = 400;
    saverSettings.ScrHeight = 300;
    setUpScene();
    platform = saved;
    drawFrame();
    const std::vector<unsigned char> bottomUp = context.readPixels();
    releaseHackScene();
    ASSERT_EQ(written.size(), bottomUp.size());
    size_t differing = 0;
    for (int y = 0; y < 300; ++y)
        for (size_t k = 0; k < 400 * 3; ++k)
            differing += written[static_cast<size_t>(y) * 1200 + k] != bottomUp[static_cast<size_t>(299 - y) * 1200 + k];
    EXPECT_EQ(differing, 0u);
    // And it is a picture: the Sun is bright in the middle of the initial view.
    const uint8_t* centre = &written[(150 * 400 + 200) * 3];
    EXPECT_GT(centre[0] + centre[1] + centre[2], 300);
}

// A desk of three: the primary on the right of the origin, a monitor of another size left of it
// reaching above, one below. One picture of the bounding box: the primary's part is the picture of
// the primary alone, the others show sky of their own, and where no monitor is stays black.
TEST(Stills, ADeskIsOnePictureOfItsBoundingBoxWithEveryMonitorInItsPlace) {
    const std::string desk = scratch("stills-desk"), alone = scratch("stills-desk-primary");
    ASSERT_EQ(runProgram("--render " + desk + " --seed 7 --start-tick 300 --monitors 320x240+0+0,200x300-200-60,160x120+40+240"), 0);
    ASSERT_EQ(runProgram("--render " + alone + " --seed 7 --start-tick 300 --size 320x240"), 0);
    int width = 0, height = 0, primaryWidth = 0, primaryHeight = 0;
    std::vector<uint8_t> picture, primary;
    ASSERT_TRUE(readPngFile(stillFileName(desk, 1), &width, &height, &picture));
    ASSERT_TRUE(readPngFile(stillFileName(alone, 1), &primaryWidth, &primaryHeight, &primary));
    ASSERT_EQ(width, 520);  // x -200..320
    ASSERT_EQ(height, 420);  // y -60..360
    const auto pixel = [&](int x, int y) { return &picture[(static_cast<size_t>(y + 60) * 520 + (x + 200)) * 3]; };
    const auto lit = [](const uint8_t* p) { return p[0] + p[1] + p[2] > 0; };

    // The primary's part, away from the seams of the view continued past its edges.
    size_t differing = 0;
    for (int y = 1; y < 239; ++y)
        for (int x = 1; x < 319; ++x)
            for (int c = 0; c < 3; ++c)
                differing += std::abs(pixel(x, y)[c] - primary[(static_cast<size_t>(y) * 320 + x) * 3 + c]) > 2;
    EXPECT_LT(differing, 320u * 240u * 3u / 1000u) << "of the primary's part";

    // Every other monitor shows stars; nowhere else is anything drawn.
    size_t litLeft = 0, litBelow = 0, litElsewhere = 0;
    for (int y = -60; y < 360; ++y)
        for (int x = -200; x < 320; ++x) {
            const bool left = x < 0 && y < 240, below = x >= 40 && x < 200 && y >= 240, onPrimary = x >= 0 && y < 240;
            if (!lit(pixel(x, y))) continue;
            if (left) ++litLeft;
            else if (below) ++litBelow;
            else if (!onPrimary) ++litElsewhere;
        }
    EXPECT_GT(litLeft, 20u);
    EXPECT_GT(litBelow, 5u);
    EXPECT_EQ(litElsewhere, 0u);
}

// The exit code and what the program said on stderr, run through the shell with `shellBefore` first.
std::pair<int, std::string> runProgramSaying(const std::string& arguments, const std::string& shellBefore = "") {
    const std::string command = "sh -c '" + shellBefore + " exec " + ORBITARIUM_PROGRAM + " " + arguments + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string said;
    char buffer[256];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe)) said += buffer;
    const int status = pipe ? pclose(pipe) : -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, said};
}

TEST(Stills, EveryFileErrorNamesTheFileAndTheSystemsReasonAndLeavesNothingHalfWritten) {
    auto [code, said] = runProgramSaying("--render /proc/no-such-place/stills --size 64x64");
    EXPECT_EQ(code, 1);
    EXPECT_EQ(said, "orbitarium: cannot make /proc/no-such-place/stills: No such file or directory\n");
    const std::string file = scratch("not-a-folder");
    std::ofstream(file) << "a file";
    std::tie(code, said) = runProgramSaying("--render " + file + " --size 64x64");
    EXPECT_EQ(code, 1);
    EXPECT_EQ(said, "orbitarium: cannot write " + file + "/orbitarium-0001.png: Not a directory\n");
    // A full disk, as a file size limit of 4 KB (8 blocks of 512 bytes) makes it: the write fails
    // part way through and neither the picture nor its temporary file is left.
    const std::string folder = scratch("stills-full");
    std::remove((folder + "/orbitarium-0001.png").c_str());
    std::tie(code, said) = runProgramSaying("--render " + folder + " --size 256x256 --seed 3", "ulimit -f 8; trap \"\" XFSZ;");
    EXPECT_EQ(code, 1);
    EXPECT_EQ(said, "orbitarium: cannot write " + folder + "/orbitarium-0001.png: File too large\n");
    EXPECT_NE(access((folder + "/orbitarium-0001.png").c_str(), F_OK), 0);
    EXPECT_NE(access((folder + "/orbitarium-0001.png.part").c_str(), F_OK), 0);
}

TEST(PngWriter, RowsGoTopDownWhicheverWayTheyCame) {
    // Two rows: red at the bottom of the GL-style buffer, blue at the top.
    const uint8_t glRows[] = {255, 0, 0, 0, 0, 255};
    const std::string path = scratch("rows.png");
    ASSERT_TRUE(writePngFile(path, 1, 2, glRows, true));
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    ASSERT_TRUE(readPngFile(path, &width, &height, &rgb));
    EXPECT_EQ(rgb, (std::vector<uint8_t>{0, 0, 255, 255, 0, 0}));
    ASSERT_TRUE(writePngFile(path, 1, 2, glRows, false));
    ASSERT_TRUE(readPngFile(path, &width, &height, &rgb));
    EXPECT_EQ(rgb, (std::vector<uint8_t>{255, 0, 0, 0, 0, 255}));
}

TEST(PngWriter, FailuresAreReported) {
    const uint8_t pixel[] = {1, 2, 3};
    EXPECT_TRUE(encodePng(0, 1, pixel, false).empty());
    EXPECT_TRUE(encodePng(1, 1, nullptr, false).empty());
    EXPECT_FALSE(writePngFile("/proc/no-such-place/x.png", 1, 1, pixel, false));
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    EXPECT_FALSE(readPngFile(scratch("missing.png"), &width, &height, &rgb));
    std::ofstream(scratch("not-a.png")) << "not a picture";
    EXPECT_FALSE(readPngFile(scratch("not-a.png"), &width, &height, &rgb));
}

}  // namespace
