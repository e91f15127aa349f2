/* An LD_PRELOAD counter of heap allocations: at exit it appends the number of malloc, calloc,
   realloc and posix_memalign calls (operator new reaches malloc) to the file named by
   ALLOC_COUNT_FILE. For the benchmark only. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static atomic_ulong count;
static void* (*real_malloc)(size_t);
static void* (*real_calloc)(size_t, size_t);
static void* (*real_realloc)(void*, size_t);
static int (*real_memalign)(void**, size_t, size_t);

/* dlsym may itself call calloc before the real one is known: a small static arena serves it. */
static char early[4096];
static size_t early_used;

static void* early_alloc(size_t size)
{
    size = (size + 15) & ~(size_t)15;
    if (early_used + size > sizeof early) return NULL;
    void* p = early + early_used;
    early_used += size;
    return p;
}

static int is_early(void* p) { return (char*)p >= early && (char*)p < early + sizeof early; }

static void resolve(void)
{
    static int resolving;
    if (real_malloc || resolving) return;
    resolving = 1;
    real_malloc = (void* (*)(size_t))dlsym(RTLD_NEXT, "malloc");
    real_calloc = (void* (*)(size_t, size_t))dlsym(RTLD_NEXT, "calloc");
    real_realloc = (void* (*)(void*, size_t))dlsym(RTLD_NEXT, "realloc");
    real_memalign = (int (*)(void**, size_t, size_t))dlsym(RTLD_NEXT, "posix_memalign");
    resolving = 0;
}

void* malloc(size_t size)
{
    resolve();
    if (!real_malloc) return early_alloc(size);
    atomic_fetch_add(&count, 1);
    return real_malloc(size);
}

void* calloc(size_t n, size_t size)
{
    resolve();
    if (!real_calloc) return early_alloc(n * size);
    atomic_fetch_add(&count, 1);
    return real_calloc(n, size);
}

void* realloc(void* p, size_t size)
{
    resolve();
    if (is_early(p)) {
        void* q = malloc(size);
        if (q) memcpy(q, p, size < sizeof early ? size : sizeof early);
        return q;
    }
    atomic_fetch_add(&count, 1);
    return real_realloc(p, size);
}

int posix_memalign(void** out, size_t alignment, size_t size)
{
    resolve();
    atomic_fetch_add(&count, 1);
    return real_memalign(out, alignment, size);
}

void free(void* p)
{
    static void (*real_free)(void*);
    if (!p || is_early(p)) return;
    if (!real_free) real_free = (void (*)(void*))dlsym(RTLD_NEXT, "free");
    real_free(p);
}

__attribute__((destructor)) static void report(void)
{
    const char* path = getenv("ALLOC_COUNT_FILE");
    if (!path) return;
    FILE* out = fopen(path, "a");
    if (!out) return;
    fprintf(out, "%lu\n", (unsigned long)atomic_load(&count));
    fclose(out);
}
