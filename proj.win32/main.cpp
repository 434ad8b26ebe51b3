#include <windows.h>

#include "AppDelegate.h"
#include "MissingResources.h"

USING_NS_CC;

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    UNREFERENCED_PARAMETER(hInstance);
    UNREFERENCED_PARAMETER(hPrevInstance);
    UNREFERENCED_PARAMETER(lpCmdLine);
    UNREFERENCED_PARAMETER(nCmdShow);

    AppDelegate app;
    return exitCodeAfter(Application::getInstance()->run());
}
