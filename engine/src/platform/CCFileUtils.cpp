#include "platform/CCFileUtils.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "base/CCConsole.h"
#include "internal/OperatingSystem.h"

NS_CC_BEGIN

namespace {
std::unique_ptr<FileUtils>& instanceSlot()
{
    static std::unique_ptr<FileUtils> instance;
    return instance;
}

std::string withTrailingSlash(std::string path)
{
    if (!path.empty() && path.back() != '/' && path.back() != '\\')
    {
        path += '/';
    }
    return path;
}
}

FileUtils* FileUtils::getInstance()
{
    auto& slot = instanceSlot();
    if (!slot)
    {
        slot.reset(new FileUtils());
    }
    return slot.get();
}

void FileUtils::destroyInstance()
{
    instanceSlot().reset();
}

FileUtils::FileUtils()
    : _defaultResRootPath(platform::executableDirectory() + "Resources/"), _searchPaths{_defaultResRootPath}
{
}

void FileUtils::setDefaultResourceRootPath(const std::string& path)
{
    const std::string root = withTrailingSlash(path);
    std::replace(_searchPaths.begin(), _searchPaths.end(), _defaultResRootPath, root);
    _defaultResRootPath = root;
    _fullPathCache.clear();
}

bool FileUtils::isAbsolutePath(const std::string& path) const
{
    if (path.empty())
    {
        return false;
    }
    if (path[0] == '/' || path[0] == '\\')
    {
        return true;
    }
    // A Windows drive letter.
    return path.size() >= 2 && path[1] == ':';
}

std::string FileUtils::withRoot(const std::string& path) const
{
    return withTrailingSlash(isAbsolutePath(path) ? path : _defaultResRootPath + path);
}

std::string FileUtils::lookup(const std::string& filename) const
{
    if (filename.empty())
    {
        return std::string();
    }
    if (isAbsolutePath(filename))
    {
        return filename;
    }
    auto cached = _fullPathCache.find(filename);
    if (cached != _fullPathCache.end())
    {
        return cached->second;
    }
    for (const std::string& searchPath : _searchPaths)
    {
        const std::string candidate = searchPath + filename;
        if (platform::isRegularFile(candidate))
        {
            _fullPathCache.emplace(filename, candidate);
            return candidate;
        }
    }
    return std::string();
}

std::string FileUtils::fullPathForFilename(const std::string& filename) const
{
    std::string fullPath = lookup(filename);
    if (fullPath.empty() && !filename.empty())
    {
        log("No file found at %s. Possible missing file.", filename.c_str());
    }
    return fullPath;
}

void FileUtils::setSearchPaths(const std::vector<std::string>& searchPaths)
{
    _fullPathCache.clear();
    _searchPaths.clear();
    bool hasRoot = false;
    for (const std::string& path : searchPaths)
    {
        _searchPaths.push_back(withRoot(path));
        hasRoot = hasRoot || _searchPaths.back() == _defaultResRootPath;
    }
    if (!hasRoot)
    {
        _searchPaths.push_back(_defaultResRootPath);
    }
}

void FileUtils::addSearchPath(const std::string& path, const bool front)
{
    // A path already present is added again, so adding it in front moves it to the front.
    const std::string full = withRoot(path);
    if (front)
    {
        _searchPaths.insert(_searchPaths.begin(), full);
    }
    else
    {
        _searchPaths.push_back(full);
    }
}

bool FileUtils::isFileExist(const std::string& filename) const
{
    const std::string fullPath = lookup(filename);
    return !fullPath.empty() && platform::isRegularFile(fullPath);
}

std::vector<unsigned char> FileUtils::getDataFromFile(const std::string& filename) const
{
    const std::string fullPath = lookup(filename);
    if (fullPath.empty())
    {
        return {};
    }
    // Paths are UTF-8; on Windows a plain string would be read in the ANSI code page.
    const std::filesystem::path path = std::filesystem::u8path(fullPath);
    std::error_code error;
    // A folder opens as a stream on Linux, and seeking to its end gives no size at all.
    if (!std::filesystem::is_regular_file(path, error))
    {
        return {};
    }
    std::ifstream file(path, std::ios::binary);
    if (!file)
    {
        return {};
    }
    // Sized to the file first: grown by doubling, a 740 KB font took a whole megabyte.
    std::vector<unsigned char> data;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error)
    {
        data.reserve(static_cast<size_t>(size));
    }
    // Block reads: copying through a character iterator took most of a large font's load time.
    char block[64 * 1024];
    while (file.read(block, sizeof block) || file.gcount() > 0)
    {
        data.insert(data.end(), block, block + file.gcount());
    }
    return data;
}

std::string FileUtils::getStringFromFile(const std::string& filename) const
{
    const std::vector<unsigned char> data = getDataFromFile(filename);
    return std::string(data.begin(), data.end());
}

std::string FileUtils::getWritablePath() const
{
    // Created on request, so a game may write into it straight away.
    const std::string path = platform::writableDirectory();
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::u8path(path), error);
    if (error)
    {
        log("FileUtils::getWritablePath: can't create %s: %s", path.c_str(), error.message().c_str());
    }
    return path;
}

NS_CC_END
