#include "document/file_load.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "document/document.h"

#if !defined(_WIN32)
#include <sys/mman.h>
#endif

namespace {

// The file's own block when it is above FileAreaSize: allocated and read, or
// on POSIX systems a private read-only mapping of the file, filled at once.
// The mapping saves a copy of large files; the document never writes to it.
uint8_t* Block = nullptr;
#if !defined(_WIN32)
size_t MappedSize = 0;  // non-zero while Block is a mapping
#endif

int64_t FileLength(std::FILE* f) {
#if defined(_WIN32)
    if (_fseeki64(f, 0, SEEK_END) != 0) return -1;
    const int64_t size = _ftelli64(f);
    if (_fseeki64(f, 0, SEEK_SET) != 0) return -1;
#else
    if (fseeko(f, 0, SEEK_END) != 0) return -1;
    const int64_t size = ftello(f);
    if (fseeko(f, 0, SEEK_SET) != 0) return -1;
#endif
    return size;
}

void ReleaseBlock() {
#if !defined(_WIN32)
    if (MappedSize) {
        munmap(Block, MappedSize);
        MappedSize = 0;
        Block = nullptr;
        return;
    }
#endif
    std::free(Block);
    Block = nullptr;
}

bool MapBlock(std::FILE* f, int64_t size) {
#if !defined(_WIN32)
    void* p = mmap(nullptr, static_cast<size_t>(size), PROT_READ, MAP_PRIVATE | MAP_POPULATE,
                   fileno(f), 0);
    if (p == MAP_FAILED) return false;
    Block = static_cast<uint8_t*>(p);
    MappedSize = static_cast<size_t>(size);
    return true;
#else
    (void)f;
    (void)size;
    return false;
#endif
}

}  // namespace

void UnloadDocumentFile() {
    ResetDocument();
    ReleaseBlock();
}

LoadResult LoadDocumentFile(const char* path) {
    std::FILE* f = std::fopen(path, "rb");
    if (!f) return LoadResult::OpenFailed;
    const int64_t size = FileLength(f);
    if (size < 0) {
        std::fclose(f);
        return LoadResult::ReadFailed;
    }
    if (static_cast<uint64_t>(size) > MaxFileSize) {
        std::fclose(f);
        return LoadResult::TooLarge;
    }

    // From here on the previous document is gone: nothing may read it.
    UnloadDocumentFile();
    std::snprintf(FileName, sizeof FileName, "%s", path);
    SetFileNameParts();
    uint8_t* buf = AreaFor(size);
    if (!buf && MapBlock(f, size)) {
        std::fclose(f);
        AdoptFile(Block, static_cast<int32_t>(size));
        return LoadResult::Ok;
    }
    if (!buf) {
        Block = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(size)));
        if (!Block) {
            std::fclose(f);
            return LoadResult::NoMemory;
        }
        buf = Block;
    }
    const size_t got = size ? std::fread(buf, 1, static_cast<size_t>(size), f) : 0;
    std::fclose(f);
    if (got != static_cast<size_t>(size)) {
        ReleaseBlock();
        return LoadResult::ReadFailed;
    }
    AdoptFile(buf, static_cast<int32_t>(size));
    return LoadResult::Ok;
}
