#pragma once
// Text that holds control characters shown without them taking effect: each becomes its
// visible symbol (U+2400 onwards, DEL U+2421), so a name can neither break a line nor
// hide what it holds.
#include <QString>

enum class TTabs { Keep, Show };

QString WithVisibleControls(QString text, TTabs tabs = TTabs::Show);
