#include "framework/controls/ListViewRows.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

TListRowsView::TListRowsView(QWidget* parent)
    : QAbstractItemView(parent), FHeader(new QHeaderView(Qt::Horizontal, this)) {
    FHeader->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    FHeader->setStretchLastSection(false);
    FHeader->setSectionsMovable(false);
    FHeader->setFirstSectionMovable(false);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollMode(ScrollPerPixel);
    connect(FHeader, &QHeaderView::sectionResized, this, [this] {
        UpdateScrollBars();
        viewport()->update();
    });
    connect(FHeader, &QHeaderView::sectionCountChanged, this, [this] { updateGeometries(); });
    connect(FHeader, &QHeaderView::geometriesChanged, this, [this] { updateGeometries(); });
}

void TListRowsView::setModel(QAbstractItemModel* model) {
    if (this->model() != nullptr) {
        disconnect(this->model(), nullptr, this, nullptr);
    }
    QAbstractItemView::setModel(model);
    FHeader->setModel(model);
    ForgetRowHeight();
    if (model == nullptr) {
        return;
    }
    connect(model, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex&, int first, int) { RowsMoved(first); });
    connect(model, &QAbstractItemModel::modelReset, this, [this] { RowsMoved(0); });
    connect(model, &QAbstractItemModel::columnsInserted, this, [this] { doItemsLayout(); });
    connect(model, &QAbstractItemModel::columnsRemoved, this, [this] { doItemsLayout(); });
}

void TListRowsView::SetAllColumnsShowFocus(bool value) {
    FAllColumnsShowFocus = value;
    viewport()->update();
}

void TListRowsView::SetHideSelection(bool value) {
    FHideSelection = value;
    viewport()->update();
}

void TListRowsView::focusInEvent(QFocusEvent* event) {
    QAbstractItemView::focusInEvent(event);
    if (FHideSelection) {
        viewport()->update();
    }
}

void TListRowsView::focusOutEvent(QFocusEvent* event) {
    QAbstractItemView::focusOutEvent(event);
    if (FHideSelection) {
        viewport()->update();
    }
}

void TListRowsView::SetHeaderHidden(bool hidden) {
    FHeader->setHidden(hidden);
    updateGeometries();
}

int TListRowsView::RowCount() const {
    return model() != nullptr ? model()->rowCount(rootIndex()) : 0;
}

int TListRowsView::RowHeight() const {
    if (FRowHeight >= 0) {
        return FRowHeight;
    }
    if (RowCount() == 0) {
        return 0;
    }
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect.setWidth(-1);
    int height = 0;
    const int columns = model()->columnCount(rootIndex());
    for (int column = 0; column < columns; ++column) {
        if (FHeader->isSectionHidden(column)) {
            continue;
        }
        const QModelIndex index = model()->index(0, column, rootIndex());
        height = std::max(height, itemDelegateForIndex(index)->sizeHint(option, index).height());
    }
    FRowHeight = height;
    return FRowHeight;
}

int TListRowsView::TopRow() const {
    return verticalScrollBar()->value();
}

int TListRowsView::RowsPerPage() const {
    const int rows = RowCount();
    const int height = RowHeight();
    if (rows == 0) {
        return 0;
    }
    return height > 0 ? std::max(1, viewport()->height() / height) : rows;
}

int TListRowsView::RowAt(int y) const {
    const int height = RowHeight();
    if (y < 0 || height <= 0) {
        return -1;
    }
    const int row = TopRow() + y / height;
    return row < RowCount() ? row : -1;
}

QRect TListRowsView::RowRect(int row) const {
    return QRect(0, RowY(row), viewport()->width(), RowHeight());
}

QRect TListRowsView::visualRect(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != model() || FHeader->isSectionHidden(index.column())) {
        return QRect();
    }
    return QRect(FHeader->sectionViewportPosition(index.column()), RowY(index.row()),
                 FHeader->sectionSize(index.column()), RowHeight());
}

