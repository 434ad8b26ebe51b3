#include "platform/CCPathNames.h"

NS_CC_BEGIN

namespace pathnames {

std::string directoryOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

std::string stemOf(const std::string& path)
{
    std::string name = path.substr(path.rfind('/') + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
    {
        name.erase(dot);
    }
    return name;
}

} // namespace pathnames

NS_CC_END
