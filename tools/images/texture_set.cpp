#include "texture_set.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "bodies.h"
#include "pictures.h"

const std::vector<TextureEntry>& textureTable() {
    static const std::vector<TextureEntry> table = {
        {228, "glow", 256, 256, TextureKind::Glow, [](const LandMask&) { return makeGlowTexture(); }},
        {157, "loading", 256, 256, TextureKind::Loading, [](const LandMask&) { return makeLoadingPicture(); }},
        {236, "sun", 512, 512, TextureKind::Sphere, [](const LandMask&) { return makeSunTexture(); }},
        {232, "mercury", 512, 512, TextureKind::Sphere, [](const LandMask&) { return makeMercuryTexture(); }},
        {227, "venus", 512, 512, TextureKind::Sphere, [](const LandMask&) { return makeVenusTexture(); }},
        {238, "earth", 512, 512, TextureKind::Sphere, makeEarthTexture},
        {231, "mars", 512, 512, TextureKind::Sphere, [](const LandMask&) { return makeMarsTexture(); }},
        {230, "jupiter", 512, 512, TextureKind::Sphere, [](const LandMask&) { return makeJupiterTexture(); }},
        {235, "saturn", 512, 512, TextureKind::Sphere, [](const LandMask&) { return makeSaturnTexture(); }},
        {237, "uranus", 256, 256, TextureKind::Sphere, [](const LandMask&) { return makeUranusTexture(); }},
        {234, "neptune", 256, 256, TextureKind::Sphere, [](const LandMask&) { return makeNeptuneTexture(); }},
        {239, "pluto", 256, 256, TextureKind::Sphere, [](const LandMask&) { return makePlutoTexture(); }},
        {233, "moon", 256, 256, TextureKind::Sphere, [](const LandMask&) { return makeMoonTexture(); }},
        {240, "ring", 256, 256, TextureKind::Ring, [](const LandMask&) { return makeRingTexture(); }},
    };
    return table;
}

const TextureEntry* findTexture(int id) {
    for (const TextureEntry& entry : textureTable())
        if (entry.id == id) return &entry;
    return nullptr;
}

TextureSet makeAllTextures(const LandMask& land) {
    // Each texture is independent of the others, so they are made on a few threads at once; every
    // result goes to its own slot, which keeps the outcome the same for any number of threads.
    const std::vector<TextureEntry>& table = textureTable();
    std::vector<Picture> made(table.size());
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i = next++; i < table.size(); i = next++) made[i] = table[i].make(land);
    };
    const unsigned threads = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < threads; ++t) helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers) helper.join();
    TextureSet set;
    for (size_t i = 0; i < table.size(); ++i) set[table[i].id] = std::move(made[i]);
    return set;
}

const std::vector<int>& iconSizes() {
    static const std::vector<int> sizes = {16, 24, 32, 48, 256};  // 256: Explorer's large icons
    return sizes;
}