void TListRowsView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid() || index.model() != model()) {
        return;
    }
    const int row = index.row();
    const int top = TopRow();
    const int page = RowsPerPage();
    int newTop = top;
    switch (hint) {
    case EnsureVisible:
        if (row < top) {
            newTop = row;
        } else if (row >= top + page) {
            newTop = row - page + 1;
        }
        break;
    case PositionAtTop:
        newTop = row;
        break;
    case PositionAtBottom:
        newTop = row - page + 1;
        break;
    case PositionAtCenter:
        newTop = row - (page - 1) / 2;
        break;
    }
    verticalScrollBar()->setValue(newTop);

    const int viewportWidth = viewport()->width();
    const int offset = FHeader->offset();
    const int position = FHeader->sectionPosition(index.column());
    const int width = FHeader->sectionSize(index.column());
    if (hint == PositionAtCenter) {
        horizontalScrollBar()->setValue(position - (viewportWidth - width) / 2);
    } else if (position - offset < 0 || width > viewportWidth) {
        horizontalScrollBar()->setValue(position);
    } else if (position - offset + width > viewportWidth) {
        horizontalScrollBar()->setValue(position - viewportWidth + width);
    }
}

QModelIndex TListRowsView::indexAt(const QPoint& point) const {
    const int row = RowAt(point.y());
    const int column = FHeader->logicalIndexAt(point.x());
    if (row < 0 || column < 0) {
        return QModelIndex();
    }
    return model()->index(row, column, rootIndex());
}

QModelIndex TListRowsView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers) {
    const int rows = RowCount();
    if (rows == 0) {
        return QModelIndex();
    }
    const QModelIndex current = currentIndex();
    if (!current.isValid()) {
        return model()->index(0, 0, rootIndex());
    }
    const int row = current.row();
    const int height = std::max(1, RowHeight());
    const int pageRows = viewport()->height() / height;
    int target = row;
    switch (cursorAction) {
    case MoveUp:
    case MovePrevious:
        target = row - 1;
        break;
    case MoveDown:
    case MoveNext:
        target = row + 1;
        break;
    case MovePageUp:
        target = row - std::max(1, pageRows);
        break;
    case MovePageDown:
        target = row + std::max(1, pageRows);
        break;
    case MoveHome:
        target = 0;
        break;
    case MoveEnd:
        target = rows - 1;
        break;
    case MoveLeft:
    case MoveRight: {
        // Rows have no cells to move between: the keys scroll sideways.
        QScrollBar* bar = horizontalScrollBar();
        const int step = cursorAction == MoveLeft ? -bar->singleStep() : bar->singleStep();
        bar->setValue(bar->value() + step);
        return current;
    }
    }
    return current.sibling(std::clamp(target, 0, rows - 1), current.column());
}

int TListRowsView::horizontalOffset() const {
    return FHeader->offset();
}

int TListRowsView::verticalOffset() const {
    return TopRow() * RowHeight();
}

bool TListRowsView::isIndexHidden(const QModelIndex&) const {
    return false;
}

void TListRowsView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) {
    if (selectionModel() == nullptr || rect.isNull()) {
        return;
    }
    const QRect area = rect.normalized();
    const int rows = RowCount();
    int first = RowAt(area.top());
    int last = RowAt(area.bottom());
    if (first < 0 && last < 0) {
        if (command & QItemSelectionModel::Clear) {
            selectionModel()->clear();
        }
        return;
    }
    first = first < 0 ? 0 : first;
    last = last < 0 ? rows - 1 : last;
    const int lastColumn = std::max(0, model()->columnCount(rootIndex()) - 1);
    const QItemSelection selection(model()->index(first, 0, rootIndex()),
                                   model()->index(last, lastColumn, rootIndex()));
    selectionModel()->select(selection, command);
}

