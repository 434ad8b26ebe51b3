#include "AppDelegate.h"
#include "MissingResources.h"

USING_NS_CC;

int main(int, char**)
{
    // The command line is not read.
    AppDelegate app;
    return exitCodeAfter(Application::getInstance()->run());
}
