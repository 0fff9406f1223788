// A library preloaded into a program under test (LD_PRELOAD) that makes one
// file-system call of the program fail, as a failing or full disk would.
//
// Counted are the calls that write below one folder: an open for writing,
// write and its relatives, copy_file_range, sendfile, splice, fsync,
// fdatasync, rename and its relatives, linkat, and close of a file open for
// writing there. Writes the C library makes inside itself (fopen, fwrite) do
// not pass through here; the suite writes none of its files that way.
// The Nth counted call fails with the chosen error; every other call goes
// through. Set by the environment:
//   VELLORAN_FAULT_FOLDER  the folder (absolute); calls elsewhere are not counted
//   VELLORAN_FAULT_AT      N, from 1; 0 or unset counts without failing
//   VELLORAN_FAULT_ERROR   EIO (the default), ENOSPC, EDQUOT, or a number
//   VELLORAN_FAULT_REPORT  a file that gets one line "CALL PATH" when the
//                          fault is made, so the caller knows the run got
//                          that far and which call failed
//   VELLORAN_FAULT_CALLS   optional: only these calls are counted, e.g.
//                          "write,fsync" (names as in the report)
// The library removes these variables and itself from the environment when it
// starts, so programs the tested one starts run without faults.
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <mutex>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

struct Config {
    char folder[PATH_MAX] = {};
    size_t folderLength = 0;
    long at = 0;
    int error = EIO;
    char report[PATH_MAX] = {};
    char calls[256] = {};
};

Config g_config;
std::once_flag g_configured;
std::atomic<long> g_count{0};

