#include "AllocationMeter.h"

#if defined(__SANITIZE_ADDRESS__)
#define LUMIVU_NO_ALLOCATION_METER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer)
#define LUMIVU_NO_ALLOCATION_METER 1
#endif
#endif

#ifdef LUMIVU_NO_ALLOCATION_METER

namespace allocmeter {
bool Available() { return false; }
void Start() {}
size_t PeakSinceStart() { return 0; }
} // namespace allocmeter

#else

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <malloc.h>

// glibc's own implementations, which the replacements forward to.
extern "C" {
void* __libc_malloc(size_t);
void __libc_free(void*);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* __libc_memalign(size_t, size_t);
}

namespace {

std::atomic<int64_t> g_live{0};
std::atomic<int64_t> g_base{0};
std::atomic<int64_t> g_peak{0};

void added(void* p)
{
    if (!p)
        return;
    const int64_t now = g_live.fetch_add(int64_t(malloc_usable_size(p)), std::memory_order_relaxed)
                        + int64_t(malloc_usable_size(p));
    int64_t peak = g_peak.load(std::memory_order_relaxed);
    while (now > peak && !g_peak.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
    }
}

void removed(void* p)
{
    if (p)
        g_live.fetch_sub(int64_t(malloc_usable_size(p)), std::memory_order_relaxed);
}

} // namespace

extern "C" {

void* malloc(size_t n)
{
    void* p = __libc_malloc(n);
    added(p);
    return p;
}

void free(void* p)
{
    removed(p);
    __libc_free(p);
}

void* calloc(size_t n, size_t size)
{
    void* p = __libc_calloc(n, size);
    added(p);
    return p;
}

void* realloc(void* old, size_t n)
{
    const int64_t before = old ? int64_t(malloc_usable_size(old)) : 0;
    void* p = __libc_realloc(old, n);
    if (p) {
        g_live.fetch_sub(before, std::memory_order_relaxed);
        added(p);
    } else if (n == 0) {
        g_live.fetch_sub(before, std::memory_order_relaxed);
    }
    return p;
}

void* memalign(size_t alignment, size_t n)
{
    void* p = __libc_memalign(alignment, n);
    added(p);
    return p;
}

void* aligned_alloc(size_t alignment, size_t n)
{
    return memalign(alignment, n);
}

int posix_memalign(void** out, size_t alignment, size_t n)
{
    if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0)
        return EINVAL;
    void* p = memalign(alignment, n);
    if (!p && n)
        return ENOMEM;
    *out = p;
    return 0;
}

void* valloc(size_t n)
{
    return memalign(4096, n);
}

void* pvalloc(size_t n)
{
    return memalign(4096, (n + 4095) & ~size_t(4095));
}

} // extern "C"

namespace allocmeter {

bool Available()
{
    return true;
}

void Start()
{
    const int64_t now = g_live.load(std::memory_order_relaxed);
    g_base.store(now, std::memory_order_relaxed);
    g_peak.store(now, std::memory_order_relaxed);
}

size_t PeakSinceStart()
{
    const int64_t rise = g_peak.load(std::memory_order_relaxed) - g_base.load(std::memory_order_relaxed);
    return rise > 0 ? size_t(rise) : 0;
}

} // namespace allocmeter

#endif
