#include "gui/controls/UVersion.h"

#include "gui/controls/DialogFrame.h"
#include "gui/controls/URLLabel.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {

// A link the keyboard reaches: Tab gives it the focus (shown by a focus
// frame), and Space or Enter follows it as a click does.
class TKeyLink : public TURLLabel {
public:
    using TURLLabel::TURLLabel;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && !event->isAutoRepeat() &&
            !(event->modifiers() & ~Qt::KeypadModifier)) {
            // The press and release of a click in the middle of the link.
            const QColor before = TextColor();
            const QPointF inside = QRectF(rect()).center();
            const QPointF global = mapToGlobal(inside);
            QMouseEvent press(QEvent::MouseButtonPress, inside, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            mousePressEvent(&press);
            QMouseEvent release(QEvent::MouseButtonRelease, inside, global, Qt::LeftButton, Qt::NoButton,
                                Qt::NoModifier);
            mouseReleaseEvent(&release);
            if (!underMouse())
                SetTextColor(before); // not left lit as under the pointer
            return;
        }
        TURLLabel::keyPressEvent(event);
    }
    void paintEvent(QPaintEvent* event) override {
        TURLLabel::paintEvent(event);
        if (!hasFocus())
            return;
        QPainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.backgroundColor = palette().color(QPalette::Window);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
    void focusInEvent(QFocusEvent* event) override {
        TURLLabel::focusInEvent(event);
        update();
    }
    void focusOutEvent(QFocusEvent* event) override {
        TURLLabel::focusOutEvent(event);
        update();
    }
};

} // namespace

QPixmap ProgramIcon(int size) {
    QPixmap icon(size, size);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 32.0;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 100, 60));
    p.drawRoundedRect(QRectF(1 * s, 1 * s, 30 * s, 30 * s), 5 * s, 5 * s);
    // A small standings table: three bars of falling length.
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(QRectF(6 * s, 7 * s, 20 * s, 4 * s));
    p.drawRect(QRectF(6 * s, 14 * s, 15 * s, 4 * s));
    p.drawRect(QRectF(6 * s, 21 * s, 10 * s, 4 * s));
    p.setBrush(QColor(255, 215, 0));
    p.drawEllipse(QRectF(20 * s, 19 * s, 8 * s, 8 * s));
    return icon;
}

TFmVersion::TFmVersion(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("バージョン情報"));
    UseDialogFrame(*this);
    setFixedSize(282, 186);

    Image1 = new QLabel(this);
    Image1->setGeometry(16, 24, 32, 32);
    Image1->setPixmap(ProgramIcon(32));

    auto label = [this](const QString& text, int x, int y, int px, bool bold, bool italic, const QColor& color) {
        auto* l = new QLabel(text, this);
        QFont f = font();
        f.setPixelSize(px);
        f.setBold(bold);
        f.setItalic(italic);
        l->setFont(f);
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, color);
        l->setPalette(pal);
        l->move(x, y);
        l->adjustSize();
        return l;
    };
    const QColor text = palette().color(QPalette::WindowText);
    Label1 = label(QStringLiteral("タブローラ"), 64, 16, 16, true, false, QColor(255, 0, 255));
    Label2 = label(QStringLiteral("Tablora"), 186, 20, 12, false, true, QColor(0, 128, 128));
    Label3 = label(QStringLiteral("Version 1.0.2"), 176, 40, 15, false, false, text);
    Label4 = label(QStringLiteral("野球リーグの勝敗表・順位管理ソフトです。"), 37, 70, 12, false, false, text);
    label(QStringLiteral("HomePage"), 37, 102, 12, false, false, text);
    label(QStringLiteral("E-Mail"), 37, 118, 12, false, false, text);

    auto link = [this](int y, const QString& hint) {
        auto* l = new TKeyLink(this);
        l->setFocusPolicy(Qt::StrongFocus);
        QFont f = font();
        f.setPixelSize(12);
        f.setUnderline(true);
        l->setFont(f);
        l->SetTextColor(QColor(0, 0, 255));
        l->SetHotColor(QColor(255, 0, 0));
        l->setToolTip(hint);
        l->move(100, y);
        return l;
    };
    URLLabel1 = link(102, QStringLiteral("ホームページへ"));
    URLLabel1->Executable = true;
    URLLabel2 = link(118, QStringLiteral("作者へメール"));
    connect(URLLabel2, &TURLLabel::clicked, this, &TFmVersion::MailRequested);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setGeometry(104, 148, 75, 26);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    // OK first, so that Enter and Space close the window; Tab then walks the
    // two links and comes back to OK.
    ChainTabs({URLLabel1, URLLabel2, Button1});
    Button1->setFocus();
}