template <typename F>
F real(const char *name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

int errorByName(const char *text)
{
    if (!text || !*text || std::strcmp(text, "EIO") == 0)
        return EIO;
    if (std::strcmp(text, "ENOSPC") == 0)
        return ENOSPC;
    if (std::strcmp(text, "EDQUOT") == 0)
        return EDQUOT;
    const int n = std::atoi(text);
    return n > 0 ? n : EIO;
}

void copyText(char *to, size_t size, const char *from)
{
    if (from)
        std::snprintf(to, size, "%s", from);
}

void configure()
{
    Config &c = g_config;
    const char *folder = std::getenv("VELLORAN_FAULT_FOLDER");
    if (folder && *folder && ::realpath(folder, c.folder))
        c.folderLength = std::strlen(c.folder);
    if (const char *at = std::getenv("VELLORAN_FAULT_AT"))
        c.at = std::atol(at);
    c.error = errorByName(std::getenv("VELLORAN_FAULT_ERROR"));
    copyText(c.report, sizeof c.report, std::getenv("VELLORAN_FAULT_REPORT"));
    copyText(c.calls, sizeof c.calls, std::getenv("VELLORAN_FAULT_CALLS"));
}

__attribute__((constructor)) void startUp()
{
    std::call_once(g_configured, configure);
    for (const char *name : {"VELLORAN_FAULT_FOLDER", "VELLORAN_FAULT_AT", "VELLORAN_FAULT_ERROR",
                             "VELLORAN_FAULT_REPORT", "VELLORAN_FAULT_CALLS", "LD_PRELOAD"})
        ::unsetenv(name);
}

const Config &config()
{
    std::call_once(g_configured, configure);
    return g_config;
}

bool isBelow(const char *path)
{
    const Config &c = config();
    return c.folderLength > 0 && std::strncmp(path, c.folder, c.folderLength) == 0
           && (path[c.folderLength] == '/' || path[c.folderLength] == '\0');
}

bool linkOfDescriptor(int fd, char *out, size_t size)
{
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = ::readlink(link, out, size - 1);
    if (n <= 0)
        return false;
    out[n] = '\0';
    return true;
}

// The file an open descriptor refers to ("/x/y (deleted)" for an unnamed one).
bool pathOfDescriptor(int fd, char *out, size_t size)
{
    return fd >= 0 && linkOfDescriptor(fd, out, size) && out[0] == '/';
}

bool join(char *out, size_t size, const char *folder, const char *name)
{
    const int n = std::snprintf(out, size, "%s/%s", folder, name);
    return n > 0 && size_t(n) < size;
}

// `path` as seen from `dirfd`, with its folder resolved (the file itself need
// not exist yet).
bool absolutePath(int dirfd, const char *path, char *out, size_t size)
{
    if (!path || !*path)
        return false;
    char joined[PATH_MAX];
    if (path[0] == '/') {
        std::snprintf(joined, sizeof joined, "%s", path);
    } else {
        char base[PATH_MAX];
        if (dirfd == AT_FDCWD) {
            if (!::getcwd(base, sizeof base))
                return false;
        } else if (!pathOfDescriptor(dirfd, base, sizeof base)) {
            return false;
        }
        if (!join(joined, sizeof joined, base, path))
            return false;
    }
    char *slash = std::strrchr(joined, '/');
    if (slash == joined) {
        std::snprintf(out, size, "%s", joined);
        return true;
    }
    *slash = '\0';
    char folder[PATH_MAX];
    return join(out, size, ::realpath(joined, folder) ? folder : joined, slash + 1);
}

bool counted(const char *call)
{
    const Config &c = config();
    if (!c.calls[0])
        return true;
    const size_t length = std::strlen(call);
    for (const char *p = c.calls; (p = std::strstr(p, call)) != nullptr; p += length) {
        const bool starts = p == c.calls || p[-1] == ',';
        if (starts && (p[length] == ',' || p[length] == '\0'))
            return true;
    }
    return false;
}

void report(const char *call, const char *path)
{
    const Config &c = config();
    if (!c.report[0])
        return;
    static auto openFile = real<int (*)(const char *, int, ...)>("open");
    static auto writeFile = real<ssize_t (*)(int, const void *, size_t)>("write");
    static auto closeFile = real<int (*)(int)>("close");
    const int fd = openFile(c.report, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    char line[PATH_MAX + 64];
    const int n = std::snprintf(line, sizeof line, "%s %s\n", call, path);
    if (n > 0)
        (void)writeFile(fd, line, size_t(std::min<int>(n, int(sizeof line) - 1)));
    closeFile(fd);
}

// Whether this call, on `path`, is the one that fails.
bool failsNow(const char *call, const char *path)
{
    if (!isBelow(path) || !counted(call))
        return false;
    const long n = g_count.fetch_add(1) + 1;
    if (n != config().at)
        return false;
    report(call, path);
    return true;
}

bool failsOnDescriptor(const char *call, int fd)
{
    if (config().folderLength == 0)
        return false;
    char path[PATH_MAX];
    return pathOfDescriptor(fd, path, sizeof path) && failsNow(call, path);
}

bool failsOnPath(const char *call, int dirfd, const char *path)
{
    if (config().folderLength == 0)
        return false;
    char full[PATH_MAX];
    return absolutePath(dirfd, path, full, sizeof full) && failsNow(call, full);
}

// A rename or link counts when either name lies below the folder.
bool failsOnPaths(const char *call, int fromDir, const char *from, int toDir, const char *to)
{
    if (config().folderLength == 0)
        return false;
    char full[PATH_MAX];
    if (absolutePath(toDir, to, full, sizeof full) && isBelow(full))
        return failsNow(call, full);
    return absolutePath(fromDir, from, full, sizeof full) && failsNow(call, full);
}

// A descriptor that can write: closing one that only reads loses nothing.
bool isWriting(int fd)
{
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && (flags & O_ACCMODE) != O_RDONLY;
}

bool takesMode(int flags)
{
    return (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
}

bool writes(int flags)
{
    return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC | O_APPEND)) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
}

int fail()
{
    errno = config().error;
    return -1;
}


using Open = int (*)(const char *, int, ...);
using OpenAt = int (*)(int, const char *, int, ...);

int openPlain(Open next, const char *path, int flags, mode_t mode)
{
    if (writes(flags) && failsOnPath("open", AT_FDCWD, path))
        return fail();
    return next(path, flags, mode);
}

int openAt(OpenAt next, int dirfd, const char *path, int flags, mode_t mode)
{
    if (writes(flags) && failsOnPath("open", dirfd, path))
        return fail();
    return next(dirfd, path, flags, mode);
}

Open nextOpen()
{
    static const Open next = real<Open>("open");
    return next;
}

Open nextOpen64()
{
    static const Open next = real<Open>("open64");
    return next;
}

OpenAt nextOpenAt()
{
    static const OpenAt next = real<OpenAt>("openat");
    return next;
}

OpenAt nextOpenAt64()
{
    static const OpenAt next = real<OpenAt>("openat64");
    return next;
}

mode_t modeOf(int flags, va_list args)
{
    return takesMode(flags) ? mode_t(va_arg(args, int)) : 0;
}

} // namespace

