#pragma once

#include <cstdlib>
#include <string>

// Sets (or, given null, removes) an environment variable for one scope and restores it after.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const char* value) : _name(name)
    {
        const char* old = std::getenv(name);
        _wasSet = old != nullptr;
        _old = old ? old : "";
        if (value)
        {
            setenv(name, value, 1);
        }
        else
        {
            unsetenv(name);
        }
    }

    ~ScopedEnv()
    {
        if (_wasSet)
        {
            setenv(_name.c_str(), _old.c_str(), 1);
        }
        else
        {
            unsetenv(_name.c_str());
        }
    }

    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string _name;
    std::string _old;
    bool _wasSet = false;
};
