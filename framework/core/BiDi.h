// Reading direction of controls and menus, and whether the system locale reads right to
// left. The direction only chooses where painted parts go; it never flips Qt layouts.
#pragma once

#include <QObject>

namespace BiDi {
Q_NAMESPACE

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
Q_ENUM_NS(TBiDiMode)

} // namespace BiDi

using BiDi::TBiDiMode;
using enum BiDi::TBiDiMode;

// True for an Arabic, Hebrew, Persian or Urdu system locale; read once.
bool SysLocaleMiddleEast();
// Replaces the locale's answer (tests); restore gives the locale's own answer back.
void SetSysLocaleMiddleEastForTests(bool middleEast, bool restore = false);
