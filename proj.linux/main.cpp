#include "AppDelegate.h"

USING_NS_CC;

int main(int, char**)
{
    // The command line is not read.
    AppDelegate app;
    return Application::getInstance()->run();
}
