#include "framework/controls/ScrollBarColors.h"

#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <algorithm>
#include <cmath>

namespace {

const char* const GrooveProperty = "sumwardenScrollGroove";
const char* const ThumbProperty = "sumwardenScrollThumb";
// The thumb keeps this much of the groove free on either side, across the bar.
constexpr int ThumbMargin = 2;

// Draws the groove and thumb of the scroll bars that carry colours of their own; the
// arrows and everything else are the application style's.
class TScrollBarColorStyle : public QProxyStyle {
public:
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
        if (control != CC_ScrollBar || slider == nullptr || widget == nullptr ||
            !widget->property(ThumbProperty).isValid()) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        const QColor groove = widget->property(GrooveProperty).value<QColor>();
        QColor thumb = widget->property(ThumbProperty).value<QColor>();
        painter->fillRect(option->rect, groove);
        QStyleOptionSlider arrows = *slider;
        arrows.subControls &= SC_ScrollBarAddLine | SC_ScrollBarSubLine;
        QProxyStyle::drawComplexControl(control, &arrows, painter, widget);
        if (!slider->subControls.testFlag(SC_ScrollBarSlider) ||
            slider->minimum == slider->maximum) {
            return;
        }
        if (slider->activeSubControls.testFlag(SC_ScrollBarSlider) &&
            slider->state.testFlag(State_Sunken)) {
            thumb = thumb.darker(120);
        }
        QRect rect = subControlRect(control, option, SC_ScrollBarSlider, widget);
        rect = slider->orientation == Qt::Vertical ? rect.adjusted(ThumbMargin, 0, -ThumbMargin, 0)
                                                   : rect.adjusted(0, ThumbMargin, 0, -ThumbMargin);
        painter->fillRect(rect, thumb);
    }
};

QStyle* ScrollBarColorStyle() {
    static QPointer<TScrollBarColorStyle> style;
    if (style.isNull()) {
        style = new TScrollBarColorStyle();
    }
    return style;
}

double Luminance(const QColor& colour) {
    const auto channel = [](double value) {
        value /= 255.0;
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) +
           0.0722 * channel(colour.blue());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

void SetScrollBarColors(QScrollBar* bar, TColor groove, TColor thumb) {
    bar->setProperty(GrooveProperty, ColorToQColor(groove));
    bar->setProperty(ThumbProperty, ColorToQColor(thumb));
    if (bar->style() != ScrollBarColorStyle()) {
        bar->setStyle(ScrollBarColorStyle());
    }
    bar->update();
}

TColor ContrastingThumbColor(TColor groove) {
    const QColor base = ColorToQColor(groove);
    const bool light = Luminance(base) > 0.18;
    // Step towards black (or white) until the contrast is enough.
    for (int percent = 90; percent >= 0; percent -= 5) {
        const double keep = percent / 100.0;
        const auto mix = [&](int value) {
            return light ? int(value * keep) : int(255 - (255 - value) * keep);
        };
        const QColor thumb(mix(base.red()), mix(base.green()), mix(base.blue()));
        if (Contrast(base, thumb) >= 3.0) {
            return QColorToColor(thumb);
        }
    }
    return light ? clBlack : clWhite;
}
