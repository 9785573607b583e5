#include "platform/memory/PagePrefault.h"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif

bool PagePrefault::Writable(const void* data, size_t bytes)
{
    if (data == nullptr || bytes == 0)
        return true;
    static const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
    // madvise wants a page-aligned start: the first page is the buffer's own
    // (it holds its first byte), and populating never alters contents.
    const uintptr_t begin = uintptr_t(data) & ~(page - 1);
    const uintptr_t end = uintptr_t(data) + bytes;
    if (end < begin)
        return false;
    return madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE) == 0;
}
