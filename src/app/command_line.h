// The one argument of the program's command line.
#pragma once
#include <cstddef>

// Copies the argument that follows the program name in `line` into `out`
// (`size` bytes, NUL included; a longer argument is cut). The program name
// ends at the next double quote when the line starts with one, else at the
// first space. After a closing quote one separator character is skipped. A
// quoted argument loses its quotes; any other is the rest of the line as
// typed.
void CommandArgument(const char* line, char* out, size_t size);
