#include "framework/core/BiDi.h"

#include <QLocale>
#include <optional>

namespace {

std::optional<bool>& Override() {
    static std::optional<bool> value;
    return value;
}

bool LocaleIsMiddleEast() {
    switch (QLocale::system().language()) {
    case QLocale::Arabic:
    case QLocale::Hebrew:
    case QLocale::Persian:
    case QLocale::Urdu:
        return true;
    default:
        return false;
    }
}

} // namespace

bool SysLocaleMiddleEast() {
    if (Override().has_value()) {
        return *Override();
    }
    static const bool middleEast = LocaleIsMiddleEast();
    return middleEast;
}

void SetSysLocaleMiddleEastForTests(bool middleEast, bool restore) {
    if (restore) {
        Override().reset();
    } else {
        Override() = middleEast;
    }
}
