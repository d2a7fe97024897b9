#include "gui/views/URace.h"

#include "gui/views/TableSurface.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QSpinBox>

TFmRace::TFmRace(const TViewContext& view, int districtIndex, QWidget* parent) : TTableWindow(view, parent) {
    // The cut below first place: the top three by default.
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(6, 4, 6, 4);
    auto* label = new QLabel(QStringLiteral("上位"), this);
    UDCut = new QSpinBox(this);
    UDCut->setRange(2, 99);
    UDCut->setValue(3);
    auto* suffix = new QLabel(QStringLiteral("位以内の争いも表示"), this);
    label->setBuddy(UDCut);
    bar->addWidget(label);
    bar->addWidget(UDCut);
    bar->addWidget(suffix);
    bar->addStretch();

    ImgRace = AddTable(this);
    TrackMouse(ImgRace);
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

void TFmRace::ImgRaceMouseMove(const QPoint& at) {
    if (!Current)
        return;
    const int row = RowAt(Current->RowRects, at);
    if (row >= 0)
        ImgRace->Repaint(Current->ShowEvidence(row));
}
