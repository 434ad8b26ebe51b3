#pragma once

#include <string>
#include <vector>

#include "base/CCRef.h"

NS_CC_BEGIN

// A decoded picture: straight RGBA8, rows from the top.
class Image : public Ref
{
public:
    Image();
    ~Image() override;

    // Reads the file through FileUtils; false, with a log line naming the file and the cause,
    // when it is missing, empty, truncated or not a PNG.
    bool initWithImageFile(const std::string& path);
    bool initWithImageData(const unsigned char* data, ssize_t dataLen);

    const unsigned char* getData() const { return _data.data(); }
    ssize_t getDataLen() const { return static_cast<ssize_t>(_data.size()); }
    int getWidth() const { return _width; }
    int getHeight() const { return _height; }
    // The decoder's last failure, for the log line.
    const std::string& getError() const { return _error; }

private:
    std::vector<unsigned char> _data;
    int _width = 0;
    int _height = 0;
    std::string _error;
};

NS_CC_END
