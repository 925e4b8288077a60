// The Linux program's flags from arbitrary bytes: the input is cut at zero bytes into arguments (the
// first piece is XSCREENSAVER_WINDOW), each in a buffer of exactly its length. Beyond not crashing,
// every outcome must keep its promises: an error is one line naming what went wrong, and a run has
// every value inside the range its flag accepts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "hack/hack_options.h"

namespace {

void check(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "flags: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> pieces(1);
    for (size_t i = 0; i < size && pieces.size() < 24; ++i) {
        if (data[i] == 0) pieces.emplace_back();
        else pieces.back().push_back(static_cast<char>(data[i]));
    }
    std::vector<std::unique_ptr<char[]>> buffers;
    std::vector<const char*> argv = {"orbitarium"};
    for (size_t i = 1; i < pieces.size(); ++i) {
        buffers.emplace_back(new char[pieces[i].size() + 1]);
        std::copy(pieces[i].begin(), pieces[i].end(), buffers.back().get());
        buffers.back()[pieces[i].size()] = '\0';
        argv.push_back(buffers.back().get());
    }
    const char* environment = pieces[0].empty() ? nullptr : pieces[0].c_str();
    const ParseResult result = parseHackOptions(static_cast<int>(argv.size()), argv.data(), environment);
    if (result.outcome == ParseOutcome::Error) {
        check(result.message.rfind("orbitarium: ", 0) == 0, "an error names the program");
        check(result.message.find('\n') == std::string::npos, "an error is one line");
        return 0;
    }
    check(result.message.empty(), "no message without an error");
    // The options are not used then.
    if (result.outcome == ParseOutcome::Help || result.outcome == ParseOutcome::Version) return 0;
    const HackOptions& o = result.options;
    check(o.cameraSpeed >= 1 && o.cameraSpeed <= 5, "camera speed in 1..5");
    check(o.planetSpeed >= 0 && o.planetSpeed <= 5, "planet speed in 0..5");
    check(o.stars >= 0 && o.stars <= 4, "stars in 0..4");
    check(o.seed >= 0 && o.seed <= 255, "seed in 0..255");
    check(o.delayMicroseconds >= 0 && o.delayMicroseconds <= 10000000, "delay in range");
    check(o.width >= 16 && o.height >= 16 && o.width <= 16384 && o.height <= 16384, "size in range");
    check(o.frames >= 1 && o.every >= 1 && o.startTick >= 0, "stills counts in range");
    check((o.target == HackTarget::Stills) == !o.renderDirectory.empty(), "stills exactly with a folder");
    check(o.target != HackTarget::GivenWindow || o.windowId != 0, "a given window has an id");
    return 0;
}
