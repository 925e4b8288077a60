// The eleven options read from arbitrary stored values. The input describes what the saver's key
// holds, one value per option in reading order:
//   tag byte: bit 7 set means the value is absent (nothing else follows for it); otherwise the low
//             four bits are the value's type (REG_NONE .. REG_QWORD), which the reading never looks at;
//   length byte, then that many data bytes (fewer when the input ends first).
// Options past the end of the input are absent. The reader answers like the registry's value query
// with a 4-byte buffer: a value that fits succeeds with its own size, a longer one fails with the
// size it would need and leaves the buffer scribbled.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "settings/saver_settings.h"
#include "settings/stored_options.h"

namespace {

struct StoredValue {
    bool present = false;
    uint8_t type = 0;
    std::vector<unsigned char> data;
};

struct Store {
    StoredValue values[OPTION_COUNT];
    std::vector<std::string> queried;
};

[[noreturn]] void fail(const char* what, const char* name) {
    std::fprintf(stderr, "%s: %s\n", name, what);
    std::abort();
}

int optionIndex(const char* name) {
    for (int i = 0; i < OPTION_COUNT; ++i)
        if (std::strcmp(OPTION_READ_ORDER[i], name) == 0) return i;
    fail("not an option", name);
}

bool queryValue(void* context, const char* name, unsigned char* data, uint32_t* size) {
    Store& store = *static_cast<Store*>(context);
    store.queried.push_back(name);
    if (*size != 4) fail("queried with a size other than 4", name);
    const StoredValue& value = store.values[optionIndex(name)];
    if (!value.present) {
        *size = 0xDEADBEEFu;
        return false;
    }
    const uint32_t length = static_cast<uint32_t>(value.data.size());
    if (length > *size) {
        std::memset(data, 0xA5, *size);
        *size = length;
        return false;
    }
    if (length > 0) std::memcpy(data, value.data.data(), length);
    *size = length;
    return true;
}

struct Written {
    std::vector<std::string> names;
    std::vector<uint32_t> values;
};

void recordValue(void* context, const char* name, uint32_t value) {
    Written& written = *static_cast<Written*>(context);
    written.names.push_back(name);
    written.values.push_back(value);
}

bool readBack(void* context, const char* name, unsigned char* data, uint32_t* size) {
    const Written& written = *static_cast<const Written*>(context);
    for (std::size_t i = 0; i < written.names.size(); ++i) {
        if (written.names[i] != name) continue;
        std::memcpy(data, &written.values[i], 4);  // the registry keeps a REG_DWORD little-endian
        *size = 4;
        return true;
    }
    return false;
}

// What a 4-byte value means for each option, in reading order.
void applyWord(SaverSettings& s, int option, uint32_t word) {
    const int32_t integer = static_cast<int32_t>(word);
    const uint8_t flag = word != 0 ? 1 : 0;
    switch (option) {
        case 0: s.ScrWidth = static_cast<float>(word); break;
        case 1: s.ScrHeight = static_cast<float>(word); break;
        case 2: s.ColorBits = integer; break;
        case 3: s.Hertz = integer; break;
        case 4: s.AutoPilot = flag; break;
        case 5: s.CameraSpeed = integer; break;
        case 6: s.PlanetSpeed = integer; break;
        case 7: s.NumStars = integer; break;
        case 8: s.ThreeDfx = integer; break;
        case 9: s.InvertMouse = flag; break;
        case 10: s.ShowMouse = flag; break;
    }
}

// The options as the start-up leaves them before the stored values: the built-in values and a
// 1024 x 768, 32-bit, 60 Hz desktop.
SaverSettings desktopDefaults() {
    SaverSettings s;
    s.ScrWidth = 1024.0f;
    s.ScrHeight = 768.0f;
    s.ColorBits = 32;
    s.Hertz = 60;
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Store store;
    std::size_t at = 0;
    for (StoredValue& value : store.values) {
        if (at >= size) break;
        const uint8_t tag = data[at++];
        if (tag & 0x80) continue;
        value.present = true;
        value.type = tag & 0x0F;
        const std::size_t length = at < size ? data[at++] : 0;
        const std::size_t available = length < size - at ? length : size - at;
        value.data.assign(data + at, data + at + available);
        at += available;
    }

    const SaverSettings before = desktopDefaults();
    SaverSettings settings = before;
    readOptions(settings, queryValue, &store);

    // Every option is queried once, in reading order.
    if (store.queried.size() != OPTION_COUNT) fail("not every option queried once", "readOptions");
    for (int i = 0; i < OPTION_COUNT; ++i)
        if (store.queried[i] != OPTION_READ_ORDER[i]) fail("queried out of order", OPTION_READ_ORDER[i]);

    // Exactly the values of 4 bytes change their options, whatever their type; the rest stay.
    SaverSettings expected = before;
    for (int i = 0; i < OPTION_COUNT; ++i) {
        const StoredValue& value = store.values[i];
        if (!value.present || value.data.size() != 4) continue;
        uint32_t word = 0;
        std::memcpy(&word, value.data.data(), 4);  // little-endian, as this machine and the registry
        applyWord(expected, i, word);
    }
    if (settings != expected) fail("options differ from the stored values", "readOptions");
    if (settings.AutoPilot > 1 || settings.InvertMouse > 1 || settings.ShowMouse > 1) fail("a flag not 0 or 1", "readOptions");

    // Written back and read again, the options come back the same, written once each in writing order.
    Written written;
    writeOptions(settings, recordValue, &written);
    if (written.names.size() != OPTION_COUNT) fail("not every option written once", "writeOptions");
    for (int i = 0; i < OPTION_COUNT; ++i)
        if (written.names[i] != OPTION_WRITE_ORDER[i]) fail("written out of order", OPTION_WRITE_ORDER[i]);
    SaverSettings reread;
    readOptions(reread, readBack, &written);
    if (reread != settings) fail("options changed through writing and reading", "writeOptions");
    return 0;
}
