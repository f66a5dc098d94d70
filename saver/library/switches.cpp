// The screen-saver switches.
#include "saver/library/switches.h"

namespace saver {

namespace {

bool Blank(char c) {
    return c == ' ' || c == '\t';
}

// A decimal window handle after blanks or a colon; 0 when there is none or
// it does not fit.
uintptr_t WindowAfter(const char* text) {
    while (Blank(*text) || *text == ':')
        text++;
    uintptr_t window = 0;
    for (; *text >= '0' && *text <= '9'; text++) {
        uintptr_t next = window * 10 + uintptr_t(*text - '0');
        if (next / 10 != window) return 0;
        window = next;
    }
    return window;
}

} // namespace

SaverSwitch ParseSaverSwitch(const char* commandLine) {
    const char* text = commandLine ? commandLine : "";
    while (Blank(*text))
        text++;
    SaverSwitch result = {SaverMode::Configure, 0};
    if (*text != '/' && *text != '-') return result;
    char letter = text[1];
    if (!letter) return result;
    if (letter >= 'A' && letter <= 'Z') letter = char(letter - 'A' + 'a');
    // The letter must end there: "/sx" is no switch.
    char after = text[2];
    if (after && !Blank(after) && after != ':') return result;
    uintptr_t window = WindowAfter(text + 2);
    switch (letter) {
        case 's': return {SaverMode::Run, 0};
        case 'c': return {SaverMode::Configure, window};
        case 'p':
        case 'l': return {SaverMode::Preview, window};
        case 'a': return {SaverMode::ChangePassword, window};
        default: return result;
    }
}

} // namespace saver
