#pragma once
// The text of one display mode in the settings dialog's resolution list, and how OK reads it back.
//   with a frequency:    W " x " H " x " B "bits x " F "Hz"    e.g. 800 x 600 x 16bits x 75Hz
//   without a frequency: W " x " H " x " B "bits"              e.g. 800 x 600 x 16bits
#include <cstddef>
#include <cstdint>

// Room for four numbers of up to 10 digits and a sign (anything from -2^31 to 2^32 - 1, which covers
// the platform's unsigned mode values and the signed options), the separators and the closing zero.
constexpr std::size_t MODE_ENTRY_SIZE = 64;

struct ModeNumbers {
    uint32_t width = 0;         // pixels
    uint32_t height = 0;        // pixels
    uint32_t bitsPerPixel = 0;
    uint32_t frequency = 0;     // Hz; 0 when the entry has no frequency
};

// Writes the entry text into `text`. Each number is clamped to -2^31 .. 2^32 - 1 first, so the text
// always fits whole.
void formatModeEntry(char (&text)[MODE_ENTRY_SIZE], int64_t width, int64_t height, int64_t bitsPerPixel,
                     int64_t frequency, bool withFrequency);

// Reads a decimal number the way the dialog reads its entries: spaces skipped, then digits up to the
// first non-digit (no sign). 0 when there are no digits; saturates at 2^32 - 1 instead of overflowing.
uint32_t readEntryNumber(const char* text);

// Reads an entry's numbers by position: the width before the first "x"; the height from two characters
// after it; the bits per pixel from two characters after the next "x"; and, with `withFrequency`, the
// frequency from seven characters after the following "b" (past "bits x "). Never reads past the
// text's closing zero. False, with `numbers` untouched, when a marker is missing or a number would start
// past the end: such a text is not one of the dialog's entries.
bool readModeEntry(const char* text, bool withFrequency, ModeNumbers* numbers);
