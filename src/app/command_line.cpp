#include "app/command_line.h"

#include <cstring>

void CommandArgument(const char* line, char* out, size_t size) {
    if (size == 0) return;
    out[0] = '\0';
    if (!line || !line[0]) return;

    const char delimiter = line[0] == '"' ? '"' : ' ';
    const char* p = line + 1;
    while (*p && *p != delimiter) ++p;
    if (!*p) return;                  // the program name runs to the end: no argument
    ++p;                              // past the delimiter
    if (delimiter == '"' && *p) ++p;  // the separator after a closing quote

    size_t len;
    if (*p == '"') {
        ++p;
        const char* close = std::strchr(p, '"');
        len = close ? static_cast<size_t>(close - p) : std::strlen(p);
    } else {
        len = std::strlen(p);
    }
    if (len > size - 1) len = size - 1;
    std::memcpy(out, p, len);
    out[len] = '\0';
}
