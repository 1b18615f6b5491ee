#pragma once

#include "framework/core/Persistent.h"
#include "framework/graphics/Colors.h"

#include <QFont>
#include <QString>

// A font description as layouts set it. Height is the pixel size (negative: the
// character height, positive: the cell height); Size is the point size at 96 dpi.
// Every change fires OnChange once.
class TFont : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Size READ Size WRITE SetSize)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(TFontStyles Style READ Style WRITE SetStyle)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(TFontCharset Charset READ Charset WRITE SetCharset)
    Q_PROPERTY(TFontPitch Pitch READ Pitch WRITE SetPitch)
public:
    enum TFontStyle { fsBold = 0x1, fsItalic = 0x2, fsUnderline = 0x4, fsStrikeOut = 0x8 };
    Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
    Q_FLAG(TFontStyles)

    enum TFontPitch { fpDefault, fpVariable, fpFixed };
    Q_ENUM(TFontPitch)

    // Kept for layouts; text is Unicode whatever the character set says.
    enum TFontCharset {
        ANSI_CHARSET = 0,
        DEFAULT_CHARSET = 1,
        SYMBOL_CHARSET = 2,
        MAC_CHARSET = 77,
        SHIFTJIS_CHARSET = 128,
        HANGEUL_CHARSET = 129,
        JOHAB_CHARSET = 130,
        GB2312_CHARSET = 134,
        CHINESEBIG5_CHARSET = 136,
        GREEK_CHARSET = 161,
        TURKISH_CHARSET = 162,
        VIETNAMESE_CHARSET = 163,
        HEBREW_CHARSET = 177,
        ARABIC_CHARSET = 178,
        BALTIC_CHARSET = 186,
        RUSSIAN_CHARSET = 204,
        THAI_CHARSET = 222,
        EASTEUROPE_CHARSET = 238,
        OEM_CHARSET = 255,
    };
    Q_ENUM(TFontCharset)

    explicit TFont(QObject* parent = nullptr);

    QString Name() const { return name_; }
    void SetName(const QString& name);
    int Size() const;
    void SetSize(int points);
    int Height() const { return height_; }
    void SetHeight(int height);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontCharset Charset() const { return charset_; }
    void SetCharset(TFontCharset charset);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch pitch);

    void Assign(const TPersistent* source) override;

    // The Qt font this description draws with (pixel size, no hinting, no kerning).
    QFont ToQFont() const;

    TNotifyEvent OnChange;

private:
    void Changed();

    QString name_;
    int height_;
    TFontStyles style_;
    TColor color_;
    TFontCharset charset_ = DEFAULT_CHARSET;
    TFontPitch pitch_ = fpDefault;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TFont::TFontStyles)

using TFontStyle = TFont::TFontStyle;
using TFontStyles = TFont::TFontStyles;
constexpr TFontStyle fsBold = TFont::fsBold;
constexpr TFontStyle fsItalic = TFont::fsItalic;
constexpr TFontStyle fsUnderline = TFont::fsUnderline;
constexpr TFontStyle fsStrikeOut = TFont::fsStrikeOut;