QRegion TListRowsView::visualRegionForSelection(const QItemSelection& selection) const {
    QRegion region;
    const int top = TopRow();
    const int last = top + RowsPerPage();
    for (const QItemSelectionRange& range : selection) {
        if (!range.isValid() || range.parent() != rootIndex()) {
            continue;
        }
        const int first = std::max(range.top(), top);
        const int end = std::min(range.bottom(), last);
        if (first > end) {
            continue;
        }
        const int left = FHeader->sectionViewportPosition(range.left());
        const int right =
            FHeader->sectionViewportPosition(range.right()) + FHeader->sectionSize(range.right());
        region += QRect(left, RowY(first), right - left, (end - first + 1) * RowHeight());
    }
    return region;
}

void TListRowsView::updateGeometries() {
    if (FInGeometries) {
        return;
    }
    FInGeometries = true;
    int height = 0;
    if (!FHeader->isHidden()) {
        height = std::max(FHeader->minimumHeight(), FHeader->sizeHint().height());
        height = std::min(height, FHeader->maximumHeight());
    }
    setViewportMargins(0, height, 0, 0);
    const QRect frame = viewport()->geometry();
    FHeader->setGeometry(frame.left(), frame.top() - height, frame.width(), height);
    QMetaObject::invokeMethod(FHeader, "updateGeometries");
    UpdateScrollBars();
    FInGeometries = false;
    QAbstractItemView::updateGeometries();
}

void TListRowsView::UpdateScrollBars() {
    const int rows = RowCount();
    const int page = RowsPerPage();
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, std::max(0, rows - page));
    vertical->setPageStep(page);
    vertical->setSingleStep(1);

    QSize size = viewport()->size();
    const int length = FHeader->length();
    const QSize largest = maximumViewportSize();
    if (largest.width() >= length && vertical->maximum() <= 0) {
        size = largest;
    }
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setPageStep(size.width());
    horizontal->setRange(0, std::max(0, length - size.width()));
    // A step is a share of the viewport by the number of columns that fit in it, counted
    // from the last column.
    int columnsInView = 0;
    for (int column = FHeader->count() - 1, width = 0; column >= 0; --column) {
        width += FHeader->sectionSize(column);
        if (width > size.width()) {
            break;
        }
        ++columnsInView;
    }
    if (FHeader->count() > 0) {
        columnsInView = std::max(1, columnsInView);
    }
    horizontal->setSingleStep(std::max(size.width() / (columnsInView + 1), 2));
}

void TListRowsView::scrollContentsBy(int dx, int dy) {
    if (dx != 0) {
        FHeader->setOffset(horizontalScrollBar()->value());
    }
    const int rowsMoved = std::abs(dy);
    if (dy != 0 && (rowsMoved >= RowsPerPage() || RowHeight() <= 0)) {
        viewport()->update();
        return;
    }
    viewport()->scroll(dx, dy * RowHeight());
}

void TListRowsView::doItemsLayout() {
    ForgetRowHeight();
    QAbstractItemView::doItemsLayout();
}

void TListRowsView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        ForgetRowHeight();
    }
    QAbstractItemView::changeEvent(event);
}

void TListRowsView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                const QList<int>&) {
    if (!topLeft.isValid() || !bottomRight.isValid()) {
        viewport()->update();
        return;
    }
    if (topLeft.row() == 0) {
        const int height = RowHeight();
        ForgetRowHeight();
        if (RowHeight() != height) {
            updateGeometries();
            viewport()->update();
            return;
        }
    }
    const QRect changed = RowRect(topLeft.row()).united(RowRect(bottomRight.row()));
    if (changed.intersects(viewport()->rect())) {
        viewport()->update(changed);
    }
}

void TListRowsView::rowsInserted(const QModelIndex& parent, int start, int end) {
    QAbstractItemView::rowsInserted(parent, start, end);
    RowsMoved(start);
}

void TListRowsView::RowsMoved(int first) {
    if (first == 0) {
        ForgetRowHeight();
    }
    UpdateScrollBars();
    UpdateRowsFrom(first);
}

void TListRowsView::UpdateRowsFrom(int first) {
    const int y = std::max(0, RowY(first));
    if (y < viewport()->height()) {
        viewport()->update(QRect(0, y, viewport()->width(), viewport()->height() - y));
    }
}

