#include "app/window/DisplayCheck.h"

#include <array>

namespace {

bool IsSet(const char* value) {
    return value != nullptr && value[0] != '\0';
}

} // namespace

bool PlatformNeedsNoDisplay(std::string_view platform) {
    // "offscreen:fontengine=freetype" names the plug-in before its options.
    const std::string_view name = platform.substr(0, platform.find(':'));
    constexpr std::array<std::string_view, 6> kHeadless = {"offscreen", "minimal", "vnc",
                                                           "linuxfb",   "eglfs",   "vkkhrdisplay"};
    for (const std::string_view headless : kHeadless) {
        if (name == headless) {
            return true;
        }
    }
    return false;
}

bool DisplayAvailable(const char* display, const char* waylandDisplay, const char* platform) {
    if (IsSet(platform) && PlatformNeedsNoDisplay(platform)) {
        return true;
    }
    return IsSet(display) || IsSet(waylandDisplay);
}
