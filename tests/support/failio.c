/* Loaded with LD_PRELOAD, makes chosen file calls fail for files under one folder, as a full
 * or failing disk would:
 *   FAILIO_UNDER  the folder (nothing fails while it is unset or empty)
 *   FAILIO_CALL   the call that fails: write (also pwrite, pwrite64, writev, and stdio's
 *                 fwrite, whose own writes do not pass through write), fsync (also
 *                 fdatasync), close, or rename (also renameat, linkat)
 *   FAILIO_ERRNO  ENOSPC (the default) or EIO
 * The environment is read at each call, so a test may set it while it runs. A failing close
 * still closes the descriptor, as Linux does. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/uio.h>
#include <unistd.h>

static int chosen(const char *call)
{
    const char *wanted = getenv("FAILIO_CALL");
    return wanted != NULL && strcmp(wanted, call) == 0;
}

static int under(const char *path)
{
    const char *folder = getenv("FAILIO_UNDER");
    const size_t n = folder != NULL ? strlen(folder) : 0;
    return n > 0 && strncmp(path, folder, n) == 0 && (path[n] == '/' || path[n] == '\0');
}

static int fdUnder(int fd)
{
    char link[64];
    char path[4096];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, path, sizeof path - 1);
    if (n <= 0) {
        return 0;
    }
    path[n] = '\0';
    return under(path);
}

static int failWith(void)
{
    const char *name = getenv("FAILIO_ERRNO");
    errno = name != NULL && strcmp(name, "EIO") == 0 ? EIO : ENOSPC;
    return -1;
}

#define REAL(name) ((__typeof__(&name))(uintptr_t)dlsym(RTLD_NEXT, #name))

ssize_t write(int fd, const void *buffer, size_t size)
{
    return chosen("write") && fdUnder(fd) ? failWith() : REAL(write)(fd, buffer, size);
}

ssize_t pwrite(int fd, const void *buffer, size_t size, off_t offset)
{
    return chosen("write") && fdUnder(fd) ? failWith() : REAL(pwrite)(fd, buffer, size, offset);
}

ssize_t pwrite64(int fd, const void *buffer, size_t size, off64_t offset)
{
    return chosen("write") && fdUnder(fd) ? failWith() : REAL(pwrite64)(fd, buffer, size, offset);
}

ssize_t writev(int fd, const struct iovec *parts, int count)
{
    return chosen("write") && fdUnder(fd) ? failWith() : REAL(writev)(fd, parts, count);
}

size_t fwrite(const void *buffer, size_t size, size_t count, FILE *file)
{
    if (chosen("write") && fdUnder(fileno(file))) {
        failWith();
        return 0;
    }
    return REAL(fwrite)(buffer, size, count, file);
}

int fsync(int fd)
{
    return chosen("fsync") && fdUnder(fd) ? failWith() : REAL(fsync)(fd);
}

int fdatasync(int fd)
{
    return chosen("fsync") && fdUnder(fd) ? failWith() : REAL(fdatasync)(fd);
}

int close(int fd)
{
    const int fail = chosen("close") && fdUnder(fd);
    const int result = REAL(close)(fd);
    return fail ? failWith() : result;
}

int rename(const char *from, const char *to)
{
    return chosen("rename") && under(to) ? failWith() : REAL(rename)(from, to);
}

int renameat(int fromDir, const char *from, int toDir, const char *to)
{
    return chosen("rename") && (under(to) || fdUnder(toDir))
               ? failWith()
               : REAL(renameat)(fromDir, from, toDir, to);
}

int linkat(int fromDir, const char *from, int toDir, const char *to, int flags)
{
    return chosen("rename") && (under(to) || fdUnder(toDir))
               ? failWith()
               : REAL(linkat)(fromDir, from, toDir, to, flags);
}
