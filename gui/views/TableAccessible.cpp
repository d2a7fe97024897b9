#include "gui/views/TableAccessible.h"

#include "gui/views/TableSurface.h"

#include <QAccessibleActionInterface>

namespace {

// One cell, or one column's header cell (row -1), of a table surface.
class TCellAccessible : public QAccessibleInterface,
                        public QAccessibleTableCellInterface,
                        public QAccessibleActionInterface {
public:
    TCellAccessible(const TTableAccessible* table, int row, int column) : Table(table), Row(row), Column(column) {}

    bool isValid() const override {
        const TTableLayout* l = Table->Layout();
        return l && Row < l->GridRows() && Column < l->GridColumnCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return Table->window(); }
    QAccessibleInterface* parent() const override { return const_cast<TTableAccessible*>(Table); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return Row < 0 ? QAccessible::ColumnHeader : QAccessible::Cell; }

    QString text(QAccessible::Text t) const override {
        const TTableLayout* l = Table->Layout();
        if (!l || !isValid())
            return {};
        if (t == QAccessible::Name)
            return Row < 0 ? l->GridHeader(Column) : l->GridText(Row, Column);
        if (t == QAccessible::Description && Row >= 0)
            return l->GridHeader(Column);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        const TTableLayout* l = Table->Layout();
        if (!l || !isValid())
            return {};
        const TGridColumn& c = l->GridColumn(Column);
        const QRect r = Row < 0 ? c.Header : l->GridCell(Row, Column);
        const TTableSurface* s = Table->Surface();
        return QRect(s->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessible::State state() const override {
        QAccessible::State st;
        const TTableSurface* s = Table->Surface();
        if (Row < 0 || !isValid())
            return st;
        st.selectable = true;
        st.focusable = true;
        st.selected = s->CursorRow() == Row && s->CursorColumn() == Column;
        st.focused = st.selected && s->hasFocus();
        const QRect visible = s->visibleRegion().boundingRect();
        st.invisible = st.offscreen = !visible.intersects(Table->Layout()->GridCell(Row, Column));
        return st;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        if (type == QAccessible::ActionInterface && Row >= 0)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    // The cell.
    bool isSelected() const override { return state().selected; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {Table->HeaderAt(Column)}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return Column; }
    int rowIndex() const override { return Row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return const_cast<TTableAccessible*>(Table); }

    // Its actions: focusing it puts the cursor there; pressing it does what Enter does.
    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    void doAction(const QString& name) override {
        TTableSurface* s = Table->Surface();
        if (name != pressAction() && name != setFocusAction())
            return;
        s->MoveCellCursor(Row, Column);
        if (name == pressAction())
            emit s->CellActivated(Row, Column);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    const TTableAccessible* Table;
    int Row, Column;
};

qint64 Key(int row, int column) {
    return (static_cast<qint64>(row + 1) << 32) | static_cast<quint32>(column);
}

QAccessibleInterface* MakeTableAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("TTableSurface") && object && object->isWidgetType())
        return new TTableAccessible(static_cast<TTableSurface*>(object));
    return nullptr;
}

TTableAccessible* AccessibleOf(TTableSurface* surface) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(surface);
    return i && i->role() == QAccessible::Table ? static_cast<TTableAccessible*>(i) : nullptr;
}

} // namespace

void InstallTableAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(MakeTableAccessible);
        return true;
    }();
    (void)installed;
}

void TableAccessibleReset(TTableSurface* surface) {
    if (!QAccessible::isActive())
        return; // no reader: nothing was handed out
    if (TTableAccessible* table = AccessibleOf(surface)) {
        table->Reset();
        QAccessibleTableModelChangeEvent event(surface, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&event);
    }
}

