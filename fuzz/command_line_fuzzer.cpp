// The command line from arbitrary bytes. The input, cut at its first zero byte, is the whole command
// line in a buffer of exactly its length plus the terminator, so any read past the zero is caught.
// Beyond not crashing, the parse must keep the relations that hold whatever follows the program name.
#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "saver/command_line.h"

namespace {

void check(bool holds, const char* what, const std::string& text) {
    if (holds) return;
    std::fprintf(stderr, "command line [%s]: %s\n", text.c_str(), what);
    std::abort();
}

CommandLine parseExact(const std::string& text) {
    std::unique_ptr<char[]> buffer(new char[text.size() + 1]);
    std::memcpy(buffer.get(), text.c_str(), text.size() + 1);
    return parseCommandLine(buffer.get());
}

bool same(const CommandLine& a, const CommandLine& b) {
    return a.mode == b.mode && a.parentWindow == b.parentWindow && a.parentIsForeground == b.parentIsForeground;
}

// The C library's reading of a signed decimal number, saturated at the integer's range.
intptr_t libraryNumber(const std::string& text) {
    static_assert(sizeof(intmax_t) == sizeof(intptr_t), "the handle is read as the widest integer");
    return static_cast<intptr_t>(std::strtoimax(text.c_str(), nullptr, 10));
}

void checkShape(const CommandLine& parsed, const std::string& text) {
    const int mode = static_cast<int>(parsed.mode);
    check(mode >= 0 && mode <= 4, "mode out of range", text);
    if (parsed.parentIsForeground)
        check(parsed.mode == SaverMode::Configure && parsed.parentWindow == 0, "foreground parent outside /c", text);
    if (parsed.parentWindow != 0)
        check(parsed.mode == SaverMode::Configure || parsed.mode == SaverMode::ChangePassword,
              "a parent window outside /c and /a", text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), size));

    // The bytes as the whole command line, program name and all.
    const CommandLine whole = parseExact(text);
    checkShape(whole, text);
    check(same(whole, parseExact(text)), "two parses differ", text);
    check(parseWindowNumber(text.c_str()) == libraryNumber(text), "number differs from strtoimax", text);

    // The bytes as everything after the program name. However the name is written, quoted with a
    // space in it or bare, and however many spaces follow it, the options read the same.
    const std::string& tail = text;
    const CommandLine bare = parseExact("orb.scr " + tail);
    checkShape(bare, tail);
    check(same(bare, parseExact("\"C:\\Program Files\\Orbitarium.scr\" " + tail)), "quoted name differs", tail);
    check(same(bare, parseExact("orb.scr    " + tail)), "extra spaces after the name differ", tail);

    // No option at all: the settings dialog with no parent.
    if (tail.find_first_not_of(' ') == std::string::npos)
        check(bare.mode == SaverMode::Configure && bare.parentWindow == 0 && !bare.parentIsForeground,
              "no option is not the plain dialog", tail);

    // "-" and "/" are the same prefix, and the prefix is optional before a letter.
    const CommandLine slash = parseExact("orb.scr /" + tail);
    check(same(slash, parseExact("orb.scr -" + tail)), "'-' and '/' differ", tail);
    const unsigned char first = tail.empty() ? 0 : static_cast<unsigned char>(tail[0]);
    if (first != 0 && first != ' ' && first != '-' && first != '/')
        check(same(slash, bare), "the prefix changes the option", tail);

    // The option letter reads the same in either case.
    if (std::isalpha(first)) {
        std::string upper = tail, lower = tail;
        upper[0] = static_cast<char>(std::toupper(first));
        lower[0] = static_cast<char>(std::tolower(first));
        check(same(parseExact("orb.scr /" + upper), parseExact("orb.scr /" + lower)), "letter case differs", tail);
    }

    // A parent handle is the number after the letter, read as the C library reads it.
    if (slash.mode == SaverMode::ChangePassword || (slash.mode == SaverMode::Configure && !slash.parentIsForeground)) {
        std::size_t start = 1;
        while (start < tail.size() && (tail[start] == ' ' || tail[start] == ':')) ++start;
        check(slash.parentWindow == libraryNumber(tail.substr(start)), "parent differs from strtoimax", tail);
    }
    return 0;
}