void TListRowsView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QAbstractItemView::currentChanged(current, previous);
    // The focus frame may span the row: repaint both rows whole.
    for (const QModelIndex& index : {previous, current}) {
        if (index.isValid()) {
            viewport()->update(RowRect(index.row()));
        }
    }
}

void TListRowsView::paintEvent(QPaintEvent* event) {
    const int rows = RowCount();
    const int height = RowHeight();
    if (rows == 0 || height <= 0 || FHeader->count() == 0) {
        return;
    }
    QPainter painter(viewport());
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QRect area = event->rect();
    const int first = TopRow() + std::max(0, area.top()) / height;
    const int last = std::min(rows - 1, TopRow() + area.bottom() / height);
    for (int row = first; row <= last; ++row) {
        PaintRow(painter, option, row, RowY(row));
    }
}

// Paints one row as a tree view without branches does: each cell's row panel, then the
// cell through its delegate, then the focus frame across the row when it shows on all
// columns.
void TListRowsView::PaintRow(QPainter& painter, const QStyleOptionViewItem& base, int row,
                             int y) const {
    const int height = RowHeight();
    QStyleOptionViewItem rowOption = base;
    rowOption.rect = QRect(0, y, viewport()->width(), height);
    const QStyle::State state = rowOption.state;
    const bool enabled = (state & QStyle::State_Enabled) != 0;
    const QModelIndex current = currentIndex();
    const bool focused = hasFocus();
    bool rowHasFocus = false;
    const int columns = FHeader->count();
    QStyleOptionViewItem option = rowOption;
    for (int column = 0; column < columns; ++column) {
        if (FHeader->isSectionHidden(column)) {
            continue;
        }
        const QModelIndex index = model()->index(row, column, rootIndex());
        option.state = state;
        option.viewItemPosition = columns == 1            ? QStyleOptionViewItem::OnlyOne
                                  : column == 0           ? QStyleOptionViewItem::Beginning
                                  : column == columns - 1 ? QStyleOptionViewItem::End
                                                          : QStyleOptionViewItem::Middle;
        if ((focused || !FHideSelection) && selectionModel()->isSelected(index)) {
            option.state |= QStyle::State_Selected;
        }
        if (focused && index == current) {
            if (FAllColumnsShowFocus) {
                rowHasFocus = true;
            } else {
                option.state |= QStyle::State_HasFocus;
            }
        }
        if (enabled) {
            QPalette::ColorGroup group = QPalette::Inactive;
            if ((model()->flags(index) & Qt::ItemIsEnabled) == 0) {
                option.state &= ~QStyle::State_Enabled;
                group = QPalette::Disabled;
            } else if (option.state & QStyle::State_Active) {
                group = QPalette::Active;
            }
            option.palette.setCurrentColorGroup(group);
        }
        const QStyle::State cellState = option.state;
        option.state &= ~QStyle::State_Selected;
        option.rect = QRect(FHeader->sectionViewportPosition(column), y,
                            FHeader->sectionSize(column), height);
        style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &option, &painter, this);
        option.state = cellState;
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
    if (rowHasFocus) {
        QStyleOptionFocusRect frame;
        frame.QStyleOption::operator=(rowOption);
        frame.state |= QStyle::State_KeyboardFocusChange;
        const QPalette::ColorGroup group = enabled ? QPalette::Normal : QPalette::Disabled;
        const bool selected = selectionModel()->isSelected(model()->index(row, 0, rootIndex()));
        frame.backgroundColor =
            rowOption.palette.color(group, selected ? QPalette::Highlight : QPalette::Window);
        const int x = rowOption.showDecorationSelected ? 0 : FHeader->sectionPosition(0);
        const QRect rect(x - FHeader->offset(), y, FHeader->length() - x, height);
        frame.rect = style()->visualRect(layoutDirection(), viewport()->rect(), rect);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter);
    }
}
