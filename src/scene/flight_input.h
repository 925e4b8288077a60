#pragma once
// The viewer's flight input, written by the window procedure and read by the update tick.
#include <cstdint>

#include "settings/saver_state.h"

struct FlightInput {
    float thrust = 0.0f;       // manual flight speed factor per tick
    float tilt = 0.0f;         // +1 Left held, -1 Right held, 0 neither
    int32_t mouseButton = 0;   // 0 none, 1 left, 2 right, 3 middle: the last one pressed
    CursorPoint steerCursor;   // screen pixels
    float mouseScaleX = 0.0f;  // 4 / ScrWidth: maps a cursor x to -2..+2 as x * scale - 2
    float mouseScaleY = 0.0f;  // 4 / ScrHeight
};

extern FlightInput flightInput;

// Sets the two cursor scales from the screen size in pixels. A size of 0 (or less) would divide by
// zero; such a display mode is refused before any flight happens, so the scale is left at 0 then.
void setMouseScales(FlightInput& input, float screenWidth, float screenHeight);
