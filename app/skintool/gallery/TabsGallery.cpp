#include "app/skintool/gallery/TabsGallery.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/controls/SKPageControl.h"

#include <QWidget>
#include <memory>
#include <vector>

namespace {

constexpr int ControlWidth = 400;
constexpr int ControlHeight = 110;
constexpr int NarrowWidth = 260;
constexpr int Margin = 8;
constexpr int LabelHeight = 16;
constexpr TColor GalleryBackground = clWhite;

const char* const PageCaptions[] = {"Make file MD5", "Make check file", "Verify check file",
                                    "About"};

struct TExample {
    QString Label;
    std::unique_ptr<TskPageControl> Control;
};

std::unique_ptr<TskPageControl> MakePages(TskUIStyle look, TskFileTheme* fileTheme, int width) {
    auto control = std::make_unique<TskPageControl>(nullptr);
    control->SetFileTheme(look == FromThemeFile ? fileTheme : nullptr);
    control->SetUIStyle(look);
    control->SetBounds(0, 0, width, ControlHeight);
    for (const char* caption : PageCaptions) {
        auto* sheet = new TskTabSheet(control.get());
        sheet->SetTabCaption(QString::fromLatin1(caption));
        sheet->SetPageControl(control.get());
    }
    control->SelectPage(1);
    return control;
}

void Press(TControl& control, const TPoint& point) {
    control.Perform(WM_MOUSEMOVE, 0, MakeLParam(point.X, point.Y));
    control.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(point.X, point.Y));
    control.Perform(WM_LBUTTONUP, 0, MakeLParam(point.X, point.Y));
}

TPoint Middle(const TRect& rect) {
    return Point((rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2);
}

// Adding the pages scrolled the strip to the last one; the left button brings it back.
void ScrollToStart(TskTabControlTopPanel& strip) {
    // A strip whose left button has no area (a look without its picture) stays put.
    for (int first = strip.FirstTab(); first > 0; first = strip.FirstTab()) {
        Press(strip, Middle(strip.Layout().LeftButton));
        if (strip.FirstTab() == first) {
            break;
        }
    }
    strip.Perform(CM_MOUSELEAVE);
}

std::vector<TExample> Examples(TskUIStyle look, TskFileTheme* fileTheme) {
    std::vector<TExample> examples;
    examples.push_back({QStringLiteral("Strip at the top, second page active"),
                        MakePages(look, fileTheme, ControlWidth)});

    auto bottom = MakePages(look, fileTheme, ControlWidth);
    bottom->SetTabPosition(skBottom);
    examples.push_back({QStringLiteral("Strip at the bottom"), std::move(bottom)});

    auto overflow = MakePages(look, fileTheme, NarrowWidth);
    ScrollToStart(*overflow->TopPanel());
    examples.push_back(
        {QStringLiteral("Tabs that do not fit: the last one cut"), std::move(overflow)});

    auto scrolled = MakePages(look, fileTheme, NarrowWidth);
    TskTabControlTopPanel* strip = scrolled->TopPanel();
    ScrollToStart(*strip);
    Press(*strip, Middle(strip->Layout().RightButton));
    examples.push_back(
        {QStringLiteral("Scrolled by one tab, pointer on the right button"), std::move(scrolled)});

    auto hidden = MakePages(look, fileTheme, ControlWidth);
    hidden->Pages(1)->SetTabVisible(false);
    examples.push_back(
        {QStringLiteral("\"Make check file\" hidden: its neighbour took over"), std::move(hidden)});
    return examples;
}

} // namespace

QImage PaintTabsGallery(TskUIStyle look, TskFileTheme* fileTheme) {
    const std::vector<TExample> examples = Examples(look, fileTheme);
    const int rowHeight = LabelHeight + ControlHeight + Margin;
    TBitmap picture;
    picture.SetSize(2 * Margin + ControlWidth,
                    Margin + rowHeight * static_cast<int>(examples.size()));
    TCanvas& canvas = *picture.Canvas();
    canvas.Brush()->SetColor(GalleryBackground);
    canvas.FillRect(Rect(0, 0, picture.Width(), picture.Height()));
    canvas.Brush()->SetStyle(TBrush::bsClear);
    int top = Margin;
    for (const TExample& example : examples) {
        canvas.TextOut(Margin, top, example.Label);
        const QImage control = example.Control->Handle()->grab().toImage();
        canvas.DrawImage(Bounds(Margin, top + LabelHeight, control.width(), control.height()),
                         control, Rect(0, 0, control.width(), control.height()));
        top += rowHeight;
    }
    return picture.Image();
}
