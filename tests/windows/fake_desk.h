#pragma once
// A desk of monitors that the platform table reports in place of the test display's own one.
#include <cstdint>
#include <vector>

#include "platform/platform.h"

inline std::vector<MonitorArea> desk;

inline uint32_t listDesk(MonitorArea* monitors, uint32_t capacity) {
    uint32_t count = 0;
    for (const MonitorArea& monitor : desk)
        if (count < capacity) monitors[count++] = monitor;
    return count;
}
