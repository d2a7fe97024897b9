#include "gui/views/URace.h"

#include "core/season/BaseballPennant.h"
#include "draw/QtText.h"
#include "gui/controls/WheelMessage.h"
#include "gui/views/TableSurface.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

TFmRace::TFmRace(const TViewContext& view, int districtIndex, QWidget* parent) : QWidget(parent), View(view) {
    setAttribute(Qt::WA_DeleteOnClose);
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

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setWidgetResizable(false);
    ImgRace = new TTableSurface;
    ImgRace->setMouseTracking(true);
    ImgRace->installEventFilter(this);
    ScrollBox1->setWidget(ImgRace);
    ScrollBox1->viewport()->installEventFilter(this);
    TabRace = new TTabStrip(this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addLayout(bar);
    column->addWidget(ScrollBox1);
    column->addWidget(TabRace);

    const TPennant& p = *View.Pennant;
    for (int l = 0; l < p.LeagueCount(); ++l)
        for (int d = 0; d < p.GetLeague(l).DistrictCount(); ++d)
            TabRace->addTab(Q(p.GetLeague(l).Name + p.GetLeague(l).GetDistrict(d).Name));
    TabRace->setCurrentIndex(std::clamp(districtIndex, 0, std::max(TabRace->count() - 1, 0)));
    connect(TabRace, &TTabStrip::currentChanged, this, &TFmRace::TabRaceChange);
    connect(UDCut, &QSpinBox::valueChanged, this, &TFmRace::UDCutChange);
    TabRaceChange(TabRace->currentIndex());
    // Room for the table and the evidence under it, and every row of tabs.
    resize(720, 520 + TabRace->heightForWidth(720) - TabRace->minimumSizeHint().height());
}

TTablePicture TFmRace::Picture() const {
    if (!Current)
        return {};
    return SingleTablePicture(*Current);
}

void TFmRace::TabRaceChange(int index) {
    if (index < 0)
        return; // a season without districts shows nothing
    setWindowTitle(TabRace->tabText(index) + QStringLiteral("優勝争い"));
    QPalette pal = ScrollBox1->palette();
    pal.setColor(QPalette::Window, View.Background());
    ScrollBox1->setPalette(pal);
    ScrollBox1->setBackgroundRole(QPalette::Window);
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

bool TFmRace::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ImgRace && event->type() == QEvent::MouseMove) {
        ImgRaceMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
        return false;
    }
    if (event->type() == QEvent::Wheel || event->type() == MsWheelRollMsg())
        return ScrollOneLine(event, ScrollBox1);
    return QWidget::eventFilter(watched, event);
}

bool TFmRace::event(QEvent* event) {
    if (event->type() == QEvent::Wheel || event->type() == MsWheelRollMsg())
        return ScrollOneLine(event, ScrollBox1);
    return QWidget::event(event);
}
