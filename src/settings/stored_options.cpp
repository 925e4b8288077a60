#include "settings/stored_options.h"

#include <cstring>

const char* const OPTION_READ_ORDER[OPTION_COUNT] = {
    "ScrWidth",  "ScrHeight", "ColorBits",   "Hertz",     "AutoPilot", "CameraSpeed",
    "PlanetSpeed", "NumStars", "3dfx",       "InvertMouse", "ShowMouse",
};

const char* const OPTION_WRITE_ORDER[OPTION_COUNT] = {
    "ScrWidth",  "ScrHeight", "ColorBits", "Hertz",       "AutoPilot", "CameraSpeed",
    "NumStars",  "PlanetSpeed", "3dfx",    "InvertMouse", "ShowMouse",
};

namespace {

enum class Kind { Pixels, Integer, Flag };

struct OptionField {
    const char* name;
    Kind kind;
    float SaverSettings::*pixels;
    int32_t SaverSettings::*integer;
    uint8_t SaverSettings::*flag;
};

const OptionField FIELDS[OPTION_COUNT] = {
    {"ScrWidth", Kind::Pixels, &SaverSettings::ScrWidth, nullptr, nullptr},
    {"ScrHeight", Kind::Pixels, &SaverSettings::ScrHeight, nullptr, nullptr},
    {"ColorBits", Kind::Integer, nullptr, &SaverSettings::ColorBits, nullptr},
    {"Hertz", Kind::Integer, nullptr, &SaverSettings::Hertz, nullptr},
    {"AutoPilot", Kind::Flag, nullptr, nullptr, &SaverSettings::AutoPilot},
    {"CameraSpeed", Kind::Integer, nullptr, &SaverSettings::CameraSpeed, nullptr},
    {"PlanetSpeed", Kind::Integer, nullptr, &SaverSettings::PlanetSpeed, nullptr},
    {"NumStars", Kind::Integer, nullptr, &SaverSettings::NumStars, nullptr},
    {"3dfx", Kind::Integer, nullptr, &SaverSettings::ThreeDfx, nullptr},
    {"InvertMouse", Kind::Flag, nullptr, nullptr, &SaverSettings::InvertMouse},
    {"ShowMouse", Kind::Flag, nullptr, nullptr, &SaverSettings::ShowMouse},
};

const OptionField* findField(const char* name) {
    for (const OptionField& field : FIELDS)
        if (std::strcmp(field.name, name) == 0) return &field;
    return nullptr;
}

}  // namespace

uint32_t storedWord(const unsigned char* data) {
    return static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8 |
           static_cast<uint32_t>(data[2]) << 16 | static_cast<uint32_t>(data[3]) << 24;
}

bool applyStoredOption(SaverSettings& settings, const char* name, uint32_t stored) {
    const OptionField* field = findField(name);
    if (!field) return false;
    switch (field->kind) {
        case Kind::Pixels: settings.*field->pixels = static_cast<float>(stored); break;
        case Kind::Integer: settings.*field->integer = static_cast<int32_t>(stored); break;
        case Kind::Flag: settings.*field->flag = stored != 0 ? 1 : 0; break;
    }
    return true;
}

bool storedOptionValue(const SaverSettings& settings, const char* name, uint32_t* stored) {
    const OptionField* field = findField(name);
    if (!field) return false;
    switch (field->kind) {
        case Kind::Pixels: *stored = truncatePixelsUnsigned(settings.*field->pixels); break;
        case Kind::Integer: *stored = static_cast<uint32_t>(settings.*field->integer); break;
        case Kind::Flag: *stored = settings.*field->flag != 0 ? 1u : 0u; break;
    }
    return true;
}

void readOptions(SaverSettings& settings, StoredValueReader read, void* context) {
    for (const char* name : OPTION_READ_ORDER) {
        unsigned char data[4] = {0, 0, 0, 0};
        uint32_t size = 4;  // reset before every query
        if (!read(context, name, data, &size)) continue;
        // Data shorter than 4 bytes has no meaning as an option: treat it as absent.
        if (size != 4) continue;
        applyStoredOption(settings, name, storedWord(data));
    }
}

void writeOptions(const SaverSettings& settings, StoredValueWriter write, void* context) {
    for (const char* name : OPTION_WRITE_ORDER) {
        uint32_t stored = 0;
        storedOptionValue(settings, name, &stored);
        write(context, name, stored);
    }
}
