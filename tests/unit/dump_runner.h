// Runs orvex-dump in-process with a command line and collects what it
// prints and its exit status.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "dump.h"

struct DumpRun {
    int status;
    std::string out;
    std::string err;
};

inline std::string ReadAndClose(std::FILE* f) {
    std::string s;
    std::rewind(f);
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    std::fclose(f);
    return s;
}

// `args` without the program name.
inline DumpRun Dump(std::vector<std::string> args) {
    args.insert(args.begin(), "orvex-dump");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int status = RunDump(static_cast<int>(argv.size()), argv.data(), out, err);
    return {status, ReadAndClose(out), ReadAndClose(err)};
}
