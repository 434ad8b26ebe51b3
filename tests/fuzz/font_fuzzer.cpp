// Font loading from arbitrary bytes, through the path a TTF label takes: open the face, lay
// out wrapped text and rasterise its glyphs into the atlas pages (on the CPU, no GL).
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "2d/CCFontAtlas.h"
#include "2d/CCLabel.h"
#include "base/CCAutoreleasePool.h"

USING_NS_CC;

namespace {

// Labels open fonts by path. An in-memory file gives each input a path without touching the
// disk, and keeps fontconfig (and its process-long state) out of the picture.
class MemoryFile
{
public:
    MemoryFile() : _fd(memfd_create("font_fuzzer_input", 0))
    {
        if (_fd < 0)
            std::abort();
        _path = "/proc/self/fd/" + std::to_string(_fd);
    }
    ~MemoryFile() { close(_fd); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    void replace(const uint8_t* data, size_t size)
    {
        if (ftruncate(_fd, 0) != 0 || pwrite(_fd, data, size, 0) != static_cast<ssize_t>(size))
            std::abort();
    }
    const std::string& path() const { return _path; }

private:
    int _fd;
    std::string _path;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static MemoryFile file;
    file.replace(data, size);
    // Kerning pairs, digits, a word wider than the label, and characters most fonts lack.
    const std::string text = "Score: 0123456789\nAVAST Wavy typography\xC3\xA9\xE2\x82\xAC\xF0\x9F\x9A\x80";
    for (float fontSize : {12.0f, 24.0f})
    {
        if (Label* label = Label::createWithTTF(text, file.path(), fontSize, Size(150, 0)))
            label->getContentSize();
    }
    // Releases the labels and the cached atlases, so the next input is loaded afresh.
    PoolManager::getInstance()->getCurrentPool()->clear();
    FontAtlas::releaseCached();
    return 0;
}
