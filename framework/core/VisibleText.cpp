#include "framework/core/VisibleText.h"

namespace {

constexpr char16_t kControlPictures = 0x2400;
constexpr char16_t kDeletePicture = 0x2421;
constexpr char16_t kDelete = 0x7f;

bool ChangesDirection(char16_t code) {
    return code == 0x200e || code == 0x200f || (code >= 0x202a && code <= 0x202e) ||
           (code >= 0x2066 && code <= 0x2069);
}

} // namespace

QString WithVisibleControls(QString text, TTabs tabs) {
    for (QChar& character : text) {
        const char16_t code = character.unicode();
        if (code < 0x20 && (code != u'\t' || tabs == TTabs::Show)) {
            character = QChar(char16_t(kControlPictures + code));
        } else if (code == kDelete) {
            character = QChar(kDeletePicture);
        } else if ((code >= 0x80 && code <= 0x9f) || ChangesDirection(code)) {
            character = QChar::ReplacementCharacter;
        }
    }
    return text;
}
