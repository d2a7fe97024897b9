#include "gui/views/URace.h"

#include "gui/views/TableSurface.h"

#include "core/standings/DistrictStandings.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>

TFmRace::TFmRace(const TViewContext& view, int districtIndex, QWidget* parent) : TTableWindow(view, parent) {
    // The cut below first place: the top three by default.
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(6, 4, 6, 4);
    auto* label = new QLabel(QStringLiteral("上位"), this);
    UDCut = new QSpinBox(this);
    UDCut->setRange(1, 99); // narrowed to the district's team count with each tab
    UDCut->setValue(3);
    UDCut->setKeyboardTracking(true); // the table follows the value as it is typed
    auto* suffix = new QLabel(QStringLiteral("位以内の争いも表示"), this);
    label->setBuddy(UDCut);
    bar->addWidget(label);
    bar->addWidget(UDCut);
    bar->addWidget(suffix);
    bar->addStretch();

    ImgRace = AddTable(this);
    TrackMouse(ImgRace); // a click on a row shows its evidence
    setFocusPolicy(Qt::StrongFocus);
    TabRace = AddTabs(DistrictCaptions(), districtIndex);
    LayOut(bar, ScrollBox1, TabRace);
    connect(TabRace, &TTabStrip::currentChanged, this, &TFmRace::TabRaceChange);
    connect(UDCut, &QSpinBox::valueChanged, this, &TFmRace::UDCutChange);
    TabRaceChange(TabRace->currentIndex());
    // Room for the table and the evidence under it, and every row of tabs.
    resize(720, 520 + TabRace->heightForWidth(720) - TabRace->minimumSizeHint().height());
}

void TFmRace::TabRaceChange(int index) {
    if (index < 0)
        return; // a season without districts shows nothing
    setWindowTitle(TabRace->tabText(index) + QStringLiteral("優勝争い"));
    PaintBackground();
    // A district of six cannot ask for a place below sixth.
    const std::optional<TDistrictStandings> s = BuildDistrictStandings(*View.Pennant, *View.Fight, index);
    const int teams = s ? std::max(1, s->Calc->Count()) : 1;
    const QSignalBlocker quiet(UDCut);
    UDCut->setRange(1, teams);
    DrawTable();
}

void TFmRace::UDCutChange(int) {
    if (TabRace->currentIndex() >= 0)
        DrawTable();
}

void TFmRace::DrawTable() {
    // Deciding a race can take a moment on a long district: say so meanwhile.
    setCursor(Qt::WaitCursor);
    std::unique_ptr<TRaceTable> table = std::make_unique<TRaceTable>(View, TabRace->currentIndex(), UDCut->value());
    const int shown = Current ? Current->EvidenceRow() : -1;
    if (shown > 0)
        table->ShowEvidence(shown);
    ImgRace->SetTable(table.get());
    Current = std::move(table);
    unsetCursor();
}

void TFmRace::ShowRow(int row) {
    if (Current && row >= 0 && row < Current->TeamCount())
        ImgRace->Repaint(Current->ShowEvidence(row));
}

void TFmRace::keyPressEvent(QKeyEvent* event) {
    // Up and down move the team whose evidence is shown.
    if (Current && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) && !UDCut->hasFocus()) {
        const int row = Current->EvidenceRow() + (event->key() == Qt::Key_Up ? -1 : 1);
        ShowRow(std::clamp(row, 0, std::max(0, Current->TeamCount() - 1)));
        return;
    }
    TTableWindow::keyPressEvent(event);
}

bool TFmRace::SurfaceMouseUp(Qt::MouseButton button, const QPoint& at) {
    if (!Current || button != Qt::LeftButton)
        return TTableWindow::SurfaceMouseUp(button, at);
    const int row = RowAt(Current->RowRects, at);
    if (row < 0)
        return TTableWindow::SurfaceMouseUp(button, at);
    ShowRow(row);
    setFocus(); // the arrow keys go on from there
    return true;
}
