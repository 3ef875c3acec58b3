#include "fuzz_interpret.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzInterpretation(data, size, "input.ttf");
}
