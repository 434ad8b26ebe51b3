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
    // The interval the run loop paces its frames to; the Director sets it when it starts.
    double getAnimationInterval() const { return _animationInterval; }
    LanguageType getCurrentLanguage() override;
    const char* getCurrentLanguageCode() override;
    Platform getTargetPlatform() override;
    std::string getVersion() override;
    bool openURL(const std::string& url) override;

protected:
    static Application* sm_pSharedApplication;

private:
    double _animationInterval = 1.0 / 60;
};

NS_CC_END
