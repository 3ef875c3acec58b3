#include "print/footer.h"

#include <cstdio>
#include <cstring>

void FormatFooterDate(const ClockTime& t, char* out) {
    std::snprintf(out, 16, "%02u/%02u/%4u", static_cast<unsigned>(t.month) % 100,
                  static_cast<unsigned>(t.day) % 100, static_cast<unsigned>(t.year) % 10000);
}

void FormatFooterTime(const ClockTime& t, char* out) {
    const unsigned hour = t.hour % 24;
    const unsigned shown = hour == 0 ? 12 : hour > 12 ? hour - 12 : hour;
    std::snprintf(out, 16, "%u:%02u %cm", shown, static_cast<unsigned>(t.minute) % 100,
                  hour < 12 ? 'a' : 'p');
}

namespace {

// Appends up to `n` characters of `s` while the part has room.
void Append(char* out, int32_t& len, const char* s, size_t n) {
    while (n-- && *s && len < FooterPartMax) out[len++] = *s++;
}

}  // namespace

int32_t ExpandFooterPart(const char* text, int index, const FooterFacts& facts, char* out) {
    const char* p = text;
    for (int i = 0; i < index; ++i) {
        while (*p && *p != '\t') ++p;
        if (!*p) break;
        ++p;
    }
    int32_t len = 0;
    char field[16];
    for (; *p && *p != '\t'; ++p) {
        if (*p != '%' || !p[1] || p[1] == '\t') {
            Append(out, len, p, 1);
            continue;
        }
        const char* value = field;
        switch (p[1]) {
        case 'F': value = facts.fileName ? facts.fileName : ""; break;
        case 'f': value = facts.fileNamePart ? facts.fileNamePart : ""; break;
        case 'D': FormatFooterDate(facts.fileTime, field); break;
        case 'T': FormatFooterTime(facts.fileTime, field); break;
        case 'd': FormatFooterDate(facts.now(), field); break;
        case 't': FormatFooterTime(facts.now(), field); break;
        case 'p':
            std::snprintf(field, sizeof field, "%u", static_cast<unsigned>(facts.pageNum));
            break;
        case 'n':
            std::snprintf(field, sizeof field, "%u", static_cast<unsigned>(facts.pageCount));
            break;
        default: value = nullptr;
        }
        if (value) {
            Append(out, len, value, std::strlen(value));
        } else {
            Append(out, len, p, 2);  // drawn as typed
        }
        ++p;
    }
    out[len] = '\0';
    return len;
}

FooterPlacement PlaceFooter(const int32_t cx[3], int32_t x, int32_t width) {
    FooterPlacement f{};
    f.x[0] = x;
    f.x[1] = x + width - cx[1];
    const int64_t leftEnd = int64_t{x} + cx[0];
    f.x[2] = static_cast<int32_t>((leftEnd + f.x[1] - cx[2]) / 2);
    for (int i = 0; i < 3; ++i) f.drawn[i] = width > cx[i];
    return f;
}

void SplitFooter(const char* text, char* left, char* right, char* centre, int size) {
    char* parts[3] = {left, right, centre};
    const char* p = text;
    for (char* part : parts) {
        int n = 0;
        while (*p && *p != '\t') {
            if (n < size - 1) part[n++] = *p;
            ++p;
        }
        part[n] = '\0';
        if (*p) ++p;
    }
}

void JoinFooter(const char* left, const char* right, const char* centre, char* out) {
    size_t len = 0;
    auto put = [&](const char* s, size_t most) {
        for (size_t n = 0; n < most && s[n] && len < FooterTextMax; ++n) out[len++] = s[n];
    };
    put(left, FooterEditMax);
    out[len++] = '\t';
    put(right, FooterEditMax);
    out[len++] = '\t';
    put(centre, FooterTextMax);
    out[len] = '\0';
}
