// Thread-local data in a library loaded with dlopen(): glibc gives each thread a dynamic TLS
// block for it, as it does for the GL driver's.
namespace {
thread_local char block[24];
}

extern "C" char* dynamicTlsBlock()
{
    return block;
}
