// Whole-file reads and atomic writes (temporary file, flush, rename) over POSIX stdio.
#include "resources/FileIO.h"

#include "app/Log.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <set>
#include <system_error>
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

namespace {

// The pid in a temporary file's name "<file>.tmp<pid>", or 0 when the name is not exactly that.
long TemporaryPid(const std::string& name, const std::string& file)
{
    const std::string prefix = file + ".tmp";
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 9 || name.compare(0, prefix.size(), prefix) != 0)
        return 0;
    long pid = 0;
    for (size_t i = prefix.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9')
            return 0;
        pid = pid * 10 + (name[i] - '0');
    }
    return pid;
}

// A writer killed between the temporary file and the rename leaves "<file>.tmp<pid>" behind. The
// first durable write of a file in a process removes such strays whose writer no longer runs; a
// temporary file of a writer still running (another copy of the game) is its own and stays. The
// folder is looked at again only after a write of that file failed: strays come from processes
// that have ended, and this one leaves none of its own.
std::mutex g_swept_lock;
std::set<std::string> g_swept;

void RemoveStaleTemporaries(const std::string& path)
{
    {
        std::lock_guard<std::mutex> hold(g_swept_lock);
        if (g_swept.count(path))
            return;
    }
    const std::filesystem::path target(path);
    const std::string file = target.filename().string();
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const long pid = TemporaryPid(it->path().filename().string(), file);
        if (pid <= 0 || pid == static_cast<long>(getpid()))
            continue;
        if (kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH)
            continue;
        std::error_code removeError;
        if (it->is_regular_file(removeError) && std::filesystem::remove(it->path(), removeError))
            LogWrite("removed %s, left by a write that did not finish", it->path().string().c_str());
    }
}

}  // namespace

bool WriteFileAtomic(const std::string& path, const void* data, size_t size, bool durable)
{
    if (path.empty())
        return false;
    if (durable)
        RemoveStaleTemporaries(path);
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
    } else if (durable) {
        std::lock_guard<std::mutex> hold(g_swept_lock);
        g_swept.insert(path);
    }
    return ok;
}
