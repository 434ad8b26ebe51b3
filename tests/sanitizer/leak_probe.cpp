// Shows that the sanitizer build still reports the program's own leaks once a GL context has
// come and gone: opens a window, draws a frame, closes it, and with --leak loses a block on
// purpose. ctest expects LeakSanitizer to name leakOnPurpose and nothing of the GL driver.
#include <cstdio>
#include <cstring>

#include "base/CCAutoreleasePool.h"
#include "platform/desktop/CCGLViewImpl-desktop.h"

USING_NS_CC;

namespace {

// Kept out of line so that the report's stack names it.
__attribute__((noinline)) void leakOnPurpose()
{
    volatile char* lost = new char[77];
    lost[0] = 1;
    lost = nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    const bool leak = argc > 1 && std::strcmp(argv[1], "--leak") == 0;
    GLViewImpl* view = GLViewImpl::createWithRect("leak probe", Rect(0, 0, 64, 64));
    if (view == nullptr)
    {
        std::fprintf(stderr, "leak_probe: no GL window (is DISPLAY set?)\n");
        return 1;
    }
    view->pollEvents();
    view->swapBuffers();
    PoolManager::getInstance()->getCurrentPool()->clear(); // the last view: GLFW unloads the driver
    if (leak)
        leakOnPurpose();
    std::printf("leak_probe: window opened and closed%s\n", leak ? ", one block lost" : "");
    return 0;
}
