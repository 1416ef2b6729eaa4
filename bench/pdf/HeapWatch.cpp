// Takes the place of the C allocation functions in the benchmark only, forwarding to
// glibc's own and keeping count of the usable size of every block.

#include "HeapWatch.h"

#include <malloc.h>

#include <atomic>
#include <cerrno>

extern "C" {
void *__libc_malloc(std::size_t);
void *__libc_calloc(std::size_t, std::size_t);
void *__libc_realloc(void *, std::size_t);
void *__libc_memalign(std::size_t, std::size_t);
void __libc_free(void *);
}

namespace {

std::atomic<std::size_t> held{0};
std::atomic<std::size_t> highest{0};

void gained(void *block)
{
    if (!block)
        return;
    const std::size_t now = held += malloc_usable_size(block);
    std::size_t seen = highest.load();
    while (now > seen && !highest.compare_exchange_weak(seen, now)) { }
}

void lost(void *block)
{
    if (block)
        held -= malloc_usable_size(block);
}

} // namespace

namespace heapwatch {

std::size_t current()
{
    return held.load();
}

std::size_t peak()
{
    return highest.load();
}

void resetPeak()
{
    highest.store(held.load());
}

} // namespace heapwatch

extern "C" {

void *malloc(std::size_t size)
{
    void *block = __libc_malloc(size);
    gained(block);
    return block;
}

void *calloc(std::size_t count, std::size_t size)
{
    void *block = __libc_calloc(count, size);
    gained(block);
    return block;
}

void *realloc(void *old, std::size_t size)
{
    lost(old);
    void *block = __libc_realloc(old, size);
    if (block)
        gained(block);
    else if (old && size != 0)
        gained(old); // the old block stays when the new one cannot be had
    return block;
}

void free(void *block)
{
    lost(block);
    __libc_free(block);
}

void *memalign(std::size_t alignment, std::size_t size)
{
    void *block = __libc_memalign(alignment, size);
    gained(block);
    return block;
}

void *aligned_alloc(std::size_t alignment, std::size_t size)
{
    return memalign(alignment, size);
}

int posix_memalign(void **out, std::size_t alignment, std::size_t size)
{
    void *block = memalign(alignment, size);
    if (!block)
        return ENOMEM;
    *out = block;
    return 0;
}

} // extern "C"
