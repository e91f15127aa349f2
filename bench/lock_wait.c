/* SPDX-License-Identifier: Apache-2.0 */
/* An LD_PRELOAD timer of lock waits, for bench/concurrent_saves.py: flock calls that find the lock
   taken start a wait, the next one that takes it ends it; at exit the number of waits and the
   longest, in microseconds, are appended to the file LOCK_WAIT_FILE names. For the benchmark only. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/file.h>
#include <time.h>

static long long waiting_since = -1;
static long long longest;
static long waits;

static long long now_us(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000000 + t.tv_nsec / 1000;
}

int flock(int fd, int operation)
{
    static int (*real)(int, int);
    if (!real) real = (int (*)(int, int))dlsym(RTLD_NEXT, "flock");
    int result = real(fd, operation);
    int saved = errno;
    if (operation & LOCK_EX) {
        if (result != 0 && saved == EWOULDBLOCK && waiting_since < 0) waiting_since = now_us();
        if (result == 0 && waiting_since >= 0) {
            long long waited = now_us() - waiting_since;
            if (waited > longest) longest = waited;
            ++waits;
            waiting_since = -1;
        }
    }
    errno = saved;
    return result;
}

__attribute__((destructor)) static void report(void)
{
    const char* path = getenv("LOCK_WAIT_FILE");
    if (!path) return;
    FILE* out = fopen(path, "a");
    if (!out) return;
    fprintf(out, "%ld %lld\n", waits, longest);
    fclose(out);
}
