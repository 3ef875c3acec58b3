#include <cstdio>

#include "dump.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#if defined(_WIN32)
    // Rows end in LF, as on every system; no CR is added.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    return RunDump(argc, argv, stdout, stderr);
}