extern "C" {

int open(const char *path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeOf(flags, args);
    va_end(args);
    return openPlain(nextOpen(), path, flags, mode);
}

int open64(const char *path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeOf(flags, args);
    va_end(args);
    return openPlain(nextOpen64(), path, flags, mode);
}

int __open_2(const char *path, int flags)
{
    return openPlain(nextOpen(), path, flags, 0);
}

int __open64_2(const char *path, int flags)
{
    return openPlain(nextOpen64(), path, flags, 0);
}

int openat(int dirfd, const char *path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeOf(flags, args);
    va_end(args);
    return openAt(nextOpenAt(), dirfd, path, flags, mode);
}

int openat64(int dirfd, const char *path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeOf(flags, args);
    va_end(args);
    return openAt(nextOpenAt64(), dirfd, path, flags, mode);
}

int __openat_2(int dirfd, const char *path, int flags)
{
    return openAt(nextOpenAt(), dirfd, path, flags, 0);
}

int __openat64_2(int dirfd, const char *path, int flags)
{
    return openAt(nextOpenAt64(), dirfd, path, flags, 0);
}

int creat(const char *path, mode_t mode)
{
    return openPlain(nextOpen(), path, O_CREAT | O_WRONLY | O_TRUNC, mode);
}

int creat64(const char *path, mode_t mode)
{
    return openPlain(nextOpen64(), path, O_CREAT | O_WRONLY | O_TRUNC, mode);
}

ssize_t write(int fd, const void *data, size_t n)
{
    if (failsOnDescriptor("write", fd))
        return fail();
    static auto next = real<ssize_t (*)(int, const void *, size_t)>("write");
    return next(fd, data, n);
}

ssize_t pwrite(int fd, const void *data, size_t n, off_t at)
{
    if (failsOnDescriptor("write", fd))
        return fail();
    static auto next = real<ssize_t (*)(int, const void *, size_t, off_t)>("pwrite");
    return next(fd, data, n, at);
}

ssize_t pwrite64(int fd, const void *data, size_t n, off64_t at)
{
    if (failsOnDescriptor("write", fd))
        return fail();
    static auto next = real<ssize_t (*)(int, const void *, size_t, off64_t)>("pwrite64");
    return next(fd, data, n, at);
}

ssize_t writev(int fd, const struct iovec *parts, int count)
{
    if (failsOnDescriptor("write", fd))
        return fail();
    static auto next = real<ssize_t (*)(int, const struct iovec *, int)>("writev");
    return next(fd, parts, count);
}

ssize_t pwritev(int fd, const struct iovec *parts, int count, off_t at)
{
    if (failsOnDescriptor("write", fd))
        return fail();
    static auto next = real<ssize_t (*)(int, const struct iovec *, int, off_t)>("pwritev");
    return next(fd, parts, count, at);
}

ssize_t copy_file_range(int in, off64_t *inAt, int out, off64_t *outAt, size_t n, unsigned flags)
{
    if (failsOnDescriptor("copy_file_range", out))
        return fail();
    static auto next = real<ssize_t (*)(int, off64_t *, int, off64_t *, size_t, unsigned)>("copy_file_range");
    return next(in, inAt, out, outAt, n, flags);
}

ssize_t sendfile(int out, int in, off_t *at, size_t n)
{
    if (failsOnDescriptor("sendfile", out))
        return fail();
    static auto next = real<ssize_t (*)(int, int, off_t *, size_t)>("sendfile");
    return next(out, in, at, n);
}

ssize_t sendfile64(int out, int in, off64_t *at, size_t n)
{
    if (failsOnDescriptor("sendfile", out))
        return fail();
    static auto next = real<ssize_t (*)(int, int, off64_t *, size_t)>("sendfile64");
    return next(out, in, at, n);
}

ssize_t splice(int in, off64_t *inAt, int out, off64_t *outAt, size_t n, unsigned flags)
{
    if (failsOnDescriptor("splice", out))
        return fail();
    static auto next = real<ssize_t (*)(int, off64_t *, int, off64_t *, size_t, unsigned)>("splice");
    return next(in, inAt, out, outAt, n, flags);
}

int fsync(int fd)
{
    if (failsOnDescriptor("fsync", fd))
        return fail();
    static auto next = real<int (*)(int)>("fsync");
    return next(fd);
}

int fdatasync(int fd)
{
    if (failsOnDescriptor("fdatasync", fd))
        return fail();
    static auto next = real<int (*)(int)>("fdatasync");
    return next(fd);
}

int rename(const char *from, const char *to)
{
    if (failsOnPaths("rename", AT_FDCWD, from, AT_FDCWD, to))
        return fail();
    static auto next = real<int (*)(const char *, const char *)>("rename");
    return next(from, to);
}

int renameat(int fromDir, const char *from, int toDir, const char *to)
{
    if (failsOnPaths("rename", fromDir, from, toDir, to))
        return fail();
    static auto next = real<int (*)(int, const char *, int, const char *)>("renameat");
    return next(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char *from, int toDir, const char *to, unsigned flags)
{
    if (failsOnPaths("rename", fromDir, from, toDir, to))
        return fail();
    static auto next = real<int (*)(int, const char *, int, const char *, unsigned)>("renameat2");
    return next(fromDir, from, toDir, to, flags);
}

int linkat(int fromDir, const char *from, int toDir, const char *to, int flags)
{
    if (failsOnPaths("linkat", fromDir, from, toDir, to))
        return fail();
    static auto next = real<int (*)(int, const char *, int, const char *, int)>("linkat");
    return next(fromDir, from, toDir, to, flags);
}

int close(int fd)
{
    static auto next = real<int (*)(int)>("close");
    if (config().folderLength > 0 && isWriting(fd) && failsOnDescriptor("close", fd)) {
        // As the kernel does: the descriptor is gone whatever close reports.
        next(fd);
        return fail();
    }
    return next(fd);
}

} // extern "C"
