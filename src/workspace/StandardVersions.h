#pragma once

#include <QDate>
#include <QString>

#include <array>

namespace tramora {

struct ProcessValues;

// A version of the publishing standard and the day, written day/month/year, from which
// the central applies it.
struct StandardVersionDate
{
    QLatin1StringView version;
    QLatin1StringView date;
};

inline constexpr std::array<StandardVersionDate, 8> standardVersionDates{{
    {QLatin1StringView("1.3"), QLatin1StringView("01/07/2016")},
    {QLatin1StringView("1.4"), QLatin1StringView("30/05/2017")},
    {QLatin1StringView("1.5"), QLatin1StringView("30/06/2018")},
    {QLatin1StringView("1.6"), QLatin1StringView("30/08/2019")},
    {QLatin1StringView("1.7"), QLatin1StringView("03/03/2020")},
    {QLatin1StringView("1.8"), QLatin1StringView("30/06/2020")},
    {QLatin1StringView("2.0"), QLatin1StringView("24/01/2021")},
    {QLatin1StringView("3.0"), QLatin1StringView("13/12/2021")},
}};

// Sets the eight effective dates, and the current version's, in the process values.
void setStandardVersionDates(ProcessValues &values);

} // namespace tramora
