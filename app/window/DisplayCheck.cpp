#include "app/window/DisplayCheck.h"

#include <QList>
#include <QString>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

bool IsSet(const char* value) {
    return value != nullptr && value[0] != '\0';
}

struct THeldMessage {
    QtMsgType type;
    QString text;
};

// Messages of a start-up that fails would only bury the one line that matters; those of
// a start-up that succeeds are passed on once it has.
QList<THeldMessage>& HeldMessages() {
    static QList<THeldMessage> held;
    return held;
}

void ReportNoDisplay(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(kNoDisplayMessage.size()),
                     kNoDisplayMessage.data());
        std::_Exit(1);
    }
    HeldMessages().append({type, text});
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

TNoDisplayGuard::TNoDisplayGuard() : FPrevious(qInstallMessageHandler(ReportNoDisplay)) {}

TNoDisplayGuard::~TNoDisplayGuard() {
    qInstallMessageHandler(FPrevious);
    const QList<THeldMessage> held = std::exchange(HeldMessages(), {});
    if (FPrevious == nullptr) {
        return;
    }
    const QMessageLogContext noContext;
    for (const THeldMessage& message : held) {
        FPrevious(message.type, noContext, message.text);
    }
}
