#include "hack/stills/still_render.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "gl/gl_api.h"
#include "gl/offscreen_context.h"
#include "hack/hack_scene.h"
#include "hack/monitor_layout.h"
#include "pictures/png_file.h"
#include "render/frame_render.h"
#include "render/frame_views.h"
#include "scene/update_tick.h"

namespace {

void showProgress(int done, int total, bool terminal) {
    if (terminal) {
        constexpr int BAR = 40;
        const int filled = done * BAR / total;
        std::fprintf(stderr, "\r[%.*s%*s] %d/%d", filled, "########################################",
                     BAR - filled, "", done, total);
        if (done == total) std::fputc('\n', stderr);
    } else if (total >= 10 && (done * 10 / total != (done - 1) * 10 / total || done == total)) {
        std::fprintf(stderr, "orbitarium: %d of %d pictures written\n", done, total);
    }
}

}  // namespace

std::string stillFileName(const std::string& directory, int index) {
    char name[32];
    std::snprintf(name, sizeof name, "orbitarium-%04d.png", index);
    if (directory.empty() || directory.back() == '/') return directory + name;
    return directory + "/" + name;
}

int renderStills(const HackOptions& options) {
    if (mkdir(options.renderDirectory.c_str(), 0777) != 0 && errno != EEXIST) {
        std::fprintf(stderr, "orbitarium: cannot make %s: %s\n", options.renderDirectory.c_str(), std::strerror(errno));
        return 1;
    }
    // A desk: one picture of its bounding box, the scene set up for the primary.
    const bool desk = options.monitorCount > 0;
    const MonitorArea box = desk ? boundingBox(options.monitors, options.monitorCount)
                                 : MonitorArea{0, 0, options.width, options.height, true};
    const int width = box.right - box.left, height = box.bottom - box.top;
    OffscreenContext context;
    if (!context.create(width, height)) {
        std::fprintf(stderr, "orbitarium: no offscreen OpenGL: %s\n", context.error().c_str());
        return 1;
    }
    const WindowView primary = windowView(options.monitors, options.monitorCount, box);
    if (desk)
        applyHackOptions(options, static_cast<int>(primary.primaryWidth), static_cast<int>(primary.primaryHeight));
    else
        applyHackOptions(options, width, height);
    setUpHackScene(options);
    // Every monitor's view at its place in the picture.
    layOutViews(options.monitors, options.monitorCount, options.monitors, options.monitorCount, box);
    for (int32_t t = 0; t < options.startTick; ++t) updateTick();

    const bool terminal = isatty(STDERR_FILENO) != 0;
    for (int32_t i = 0; i < options.frames; ++i) {
        if (i > 0)
            for (int32_t t = 0; t < options.every; ++t) updateTick();
        if (desk) {
            // Black where no monitor is: the views clear only their own rectangles.
            glDisable(GL_SCISSOR_TEST);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            drawFrameOnEveryView();
        } else {
            drawFrame();
        }
        const std::vector<unsigned char> pixels = context.readPixels();
        const std::string path = stillFileName(options.renderDirectory, i + 1);
        std::string reason;
        if (!writePngFile(path, width, height, pixels.data(), true, &reason)) {
            std::fprintf(stderr, "orbitarium: cannot write %s: %s\n", path.c_str(), reason.c_str());
            frameViews.count = 0;
            releaseHackScene();
            return 1;
        }
        showProgress(i + 1, options.frames, terminal);
    }
    frameViews.count = 0;
    releaseHackScene();
    return 0;
}
