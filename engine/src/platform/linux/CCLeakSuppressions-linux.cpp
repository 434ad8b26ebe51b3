// Built into sanitizer builds only (see engine/CMakeLists.txt), and linked into every program
// there, so each program reports leaks alike however it is started: by the test command, a
// tool, or a developer at a prompt with no LSAN_OPTIONS.

// What system libraries keep on purpose until exit; the program's own leaks still count.
extern "C" const char* __lsan_default_suppressions()
{
    return
        // fontconfig keeps its configuration for the life of the process.
        "leak:libfontconfig.so\n";
}
