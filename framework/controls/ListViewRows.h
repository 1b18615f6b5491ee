// A flat report view: rows of one height under a column header, scrolled by whole rows
// vertically and by pixels horizontally. A row's place is its index times the row
// height, so nothing is laid out per row: adding, changing or removing a row costs the
// same at any row count, and only rows in sight are painted again.
#pragma once

#include <QAbstractItemView>
#include <QHeaderView>

class TListRowsView : public QAbstractItemView {
    Q_OBJECT
public:
    explicit TListRowsView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    QHeaderView* Header() const { return FHeader; }
    // The focus frame spans the whole row instead of the current cell.
    void SetAllColumnsShowFocus(bool value);
    bool AllColumnsShowFocus() const { return FAllColumnsShowFocus; }
    // Selected rows are drawn as selected only while the view has the focus.
    void SetHideSelection(bool value);
    void SetHeaderHidden(bool hidden);
    // The height of every row: the tallest cell of the first row, 0 without rows.
    int RowHeight() const;
    // The first row in sight.
    int TopRow() const;
    // The rows that fit entirely in the viewport (at least 1 with rows).
    int RowsPerPage() const;

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;
    void doItemsLayout() override;

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex& index) const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    int RowCount() const;
    // The viewport's y of a row's top edge.
    int RowY(int row) const { return (row - TopRow()) * RowHeight(); }
    // The row at a viewport y, or -1 outside the rows.
    int RowAt(int y) const;
    QRect RowRect(int row) const;
    // Repaints the rows from first to the bottom of the viewport.
    void UpdateRowsFrom(int first);
    void UpdateScrollBars();
    // Rows moved or went: the range changes and the rows from first on move.
    void RowsMoved(int first);
    void ForgetRowHeight() { FRowHeight = -1; }
    void PaintRow(QPainter& painter, const QStyleOptionViewItem& base, int row, int y) const;

    QHeaderView* FHeader;
    bool FAllColumnsShowFocus = false;
    bool FHideSelection = false;
    mutable int FRowHeight = -1;
    bool FInGeometries = false;
};
