// Loads a library with thread-local data and steers the allocator so that glibc's first
// malloc() for the main thread's block returns an address 16 bytes past a page: the place
// where the sanitizer runtime takes a header that is not there for the block's bounds (see
// CCLeakCheckDefaults-linux.cpp). Then exits, and the leak check must finish.
#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr std::uintptr_t kPage = 4096;
constexpr std::uintptr_t kTargetOffset = 16;
constexpr std::size_t kBlockSize = 24; // the module's block: one size class with it
constexpr int kMaxSteps = 4096;

void* steps[kMaxSteps];

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: dynamic_tls_probe MODULE\n");
        return 2;
    }
    void* module = dlopen(argv[1], RTLD_NOW);
    if (module == nullptr)
    {
        std::fprintf(stderr, "dynamic_tls_probe: %s\n", dlerror());
        return 2;
    }
    auto blockOfThisThread = reinterpret_cast<char* (*)()>(dlsym(module, "dynamicTlsBlock"));
    if (blockOfThisThread == nullptr)
    {
        std::fprintf(stderr, "dynamic_tls_probe: %s has no dynamicTlsBlock\n", argv[1]);
        return 2;
    }

    // Blocks of one size class come in steps of one stride; stop a step before the target.
    steps[0] = std::malloc(kBlockSize);
    steps[1] = std::malloc(kBlockSize);
    const auto stride = reinterpret_cast<std::uintptr_t>(steps[1]) - reinterpret_cast<std::uintptr_t>(steps[0]);
    int taken = 2;
    while (taken < kMaxSteps && (reinterpret_cast<std::uintptr_t>(steps[taken - 1]) + stride) % kPage != kTargetOffset)
        steps[taken++] = std::malloc(kBlockSize);

    const char* block = blockOfThisThread();
    const auto offset = reinterpret_cast<std::uintptr_t>(block) % kPage;
    for (int i = 0; i < taken; ++i)
        std::free(steps[i]);
    if (offset != kTargetOffset)
    {
        // The allocator no longer works as this probe expects: the check above proves nothing.
        std::fprintf(stderr, "dynamic_tls_probe: the block landed %zu bytes past a page, not %zu\n",
                     static_cast<std::size_t>(offset), static_cast<std::size_t>(kTargetOffset));
        return 3;
    }
    std::printf("dynamic_tls_probe: the block is at %p, 16 bytes past a page\n", static_cast<const void*>(block));
    return 0;
}
