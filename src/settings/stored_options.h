#pragma once
// How the eleven options map to stored 4-byte values, independent of where they are stored.
#include <cstdint>

#include "settings/saver_settings.h"

constexpr int OPTION_COUNT = 11;

// Value names in the order they are read, and in the order they are written ("NumStars" is written
// before "PlanetSpeed", the reverse of the reading order).
extern const char* const OPTION_READ_ORDER[OPTION_COUNT];
extern const char* const OPTION_WRITE_ORDER[OPTION_COUNT];

// Reads the value `name` into `data` (room for 4 bytes). `*size` is 4 on entry; on success it holds the
// number of bytes the value has. Returns false when the value is absent, unreadable or longer than 4.
using StoredValueReader = bool (*)(void* context, const char* name, unsigned char* data, uint32_t* size);
// Writes `value` as a 4-byte value under `name`.
using StoredValueWriter = void (*)(void* context, const char* name, uint32_t value);

// Takes every option that reads as exactly 4 bytes; the others keep their values. No range is enforced.
void readOptions(SaverSettings& settings, StoredValueReader read, void* context);
// Writes all eleven options in writing order.
void writeOptions(const SaverSettings& settings, StoredValueWriter write, void* context);

// The 4 stored bytes as one value (little-endian, as the registry keeps a REG_DWORD).
uint32_t storedWord(const unsigned char* data);

// One option from its stored 4 bytes (little-endian), and its stored form. False for an unknown name.
bool applyStoredOption(SaverSettings& settings, const char* name, uint32_t stored);
bool storedOptionValue(const SaverSettings& settings, const char* name, uint32_t* stored);
