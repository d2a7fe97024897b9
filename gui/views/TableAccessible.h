// A table surface as assistive technology sees it (over AT-SPI on Linux): a
// table named after what it shows, with a header cell per column and a cell
// per row and column whose text is what the view paints there, read from the
// layout's grid (TTableLayout::GridText). The cell under the keyboard's
// cursor is the selected and focused one.
#pragma once

#include <QAccessibleWidget>
#include <QHash>

class TTableSurface;
class TTableLayout;

// Makes every table surface answer as a table; once per program, from the
// surface's constructor.
void InstallTableAccessibility();
// The surface shows another table: the cells readers hold are dropped.
void TableAccessibleReset(TTableSurface* surface);
// The cursor moved: readers hear the new cell.
void TableAccessibleCursorMoved(TTableSurface* surface);

class TTableAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit TTableAccessible(TTableSurface* surface);
    ~TTableAccessible() override;

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // The table.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    // A column's header cell.
    QAccessibleInterface* HeaderAt(int column) const;
    TTableSurface* Surface() const;
    const TTableLayout* Layout() const;
    // Forgets the cells handed out for the table shown before.
    void Reset();

private:
    // Cells are made when first asked for and kept until the table changes;
    // row -1 holds the headers.
    QAccessibleInterface* Cell(int row, int column) const;
    mutable QHash<qint64, QAccessible::Id> Cells;
};
