#include "draw/ViewContext.h"

#include "core/base/DayNumber.h"
#include "core/season/BaseballPennant.h"
#include "core/standings/DistrictStandings.h"
#include "core/standings/StandingsText.h"
#include "draw/QtText.h"

#include <QStringList>

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

QString TitleLine(const QString& where, const QString& what, const QString& when) {
    QStringList parts;
    for (const QString& part : {where, what, when})
        if (!part.trimmed().isEmpty())
            parts << part.trimmed();
    return parts.join(QLatin1Char(' '));
}

QString DistrictTitle(const TPennant& pennant, int districtIndex) {
    TLeague* league = nullptr;
    const TDistrict* district = pennant.DistrictAt(districtIndex, &league);
    return district ? Q(league->Name + district->Name) : QString();
}

QString DistrictDayText(const TPennant& pennant, const TFight& fight, int districtIndex) {
    const std::optional<TDistrictStandings> s = BuildDistrictStandings(pennant, fight, districtIndex);
    return s ? Q(StandingsStateText(s->AllPlayed(), s->Keys)) : QString();
}
