#include "platform/win32/CCKnownFolder-win32.h"

#include <memory>

#include "base/CCConsole.h"

NS_CC_BEGIN

namespace {

struct TaskMemFree
{
    void operator()(wchar_t* memory) const { CoTaskMemFree(memory); }
};

} // namespace

std::wstring win32::knownFolder(REFKNOWNFOLDERID folder, const char* nameForLog)
{
    wchar_t* raw = nullptr;
    const HRESULT result = SHGetKnownFolderPath(folder, KF_FLAG_DEFAULT, nullptr, &raw);
    // The shell allocates the path even on some failures; it is ours to free either way.
    const std::unique_ptr<wchar_t, TaskMemFree> path(raw);
    if (FAILED(result) || !path)
    {
        log("Windows has no %s folder (error 0x%08lx)", nameForLog, static_cast<unsigned long>(result));
        return {};
    }
    return path.get();
}

NS_CC_END
