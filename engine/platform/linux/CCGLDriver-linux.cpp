#include "platform/CCGLDriver.h"

#include <dlfcn.h>
#include <link.h>

#include <string>
#include <vector>

NS_CC_BEGIN

namespace platform {

void keepGLDriverLoaded()
{
    // Whatever is mapped now includes the driver and what it pulled in. Pinning the libraries
    // the program started with changes nothing: they are never unloaded anyway.
    std::vector<std::string> loaded;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* names) {
            if (info->dlpi_name != nullptr && info->dlpi_name[0] != '\0')
                static_cast<std::vector<std::string>*>(names)->emplace_back(info->dlpi_name);
            return 0;
        },
        &loaded);
    for (const std::string& name : loaded)
    {
        // RTLD_NOLOAD takes a reference on the mapped library only; RTLD_NODELETE keeps it
        // mapped through every dlclose. The reference is meant to live until exit.
        dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
}

} // namespace platform

NS_CC_END