void TableAccessibleCursorMoved(TTableSurface* surface) {
    if (!QAccessible::isActive() || surface->CursorRow() < 0 || !surface->hasFocus())
        return;
    if (TTableAccessible* table = AccessibleOf(surface)) {
        QAccessibleInterface* cell = table->cellAt(surface->CursorRow(), surface->CursorColumn());
        if (!cell)
            return;
        QAccessibleEvent focus(cell, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
        QAccessibleEvent selection(cell, QAccessible::Selection);
        QAccessible::updateAccessibility(&selection);
    }
}

TTableAccessible::TTableAccessible(TTableSurface* surface) : QAccessibleWidget(surface, QAccessible::Table) {}

TTableAccessible::~TTableAccessible() {
    Reset();
}

TTableSurface* TTableAccessible::Surface() const {
    return static_cast<TTableSurface*>(widget());
}

const TTableLayout* TTableAccessible::Layout() const {
    return Surface()->Table();
}

void TTableAccessible::Reset() {
    const auto cells = Cells;
    Cells.clear();
    for (QAccessible::Id id : cells)
        QAccessible::deleteAccessibleInterface(id);
}

void* TTableAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString TTableAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) {
        // What the table shows, where and when; the window's caption for a
        // table that does not say.
        const QString title = Layout() ? Layout()->GridName() : QString();
        return title.isEmpty() ? Surface()->window()->windowTitle() : title;
    }
    return QAccessibleWidget::text(t);
}

QAccessible::State TTableAccessible::state() const {
    QAccessible::State st = QAccessibleWidget::state();
    st.readOnly = true;
    return st;
}

int TTableAccessible::rowCount() const {
    return Layout() ? Layout()->GridRows() : 0;
}

int TTableAccessible::columnCount() const {
    return Layout() ? Layout()->GridColumnCount() : 0;
}

// The children: the header cells, then the cells row by row.
int TTableAccessible::childCount() const {
    const long long n = static_cast<long long>(columnCount()) * (rowCount() + 1);
    return static_cast<int>(std::min<long long>(n, INT_MAX));
}

QAccessibleInterface* TTableAccessible::child(int index) const {
    const int columns = columnCount();
    if (index < 0 || columns == 0 || index >= childCount())
        return nullptr;
    return Cell(index / columns - 1, index % columns);
}

int TTableAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const QAccessibleTableCellInterface* cell =
        child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
    if (!cell || child->parent() != this)
        return -1;
    return (cell->rowIndex() + 1) * columnCount() + cell->columnIndex();
}

QAccessibleInterface* TTableAccessible::childAt(int x, int y) const {
    const TTableLayout* l = Layout();
    if (!l)
        return nullptr;
    const QPoint at = Surface()->mapFromGlobal(QPoint(x, y));
    for (int c = 0; c < l->GridColumnCount(); ++c)
        if (l->GridColumn(c).Header.contains(at))
            return Cell(-1, c);
    const auto [row, column] = l->GridCellAt(at);
    return row < 0 ? nullptr : Cell(row, column);
}

QAccessibleInterface* TTableAccessible::cellAt(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    return Cell(row, column);
}

QAccessibleInterface* TTableAccessible::HeaderAt(int column) const {
    if (column < 0 || column >= columnCount())
        return nullptr;
    return Cell(-1, column);
}

QAccessibleInterface* TTableAccessible::Cell(int row, int column) const {
    const qint64 key = Key(row, column);
    if (const auto it = Cells.constFind(key); it != Cells.constEnd())
        return QAccessible::accessibleInterface(*it);
    auto* cell = new TCellAccessible(this, row, column);
    Cells.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int TTableAccessible::selectedCellCount() const {
    return Surface()->CursorRow() >= 0 ? 1 : 0;
}

QList<QAccessibleInterface*> TTableAccessible::selectedCells() const {
    const TTableSurface* s = Surface();
    if (s->CursorRow() < 0)
        return {};
    return {cellAt(s->CursorRow(), s->CursorColumn())};
}

QString TTableAccessible::columnDescription(int column) const {
    return Layout() ? Layout()->GridHeader(column) : QString();
}

QString TTableAccessible::rowDescription(int) const {
    return {};
}
