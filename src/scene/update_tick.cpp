#include "scene/update_tick.h"

void updateTick() {}
