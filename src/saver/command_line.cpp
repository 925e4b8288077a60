#include "saver/command_line.h"

#include <cstdint>

SaverMode saverMode = SaverMode::None;

namespace {

bool isWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

const char* skipSpacesAndColons(const char* p) {
    while (*p == ' ' || *p == ':') ++p;
    return p;
}

const char* skipProgramName(const char* p) {
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
    } else {
        while (*p && *p != ' ') ++p;
    }
    if (*p) ++p;  // the closing quote or the space
    return p;
}

}  // namespace

intptr_t parseWindowNumber(const char* text) {
    const char* p = text;
    while (isWhiteSpace(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    // Accumulate the magnitude with saturation: a handle that long is no window anyway.
    const uintmax_t limit = negative ? static_cast<uintmax_t>(INTPTR_MAX) + 1u : static_cast<uintmax_t>(INTPTR_MAX);
    uintmax_t magnitude = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        const unsigned digit = static_cast<unsigned>(*p - '0');
        magnitude = magnitude > (limit - digit) / 10u ? limit : magnitude * 10u + digit;
    }
    if (!negative) return static_cast<intptr_t>(magnitude);
    if (magnitude == static_cast<uintmax_t>(INTPTR_MAX) + 1u) return INTPTR_MIN;
    return -static_cast<intptr_t>(magnitude);
}

CommandLine parseCommandLine(const char* text) {
    CommandLine result;
    if (!text) return result;
    const char* p = skipProgramName(text);
    while (*p == ' ') ++p;  // spaces only: a tab is an option character
    if (!*p) {
        result.mode = SaverMode::Configure;
        return result;
    }
    if (*p == '-' || *p == '/') ++p;
    switch (*p) {
        case 'S': case 's':
            result.mode = SaverMode::Run;
            break;
        case 'C': case 'c':
            result.mode = SaverMode::Configure;
            p = skipSpacesAndColons(p + 1);
            if (!*p) result.parentIsForeground = true;
            else result.parentWindow = parseWindowNumber(p);
            break;
        case 'A': case 'a':
            result.mode = SaverMode::ChangePassword;
            result.parentWindow = parseWindowNumber(skipSpacesAndColons(p + 1));
            break;
        case 'P': case 'p': case 'L': case 'l':
            // The preview window's number is read and ignored.
            result.mode = SaverMode::Preview;
            break;
        default:  // any other letter, or nothing after a lone prefix
            break;
    }
    return result;
}
