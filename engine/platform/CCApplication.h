#pragma once

#include "platform/CCApplicationProtocol.h"

NS_CC_BEGIN

// The desktop application: one per process. run() owns the main loop until the window
// closes or the Director ends, and returns the process's exit code.
class Application : public ApplicationProtocol
{
public:
    Application();
    ~Application() override;

    int run();
    static Application* getInstance();

    void setAnimationInterval(float interval) override;
    LanguageType getCurrentLanguage() override;
    const char* getCurrentLanguageCode() override;
    Platform getTargetPlatform() override;
    std::string getVersion() override;
    bool openURL(const std::string& url) override;

protected:
    static Application* sm_pSharedApplication;
};

NS_CC_END
