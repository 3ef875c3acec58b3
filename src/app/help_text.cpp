#include "app/help_text.h"

#include <algorithm>

namespace {

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool MatchesAt(const std::string& text, const std::string& what, size_t at) {
    for (size_t i = 0; i < what.size(); ++i)
        if (Fold(text[at + i]) != Fold(what[i])) return false;
    return true;
}

}  // namespace

std::string GuideText(const char* text, size_t size, size_t limit) {
    size = std::min(size, limit);
    std::string out;
    out.reserve(size + size / 16);
    for (size_t i = 0; i < size; ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < size && text[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

long FindInGuide(const std::string& text, const std::string& what, size_t from, bool forward) {
    if (what.empty() || what.size() > text.size()) return -1;
    const size_t places = text.size() - what.size() + 1;  // starts 0 .. places - 1
    // Forward: from, from + 1, ... ; backward: from - 1, from - 2, ...; both
    // around the ends. A start beyond the last place is the end itself.
    const size_t start = forward ? (from < places ? from : 0) : std::min(from, places);
    for (size_t n = 0; n < places; ++n) {
        const size_t at = forward ? (start + n) % places : (start + places - 1 - n) % places;
        if (MatchesAt(text, what, at)) return static_cast<long>(at);
    }
    return -1;
}
