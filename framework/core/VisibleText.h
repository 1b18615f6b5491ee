#pragma once
// Text that holds control characters shown without them taking effect, so a name can
// neither break a line nor hide what it holds: C0 controls become their visible symbols
// (U+2400 onwards, DEL U+2421); the C1 controls and the marks that change the direction
// text runs in, which could make a name read as another, become the replacement
// character, as invalid bytes do.
#include <QString>

enum class TTabs { Keep, Show };

QString WithVisibleControls(QString text, TTabs tabs = TTabs::Show);
