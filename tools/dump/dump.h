// orvex-dump: prints what the viewer draws, one row per line.
#pragma once
#include <cstdio>

// Runs the tool with its command line; returns the exit status.
int RunDump(int argc, char** argv, std::FILE* out, std::FILE* err);
