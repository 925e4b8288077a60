#include "hack/stills/still_render.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "gl/offscreen_context.h"
#include "hack/hack_scene.h"
#include "pictures/png_file.h"
#include "render/frame_render.h"
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
    OffscreenContext context;
    if (!context.create(options.width, options.height)) {
        std::fprintf(stderr, "orbitarium: no offscreen OpenGL: %s\n", context.error().c_str());
        return 1;
    }
    applyHackOptions(options, options.width, options.height);
    setUpHackScene(options);
    for (int32_t t = 0; t < options.startTick; ++t) updateTick();

    const bool terminal = isatty(STDERR_FILENO) != 0;
    for (int32_t i = 0; i < options.frames; ++i) {
        if (i > 0)
            for (int32_t t = 0; t < options.every; ++t) updateTick();
        drawFrame();
        const std::vector<unsigned char> pixels = context.readPixels();
        const std::string path = stillFileName(options.renderDirectory, i + 1);
        std::string reason;
        if (!writePngFile(path, options.width, options.height, pixels.data(), true, &reason)) {
            std::fprintf(stderr, "orbitarium: cannot write %s: %s\n", path.c_str(), reason.c_str());
            releaseHackScene();
            return 1;
        }
        showProgress(i + 1, options.frames, terminal);
    }
    releaseHackScene();
    return 0;
}
