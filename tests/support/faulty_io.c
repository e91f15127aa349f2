/* SPDX-License-Identifier: Apache-2.0 */
/* An LD_PRELOAD shim for tests of failed writes: the write, pwrite, fsync or rename calls on files
   whose path holds FAULTY_IO_PATH fail once, with FAULTY_IO_ERRNO (default EIO). FAULTY_IO_OPS names
   the calls ("write,fsync,rename"); a write fails once FAULTY_IO_AFTER bytes (default 0) went to such
   files, after the bytes up to that point. Test support only. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <unistd.h>

static long long passed_bytes;
static int failed;

static int op_chosen(const char* op)
{
    const char* ops = getenv("FAULTY_IO_OPS");
    if (!ops || failed) return 0;
    size_t length = strlen(op);
    for (const char* at = strstr(ops, op); at; at = strstr(at + 1, op))
        if ((at == ops || at[-1] == ',') && (at[length] == ',' || at[length] == '\0')) return 1;
    return 0;
}

static int path_chosen(const char* path)
{
    const char* wanted = getenv("FAULTY_IO_PATH");
    return wanted && *wanted && path && strstr(path, wanted);
}

static int fd_chosen(int fd)
{
    char link[64], path[4096];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    ssize_t n = readlink(link, path, sizeof path - 1);
    if (n <= 0) return 0;
    path[n] = '\0';
    return path_chosen(path);
}

static int fail_now(void)
{
    const char* code = getenv("FAULTY_IO_ERRNO");
    failed = 1;
    errno = code ? atoi(code) : EIO;
    return -1;
}

/* How many of count bytes may go through before the write fails; count when it need not. */
static size_t allowed_bytes(int fd, size_t count)
{
    if (!op_chosen("write") || !fd_chosen(fd)) return count;
    const char* after = getenv("FAULTY_IO_AFTER");
    long long limit = after ? atoll(after) : 0;
    long long left = limit - passed_bytes;
    if (left >= (long long)count) {
        passed_bytes += (long long)count;
        return count;
    }
    return left > 0 ? (size_t)left : 0;
}

ssize_t write(int fd, const void* buffer, size_t count)
{
    static ssize_t (*real)(int, const void*, size_t);
    if (!real) real = (ssize_t (*)(int, const void*, size_t))dlsym(RTLD_NEXT, "write");
    size_t allowed = allowed_bytes(fd, count);
    if (allowed == count) return real(fd, buffer, count);
    if (allowed > 0) {
        passed_bytes += (long long)allowed;
        return real(fd, buffer, allowed);
    }
    return fail_now();
}

ssize_t pwrite64(int fd, const void* buffer, size_t count, off_t offset)
{
    static ssize_t (*real)(int, const void*, size_t, off_t);
    if (!real) real = (ssize_t (*)(int, const void*, size_t, off_t))dlsym(RTLD_NEXT, "pwrite64");
    size_t allowed = allowed_bytes(fd, count);
    if (allowed == count) return real(fd, buffer, count, offset);
    if (allowed > 0) {
        passed_bytes += (long long)allowed;
        return real(fd, buffer, allowed, offset);
    }
    return fail_now();
}

ssize_t pwrite(int fd, const void* buffer, size_t count, off_t offset)
{
    return pwrite64(fd, buffer, count, offset);
}

int fsync(int fd)
{
    static int (*real)(int);
    if (!real) real = (int (*)(int))dlsym(RTLD_NEXT, "fsync");
    if (op_chosen("fsync") && fd_chosen(fd)) return fail_now();
    return real(fd);
}

int rename(const char* from, const char* to)
{
    static int (*real)(const char*, const char*);
    if (!real) real = (int (*)(const char*, const char*))dlsym(RTLD_NEXT, "rename");
    if (op_chosen("rename") && path_chosen(to)) return fail_now();
    return real(from, to);
}
