// The list view's widget, its input through the message boundary and its scrolling:
// scroll messages, Scroll, the scroll notifications and the state of its own bars.
#include "framework/controls/ListView.h"
#include "framework/controls/ListViewModel.h"
#include "framework/controls/ListViewRows.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QWheelEvent>
#include <algorithm>

// The rows' widget. Mouse and wheel input of the viewport reaches the control's
// window procedure like the widget's own, at positions in the widget; the default
// handling then gives the original event back to the view.
class TListViewWidget : public TForwardingWidget<TListRowsView> {
public:
    explicit TListViewWidget(TCustomListView* control)
        : TForwardingWidget<TListRowsView>(control), FListView(control) {
        for (const Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
            QScrollBar* bar =
                orientation == Qt::Vertical ? verticalScrollBar() : horizontalScrollBar();
            QObject::connect(bar, &QScrollBar::valueChanged, bar, [this, orientation](int value) {
                if (FListView != nullptr) {
                    FListView->NotifyScrolled(orientation, value);
                }
            });
        }
    }

    bool DefaultEvent(QEvent* event) override {
        if (FViewportEvent != nullptr && event == FMappedEvent) {
            const bool result = TListRowsView::viewportEvent(FViewportEvent);
            event->setAccepted(FViewportEvent->isAccepted());
            return result;
        }
        return TForwardingWidget<TListRowsView>::DefaultEvent(event);
    }
    void Detach() override {
        FListView = nullptr;
        TForwardingWidget<TListRowsView>::Detach();
    }
    // Lays the rows out now if a layout is pending, so the view's own bars are current.
    void LayOutPendingRows() { executeDelayedItemsLayout(); }

protected:
    bool viewportEvent(QEvent* event) override {
        if (FListView == nullptr || FViewportEvent != nullptr) {
            return TListRowsView::viewportEvent(event);
        }
        const QPointF offset = viewport()->mapTo(this, QPoint(0, 0));
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            QMouseEvent mapped(mouse->type(), mouse->position() + offset, mouse->scenePosition(),
                               mouse->globalPosition(), mouse->button(), mouse->buttons(),
                               mouse->modifiers(), mouse->pointingDevice());
            return Forward(event, &mapped);
        }
        case QEvent::Wheel: {
            LayOutPendingRows();
            auto* wheel = static_cast<QWheelEvent*>(event);
            QWheelEvent mapped(wheel->position() + offset, wheel->globalPosition(),
                               wheel->pixelDelta(), wheel->angleDelta(), wheel->buttons(),
                               wheel->modifiers(), wheel->phase(), wheel->inverted(),
                               wheel->source(), wheel->pointingDevice());
            return Forward(event, &mapped);
        }
        default:
            return TListRowsView::viewportEvent(event);
        }
    }

private:
    bool Forward(QEvent* original, QEvent* mapped) {
        FViewportEvent = original;
        FMappedEvent = mapped;
        const bool result = FListView->WidgetEvent(this, mapped);
        FViewportEvent = nullptr;
        FMappedEvent = nullptr;
        original->setAccepted(mapped->isAccepted());
        return result;
    }

    TCustomListView* FListView;
    QEvent* FViewportEvent = nullptr;
    QEvent* FMappedEvent = nullptr;
};

QWidget* TCustomListView::CreateHandle() {
    auto* rows = new TListViewWidget(this);
    rows->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rows->setFocusPolicy(Qt::StrongFocus);
    rows->setModel(FModel);
    return rows;
}

void TCustomListView::NotifyScrolled(Qt::Orientation orientation, int value) {
    if (IsDestroying()) {
        return;
    }
    const bool saved = FNotifyingScroll;
    FNotifyingScroll = true;
    Perform(orientation == Qt::Vertical ? WM_VSCROLL : WM_HSCROLL,
            MakeLParam(static_cast<int>(SB_THUMBPOSITION), std::clamp(value, 0, 0xFFFF)));
    FNotifyingScroll = saved;
}

void TCustomListView::ActOnScrollMessage(const TMessage& message) {
    TListRowsView* rows = Rows();
    QScrollBar* bar =
        message.Msg == WM_VSCROLL ? rows->verticalScrollBar() : rows->horizontalScrollBar();
    // The view lays its rows out lazily; the bar's range is right only after that.
    static_cast<TListViewWidget*>(rows)->LayOutPendingRows();
    const intptr_t code = message.WParam & 0xFFFF;
    const int position = static_cast<int>((message.WParam >> 16) & 0xFFFF);
    switch (code) {
    case SB_LINEUP:
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case SB_LINEDOWN:
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case SB_PAGEUP:
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        break;
    case SB_PAGEDOWN:
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        bar->setValue(position);
        break;
    case SB_TOP:
        bar->triggerAction(QAbstractSlider::SliderToMinimum);
        break;
    case SB_BOTTOM:
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
        break;
    default:
        break;
    }
}

void TCustomListView::Scroll(int dx, int dy) {
    TListRowsView* rows = Rows();
    static_cast<TListViewWidget*>(rows)->LayOutPendingRows();
    if (dx != 0) {
        rows->horizontalScrollBar()->setValue(rows->horizontalScrollBar()->value() + dx);
    }
    if (dy != 0) {
        rows->verticalScrollBar()->setValue(rows->verticalScrollBar()->value() + dy);
    }
}

TScrollBarState TCustomListView::ScrollBarState(Qt::Orientation orientation) const {
    TListRowsView* rows = Rows();
    const bool vertical = orientation == Qt::Vertical;
    QScrollBar* bar = vertical ? rows->verticalScrollBar() : rows->horizontalScrollBar();
    const QSize viewport = rows->viewport()->size();
    TScrollBarState state;
    int length = 0;
    if (vertical) {
        length = FItems->Count();
        const int rowHeight = rows->RowHeight();
        state.Page = rowHeight > 0 ? std::max(0, viewport.height() / rowHeight) : 0;
    } else {
        length = rows->Header()->length();
        state.Page = std::max(0, viewport.width());
    }
    state.Min = 0;
    state.Max = std::max(0, length - 1);
    const int lastPosition = std::max(0, length - state.Page);
    state.Position = std::clamp(bar->value(), 0, lastPosition);
    const Qt::ScrollBarPolicy policy =
        vertical ? rows->verticalScrollBarPolicy() : rows->horizontalScrollBarPolicy();
    state.Shown =
        policy == Qt::ScrollBarAlwaysOn || (policy == Qt::ScrollBarAsNeeded && length > state.Page);
    // Usable follows the list's content only: a list under a disabled page keeps its state.
    state.Usable = state.Shown && length > state.Page;
    if (state.Shown) {
        const int extent = rows->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, bar);
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.rect = vertical ? QRect(0, 0, extent, viewport.height())
                               : QRect(0, 0, viewport.width(), extent);
        option.orientation = orientation;
        option.minimum = 0;
        option.maximum = lastPosition;
        option.pageStep = std::max(1, state.Page);
        option.singleStep = 1;
        option.sliderPosition = state.Position;
        option.sliderValue = state.Position;
        option.subControls = QStyle::SC_All;
        const QRect slider = rows->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                           QStyle::SC_ScrollBarSlider, bar);
        state.ThumbLength = vertical ? slider.height() : slider.width();
    }
    return state;
}
