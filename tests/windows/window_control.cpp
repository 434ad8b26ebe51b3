// Does to a window of another program what Windows and its player do, for the game's checks
// under Wine. Run it in the game's own Wine prefix.
//
//   window_control minimize TITLE      ShowWindow SW_MINIMIZE, as the taskbar button or Win+D
//   window_control restore TITLE       ShowWindow SW_RESTORE
//   window_control close TITLE         WM_CLOSE, as the title bar's close box
//   window_control resize TITLE W H    gives the window a client area of W x H, as a tiling
//                                      tool does whatever the window's own size limits say
//   window_control dismiss-box TITLE   waits for a message box of that title, prints its text
//                                      as UTF-8 and a line "windows it can sink under: N",
//                                      then presses its OK button
//
// Exit code 0 when it did so, 1 when no such window showed within 30 s, 2 on a bad call.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr DWORD kWaitMilliseconds = 30000;
constexpr DWORD kPollMilliseconds = 100;
// The static control of a message box that holds its text.
constexpr int kMessageBoxTextId = 0xFFFF;

HWND waitForWindow(const wchar_t* windowClass, const wchar_t* title)
{
    for (DWORD waited = 0; waited < kWaitMilliseconds; waited += kPollMilliseconds)
    {
        if (HWND window = FindWindowW(windowClass, title))
            return window;
        Sleep(kPollMilliseconds);
    }
    return nullptr;
}

std::string utf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string converted(size > 0 ? static_cast<size_t>(size) : 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, converted.data(), size, nullptr, nullptr);
    converted.resize(converted.size() - 1);
    return converted;
}

// Shown top-level windows of the box's program other than the box and its owner: a click on
// one of them could bring it in front of the box.
int windowsTheBoxCanSinkUnder(HWND box)
{
    struct Search
    {
        HWND box;
        HWND owner;
        DWORD process;
        int count;
    } shown{box, GetWindow(box, GW_OWNER), 0, 0};
    GetWindowThreadProcessId(box, &shown.process);
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(data);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == search.process && window != search.box && window != search.owner && IsWindowVisible(window))
                ++search.count;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&shown));
    return shown.count;
}

int dismissMessageBox(const wchar_t* title)
{
    // #32770 is the class of dialog boxes, message boxes among them.
    HWND box = waitForWindow(L"#32770", title);
    if (!box)
        return 1;
    wchar_t text[4096] = {};
    GetDlgItemTextW(box, kMessageBoxTextId, text, static_cast<int>(sizeof text / sizeof text[0]));
    std::printf("%s\nwindows it can sink under: %d\n", utf8(text).c_str(), windowsTheBoxCanSinkUnder(box));
    std::fflush(stdout);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return 0;
}

void resizeClientArea(HWND window, int width, int height)
{
    RECT outer = {0, 0, width, height};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (argc != (command == L"resize" ? 5 : 3))
    {
        std::fprintf(stderr, "usage: window_control minimize|restore|close|dismiss-box TITLE, or resize TITLE W H\n");
        return 2;
    }
    const wchar_t* title = argv[2];
    if (command == L"dismiss-box")
        return dismissMessageBox(title);

    HWND window = waitForWindow(nullptr, title);
    if (!window)
        return 1;
    if (command == L"resize")
        resizeClientArea(window, _wtoi(argv[3]), _wtoi(argv[4]));
    else if (command == L"minimize")
        ShowWindow(window, SW_MINIMIZE);
    else if (command == L"restore")
        ShowWindow(window, SW_RESTORE);
    else if (command == L"close")
        PostMessageW(window, WM_CLOSE, 0, 0);
    else
        return 2;
    return 0;
}
