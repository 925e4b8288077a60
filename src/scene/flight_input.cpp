#include "scene/flight_input.h"

FlightInput flightInput;

void setMouseScales(FlightInput& input, float screenWidth, float screenHeight) {
    input.mouseScaleY = screenHeight > 0.0f ? 4.0f / screenHeight : 0.0f;
    input.mouseScaleX = screenWidth > 0.0f ? 4.0f / screenWidth : 0.0f;
}
