#pragma once

#include <string>

#include "base/CCPlatformMacros.h"

NS_CC_BEGIN

// Anything that shows a replaceable line of text.
class LabelProtocol
{
public:
    virtual ~LabelProtocol() = default;
    virtual void setString(const std::string& label) = 0;
    virtual const std::string& getString() const = 0;
};

NS_CC_END
