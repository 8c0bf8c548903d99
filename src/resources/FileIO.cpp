// Whole-file reads and atomic writes (temporary file, flush, rename) over POSIX stdio.
#include "resources/FileIO.h"

#include "app/Log.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, size_t maxBytes)
{
    out.clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    // Read in chunks rather than trusting a seek to the end: the file may be a pipe or may grow.
    uint8_t chunk[65536];
    bool ok = true;
    for (;;) {
        size_t got = std::fread(chunk, 1, sizeof chunk, f);
        if (got > 0) {
            if (out.size() + got > maxBytes) {
                ok = false;
                break;
            }
            out.insert(out.end(), chunk, chunk + got);
        }
        if (got < sizeof chunk) {
            if (std::ferror(f))
                ok = false;
            break;
        }
    }
    std::fclose(f);
    if (!ok)
        out.clear();
    return ok;
}

bool WriteFileAtomic(const std::string& path, const void* data, size_t size, bool durable)
{
    if (path.empty())
        return false;
    // The temporary file sits beside the target so that the rename never crosses file systems.
    std::string temp = path + ".tmp" + std::to_string(static_cast<long>(getpid()));
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) {
        LogWrite("cannot write %s: %s", path.c_str(), std::strerror(errno));
        return false;
    }
    bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
    int err = ok ? 0 : errno;
    ok = std::fflush(f) == 0 && ok;
    ok = ok && (!durable || fsync(fileno(f)) == 0);
    if (!ok && !err)
        err = errno;
    ok = std::fclose(f) == 0 && ok;
    if (!ok && !err)
        err = errno;
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        std::remove(temp.c_str());
        // The one line every failed write leaves in the log, whoever asked for it.
        LogWrite("cannot write %s: %s", path.c_str(), err ? std::strerror(err) : "write failed");
    }
    return ok;
}
