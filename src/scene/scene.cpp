#include "scene/scene.h"

Scene scene;

namespace {
constexpr float ORBIT_FACTORS[BODY_COUNT] = {1.4f, 1.3f, 1.2f, 1.1f, 1.0f, 0.9f,
                                             0.8f, 0.7f, 0.6f, 0.5f, 1.1f, 0.8f};
constexpr double LEVEL_MULTIPLIERS[PLANET_SPEED_LEVELS] = {0.0, 0.05, 0.1, 0.2, 0.3, 0.4};
}  // namespace

void fillOrbitSteps(float steps[BODY_COUNT][PLANET_SPEED_LEVELS]) {
    for (int body = 0; body < BODY_COUNT; ++body)
        for (int level = 0; level < PLANET_SPEED_LEVELS; ++level)
            steps[body][level] = static_cast<float>(static_cast<double>(ORBIT_FACTORS[body]) * LEVEL_MULTIPLIERS[level]);
}
