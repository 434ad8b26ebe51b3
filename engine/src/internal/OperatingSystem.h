#pragma once

#include <string>

#include "base/CCPlatformMacros.h"

NS_CC_BEGIN

// The engine's one interface to the operating system. No public header includes it: games see
// FileUtils, Application and Label, which are built on it.
namespace platform {

// What differs per OS: platform/linux/OperatingSystem-linux.cpp, platform/win32/OperatingSystem-win32.cpp.

// The running program's path with '/' separators; "" when the system cannot say (Linux then
// falls back to the bare program name).
std::string executablePath();
// Where per-user settings belong (XDG config home, LocalAppData) without a trailing '/'; ""
// when the system has no such folder.
std::string userSettingsDirectory();
// The user's locale as the system names it ("de_DE.UTF-8", "de-DE"); "" when unset.
std::string userLocale();
// The installed font file the OS picks for a family name, its default sans face for "" and
// unknown names; "" when it has none.
std::string matchFontFamily(const std::string& familyName);
// The view calls this once its GL context is current. The GL driver that the window system
// loaded for it then stays mapped until the process exits, even after the last window is
// gone: LeakSanitizer can neither follow nor name memory of a library unloaded before its
// report, and would blame the driver's caches on whoever made the context.
void keepGLDriverLoaded();
// Puts a message in front of the user until they close it: a GUI program on Windows has no
// console for its errors. Linux shows nothing more; the message is on stderr already.
void showMessageBox(const std::string& text, const std::string& title);

// Written once, on top of the above: platform/OperatingSystem.cpp.

// A path in the engine's form (UTF-8, '/' separators) that names a file, not a folder.
bool isRegularFile(const std::string& path);

// Directory of the running executable, with a trailing '/'.
std::string executableDirectory();
// Name of the running executable without directory or extension.
std::string executableName();
// The per-user folder of this program, with a trailing '/'; beside the executable when the
// system has no settings folder.
std::string writableDirectory();

} // namespace platform

// The two-letter ISO 639-1 language of a locale name, lower case: "de_DE.UTF-8" (POSIX)
// and "de-DE" (Windows) both give "de". Names without one ("C", "POSIX", "", null) give "en".
std::string languageCodeOfLocale(const char* locale);

// The font file to use for a system font name such as "Arial" or "sans". A name ending in
// ".ttf" or ".otf" is a resource file looked up through FileUtils. Unknown names and ""
// give the platform's default sans face, or the one the game ships when the system has
// none; "" only when that is missing too.
std::string findSystemFontFile(const std::string& fontName);

NS_CC_END
