#pragma once
// Saves the whole platform table and puts it back at the end of a test, so a test can replace any
// entry with its own function.
#include "platform/platform.h"

class ScopedPlatform {
public:
    ScopedPlatform() : saved_(platform) {}
    ~ScopedPlatform() { platform = saved_; }
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

private:
    Platform saved_;
};
