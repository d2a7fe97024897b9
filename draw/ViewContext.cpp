#include "draw/ViewContext.h"

#include "core/base/DayNumber.h"
#include "draw/QtText.h"

QColor TViewContext::Color(int32_t stored) const {
    return StoredToQColor(stored, Palette);
}

QString GameDayText(double day) {
    if (days::SameDay(day, days::UndecidedDate))
        return QStringLiteral("試合日未定");
    const days::TYmd d = days::Decode(day);
    return QStringLiteral("%1月%2日(%3)")
        .arg(d.Month)
        .arg(d.Day, 2, 10, QLatin1Char('0'))
        .arg(QString::fromStdString(days::WeekdayName(day)));
}
