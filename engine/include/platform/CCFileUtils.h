#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/CCPlatformMacros.h"

NS_CC_BEGIN

// Finds resource files by name along an ordered list of search paths.
class FileUtils
{
public:
    static FileUtils* getInstance();
    static void destroyInstance();

    std::string fullPathForFilename(const std::string& filename) const;
    void setSearchPaths(const std::vector<std::string>& searchPaths);
    void addSearchPath(const std::string& path, const bool front = false);
    const std::vector<std::string> getSearchPaths() const { return _searchPaths; }
    bool isFileExist(const std::string& filename) const;
    bool isAbsolutePath(const std::string& path) const;
    std::string getStringFromFile(const std::string& filename) const;
    // The whole file as bytes; empty when it cannot be read.
    std::vector<unsigned char> getDataFromFile(const std::string& filename) const;
    std::string getWritablePath() const;
    std::string getDefaultResourceRootPath() const { return _defaultResRootPath; }
    void setDefaultResourceRootPath(const std::string& path);
    void purgeCachedEntries() { _fullPathCache.clear(); }

private:
    FileUtils();
    std::string withRoot(const std::string& path) const;
    // The search without the log line of a miss.
    std::string lookup(const std::string& filename) const;

    std::string _defaultResRootPath;
    std::vector<std::string> _searchPaths;
    mutable std::unordered_map<std::string, std::string> _fullPathCache;
};

NS_CC_END
