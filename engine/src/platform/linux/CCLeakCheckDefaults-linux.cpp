// Built into sanitizer builds only (see engine/CMakeLists.txt), and linked into every program
// there, so each program checks leaks alike however it is started: by the test command, a
// tool, or a developer at a prompt with no LSAN_OPTIONS.

// What system libraries keep on purpose until exit; the program's own leaks still count.
extern "C" const char* __lsan_default_suppressions()
{
    return
        // fontconfig keeps its configuration for the life of the process.
        "leak:libfontconfig.so\n";
}

extern "C" const char* __lsan_default_options()
{
    // GCC 12's runtime sizes a dynamic TLS block (the GL driver's, in a dlopen()ed library)
    // from a glibc 2.19 header it assumes 16 bytes before the block whenever the block sits 16
    // bytes past a page. glibc 2.36 mallocs the block, so that "header" is the allocator's own
    // chunk header, and at exit the leak check scans from an address like 0xe68 and dies
    // ("Tracer caught signal 11"). Without the interception the blocks are still scanned, as
    // everything ld.so allocates is. tests/sanitizer places a block there on purpose.
    return "intercept_tls_get_addr=0";
}
