#pragma once
// Fake driver libraries behind the platform table's library calls: a library is a name and a map of
// exported names to symbols, its handle the address of that record. Every load, free and symbol
// lookup is logged in order, and so are message boxes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "gl/gl_api.h"
#include "platform/platform.h"
#include "platform_override.h"

namespace fake_driver {

struct Library {
    std::string name;
    std::map<std::string, void*> symbols;
};

struct MessageBoxCall {
    std::string text;
    std::string caption;
    uint32_t flags;
};

struct System {
    std::map<std::string, Library> installed;  // by file name
    std::vector<std::string> events;           // "load NAME" (every attempt), "free NAME"
    std::vector<std::string> lookups;          // names asked of librarySymbol, in order
    std::vector<MessageBoxCall> boxes;
    int freeResult = 1;
};

inline System* current = nullptr;

inline void* loadLibrary(const char* name) {
    current->events.push_back(std::string("load ") + name);
    auto found = current->installed.find(name);
    return found == current->installed.end() ? nullptr : &found->second;
}

inline int freeLibrary(void* library) {
    current->events.push_back("free " + (library ? static_cast<Library*>(library)->name : std::string("(null)")));
    return current->freeResult;
}

inline void* librarySymbol(void* library, const char* name) {
    current->lookups.push_back(name);
    // A null handle would make the POSIX lookup search the whole process.
    if (!library) {
        ADD_FAILURE() << "symbol " << name << " looked up without a library";
        return nullptr;
    }
    const auto& symbols = static_cast<Library*>(library)->symbols;
    auto found = symbols.find(name);
    return found == symbols.end() ? nullptr : found->second;
}

inline int messageBox(const char* text, const char* caption, uint32_t flags) {
    current->boxes.push_back({text, caption, flags});
    return 1;
}

// A function pointer as the untyped symbol a library lookup returns.
template <typename F>
void* symbolOf(F function) {
    void* symbol = nullptr;
    static_assert(sizeof function == sizeof symbol, "function and object pointers differ in size");
    std::memcpy(&symbol, &function, sizeof symbol);
    return symbol;
}

// Distinct stand-in addresses for the core entries; they are stored, never called.
inline char coreSymbolBytes[GL_CORE_ENTRY_COUNT];
inline void* coreSymbol(int i) { return &coreSymbolBytes[i]; }

// A library exporting every OpenGL 1.1 function and nothing else.
inline Library coreLibrary(const std::string& name) {
    Library library{name, {}};
    for (int i = 0; i < GL_CORE_ENTRY_COUNT; ++i) library.symbols[GL_CORE_ENTRIES[i].name] = coreSymbol(i);
    return library;
}

// Installs the fakes into the platform table for the life of the scope, with glApi zeroed and put
// back afterwards.
class ScopedSystem {
public:
    ScopedSystem() : savedGl_(glApi) {
        current = &system;
        platform.loadLibrary = &loadLibrary;
        platform.freeLibrary = &freeLibrary;
        platform.librarySymbol = &librarySymbol;
        platform.messageBox = &messageBox;
        glApi = GlApi{};
    }
    ~ScopedSystem() {
        glApi = savedGl_;
        current = nullptr;
    }
    ScopedSystem(const ScopedSystem&) = delete;
    ScopedSystem& operator=(const ScopedSystem&) = delete;

    void install(Library library) {
        std::string name = library.name;
        system.installed[name] = std::move(library);
    }
    void install(const std::string& name) { install(Library{name, {}}); }
    Library& library(const std::string& name) { return system.installed.at(name); }

    System system;

private:
    ScopedPlatform platform_;
    GlApi savedGl_;
};

}  // namespace fake_driver
