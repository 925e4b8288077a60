#include "settings/mode_entry.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

namespace {

constexpr int64_t LOWEST = INT32_MIN;
constexpr int64_t HIGHEST = UINT32_MAX;

int64_t clampNumber(int64_t value) { return value < LOWEST ? LOWEST : value > HIGHEST ? HIGHEST : value; }

// The start of the number that begins `offset` characters after `marker`, or null when that lies past
// the closing zero of the text that starts at `text`.
const char* numberAfter(const char* text, const char* marker, std::size_t offset) {
    const std::size_t length = std::strlen(text);
    const std::size_t position = static_cast<std::size_t>(marker - text) + offset;
    return position <= length ? text + position : nullptr;
}

}  // namespace

void formatModeEntry(char (&text)[MODE_ENTRY_SIZE], int64_t width, int64_t height, int64_t bitsPerPixel,
                     int64_t frequency, bool withFrequency) {
    if (withFrequency) {
        std::snprintf(text, sizeof text, "%" PRId64 " x %" PRId64 " x %" PRId64 "bits x %" PRId64 "Hz",
                      clampNumber(width), clampNumber(height), clampNumber(bitsPerPixel), clampNumber(frequency));
    } else {
        std::snprintf(text, sizeof text, "%" PRId64 " x %" PRId64 " x %" PRId64 "bits", clampNumber(width),
                      clampNumber(height), clampNumber(bitsPerPixel));
    }
}

uint32_t readEntryNumber(const char* text) {
    while (*text == ' ') ++text;
    uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        const uint32_t digit = static_cast<uint32_t>(*text - '0');
        if (value > (UINT32_MAX - digit) / 10) {
            value = UINT32_MAX;  // keep consuming digits, the value stays saturated
        } else {
            value = value * 10 + digit;
        }
    }
    return value;
}

bool readModeEntry(const char* text, bool withFrequency, ModeNumbers* numbers) {
    const char* firstX = std::strchr(text, 'x');
    if (!firstX) return false;
    const char* heightStart = numberAfter(text, firstX, 2);
    const char* secondX = std::strchr(firstX + 1, 'x');
    if (!heightStart || !secondX) return false;
    const char* bitsStart = numberAfter(text, secondX, 2);
    const char* bitsEnd = std::strchr(secondX + 1, 'b');
    if (!bitsStart || !bitsEnd) return false;
    const char* frequencyStart = nullptr;
    if (withFrequency) {
        frequencyStart = numberAfter(text, bitsEnd, 7);
        if (!frequencyStart) return false;
    }
    numbers->width = readEntryNumber(text);
    numbers->height = readEntryNumber(heightStart);
    numbers->bitsPerPixel = readEntryNumber(bitsStart);
    numbers->frequency = frequencyStart ? readEntryNumber(frequencyStart) : 0;
    return true;
}
