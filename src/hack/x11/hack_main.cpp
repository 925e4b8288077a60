// The Linux program: an XScreenSaver hack, a window of its own, or still pictures.
#include <cstdio>
#include <cstdlib>

#include "hack/hack_options.h"
#include "hack/stills/still_render.h"
#include "hack/x11/hack_loop.h"

int main(int argc, char** argv) {
    const ParseResult parsed = parseHackOptions(argc, argv, std::getenv("XSCREENSAVER_WINDOW"));
    switch (parsed.outcome) {
        case ParseOutcome::Help:
            std::fputs(hackUsage(), stdout);
            return 0;
        case ParseOutcome::Version:
            std::puts("orbitarium " ORBITARIUM_VERSION);
            return 0;
        case ParseOutcome::Error:
            std::fprintf(stderr, "%s\n", parsed.message.c_str());
            return 2;
        case ParseOutcome::Run:
            break;
    }
    if (parsed.options.target == HackTarget::Stills) return renderStills(parsed.options);
    return runOnX11(parsed.options);
}
