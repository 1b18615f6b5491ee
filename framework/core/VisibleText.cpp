#include "framework/core/VisibleText.h"

namespace {
constexpr char16_t kControlPictures = 0x2400;
constexpr char16_t kDeletePicture = 0x2421;
constexpr char16_t kDelete = 0x7f;
} // namespace

QString WithVisibleControls(QString text, TTabs tabs) {
    for (QChar& character : text) {
        const char16_t code = character.unicode();
        if (code < 0x20 && (code != u'\t' || tabs == TTabs::Show)) {
            character = QChar(char16_t(kControlPictures + code));
        } else if (code == kDelete) {
            character = QChar(kDeletePicture);
        }
    }
    return text;
}
