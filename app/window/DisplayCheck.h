#pragma once
// Whether a graphical session is there to show the window in, decided from the
// environment before any Qt object exists (Qt aborts when it finds none).
#include <QtGlobal>
#include <string_view>

// The platform plug-in names that draw without a display server.
bool PlatformNeedsNoDisplay(std::string_view platform);

// display, waylandDisplay and platform are the values of DISPLAY, WAYLAND_DISPLAY and
// QT_QPA_PLATFORM; null or empty when unset.
bool DisplayAvailable(const char* display, const char* waylandDisplay, const char* platform);

inline constexpr std::string_view kNoDisplayMessage =
    "sumwarden: no display available; use sumwarden-cli for the command-line jobs "
    "(sumwarden-cli --help)";

// While it lives, a fatal message from Qt (the platform plug-in cannot reach the display
// named in DISPLAY, or refuses it) prints kNoDisplayMessage and exits with status 1
// instead of aborting. Lives around the creation of the application object only.
class TNoDisplayGuard {
public:
    TNoDisplayGuard();
    ~TNoDisplayGuard();
    TNoDisplayGuard(const TNoDisplayGuard&) = delete;
    TNoDisplayGuard& operator=(const TNoDisplayGuard&) = delete;

private:
    QtMessageHandler FPrevious;
};
