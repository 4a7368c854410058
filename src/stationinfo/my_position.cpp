#include "stationinfo/my_position.h"

#include "base/ini_file.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace vireo::myposition {

namespace {

const QString Section = QStringLiteral("MyPosition");

// What the character at each place of a locator must be: its lowest value and how many there are.
struct Place {
    char16_t first;
    int count;
    const char *what;
};
constexpr Place Places[] = {
    {u'A', 18, QT_TRANSLATE_NOOP("vireo::MyPosition", "буквой от A до R")},
    {u'A', 18, QT_TRANSLATE_NOOP("vireo::MyPosition", "буквой от A до R")},
    {u'0', 10, QT_TRANSLATE_NOOP("vireo::MyPosition", "цифрой")},
    {u'0', 10, QT_TRANSLATE_NOOP("vireo::MyPosition", "цифрой")},
    {u'A', 24, QT_TRANSLATE_NOOP("vireo::MyPosition", "буквой от A до X")},
    {u'A', 24, QT_TRANSLATE_NOOP("vireo::MyPosition", "буквой от A до X")},
    {u'0', 10, QT_TRANSLATE_NOOP("vireo::MyPosition", "цифрой")},
    {u'0', 10, QT_TRANSLATE_NOOP("vireo::MyPosition", "цифрой")},
};

// Sizes in degrees of longitude of a field, square, subsquare and extended square; latitude
// steps are half of them.
constexpr double LonSize[] = {20.0, 2.0, 2.0 / 24.0, 2.0 / 240.0};
constexpr int Divisions[] = {18, 10, 24, 10};

// One degree value (of latitude when limit is 90, else of longitude) with its hemisphere
// letters, or why it does not read.
Result<double> readDegrees(const QString &typed, const QString &positive, const QString &negative, double limit)
{
    const bool latitude = limit == 90;
    const QString name = latitude ? QCoreApplication::translate("vireo::MyPosition", "Широта")
                                  : QCoreApplication::translate("vireo::MyPosition", "Долгота");
    QString t = typed.trimmed().toUpper();
    t.remove(QChar(0x00B0)); // a degree sign
    if (t.isEmpty())
        return Error(latitude
                         ? QCoreApplication::translate("vireo::MyPosition", "Введите широту в градусах, например %1.")
                               .arg(QStringLiteral("55.75"))
                         : QCoreApplication::translate("vireo::MyPosition", "Введите долготу в градусах, например %1.")
                               .arg(QStringLiteral("37.62")));
    int sign = 1;
    bool lettered = false;
    for (const bool atEnd : {true, false}) {
        const QChar c = atEnd ? t.back() : t.front();
        if (positive.contains(c) || negative.contains(c)) {
            if (lettered)
                return Error(QCoreApplication::translate("vireo::MyPosition", "%1 «%2»: укажите одну букву полушария.")
                                 .arg(name, typed.trimmed()));
            lettered = true;
            sign = negative.contains(c) ? -1 : 1;
            t = (atEnd ? t.chopped(1) : t.mid(1)).trimmed();
            if (t.isEmpty())
                break;
        }
    }
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    double value = t.toDouble(&ok);
    if (!ok || !std::isfinite(value) || t.contains(QLatin1Char(' ')))
        return Error(
            QCoreApplication::translate("vireo::MyPosition", "%1 «%2» — не число градусов. Введите, например, %3.")
                .arg(name, typed.trimmed(),
                     latitude ? QCoreApplication::translate("vireo::MyPosition", "55.75 или 55,75")
                              : QCoreApplication::translate("vireo::MyPosition", "37.62 или 37,62")));
    if (lettered) {
        if (value < 0)
            return Error(QCoreApplication::translate("vireo::MyPosition",
                                                     "%1 «%2»: укажите либо знак минус, либо букву полушария.")
                             .arg(name, typed.trimmed()));
        value *= sign;
    }
    if (value < -limit || value > limit)
        return Error(
            QCoreApplication::translate("vireo::MyPosition", "%1 должна быть от -%2 до %2 градусов; введено %3.")
                .arg(name)
                .arg(int(limit))
                .arg(typed.trimmed()));
    return value;
}

} // namespace

PositionInput fromLocator(const QString &text)
{
    const QString t = text.trimmed().toUpper();
    if (t.size() != 4 && t.size() != 6 && t.size() != 8)
        return Error(QCoreApplication::translate(
                         "vireo::MyPosition",
                         "Локатор состоит из 4, 6 или 8 знаков, например KO85 или KO85TS; введено %1: «%2».")
                         .arg(t.size())
                         .arg(text.trimmed()));
    double lon = -180.0, lat = -90.0;
    for (int i = 0; i < t.size(); ++i) {
        const Place &p = Places[i];
        const int v = int(t.at(i).unicode()) - int(p.first);
        if (v < 0 || v >= p.count)
            return Error(
                QCoreApplication::translate("vireo::MyPosition", "В локаторе «%1» %2-й знак («%3») должен быть %4.")
                    .arg(text.trimmed())
                    .arg(i + 1)
                    .arg(text.trimmed().at(i))
                    .arg(QCoreApplication::translate("vireo::MyPosition", p.what)));
        const double size = LonSize[i / 2] / (i % 2 == 0 ? 1.0 : 2.0);
        (i % 2 == 0 ? lon : lat) += v * size;
    }
    // The centre of the last square named.
    const int level = int(t.size()) / 2 - 1;
    lon += LonSize[level] / 2.0;
    lat += LonSize[level] / 4.0;
    return GeoPosition{lat, lon};
}

PositionInput fromDegrees(const QString &latitude, const QString &longitude)
{
    // The hemisphere letters are read in either keyboard layout, whatever the interface's language.
    // untranslated: letters typed, matched against the input
    const Result<double> lat = readDegrees(latitude, QStringLiteral("NС"), QStringLiteral("SЮ"), 90);
    if (!lat)
        return lat.error();
    // untranslated: letters typed, matched against the input
    const Result<double> lon = readDegrees(longitude, QStringLiteral("EOВ"), QStringLiteral("WЗ"), 180);
    if (!lon)
        return lon.error();
    return GeoPosition{*lat, *lon};
}

QString locatorOf(const GeoPosition &position, int length)
{
    length = length <= 4 ? 4 : length <= 6 ? 6 : 8;
    // Offsets from the south-west corner, kept inside the grid (the north pole and the date line
    // belong to the last squares).
    auto offset = [](double v, double limit) {
        if (!std::isfinite(v))
            v = 0;
        return std::clamp(v + limit, 0.0, 2 * limit * (1 - 1e-12));
    };
    double x = offset(position.longitude, 180.0);
    double y = offset(position.latitude, 90.0);
    QString text;
    double lonSize = 360.0, latSize = 180.0;
    for (int level = 0; level < length / 2; ++level) {
        lonSize /= Divisions[level];
        latSize /= Divisions[level];
        // A hair's breadth against rounding of values that lie on an edge, such as 55.75.
        const int xi = std::min(int(std::floor(x / lonSize + 1e-9)), Divisions[level] - 1);
        const int yi = std::min(int(std::floor(y / latSize + 1e-9)), Divisions[level] - 1);
        x = std::max(0.0, x - xi * lonSize);
        y = std::max(0.0, y - yi * latSize);
        const char16_t base = level % 2 == 0 ? (level == 0 ? u'A' : u'a') : u'0';
        text += QChar(char16_t(base + xi));
        text += QChar(char16_t(base + yi));
    }
    return text;
}

QString degreesText(double degrees)
{
    QString t = QString::number(degrees, 'f', 5);
    while (t.endsWith(QLatin1Char('0')))
        t.chop(1);
    if (t.endsWith(QLatin1Char('.')))
        t.chop(1);
    if (t == QLatin1String("-0"))
        t = QStringLiteral("0");
    return t;
}

GeoPosition read(const QString &settingsPath)
{
    const IniFile ini(settingsPath);
    return GeoPosition{ini.readFloat(Section, QStringLiteral("Latitude"), 0),
                       ini.readFloat(Section, QStringLiteral("Longitude"), 0)};
}

void write(const QString &settingsPath, const GeoPosition &position)
{
    IniFile ini(settingsPath);
    ini.writeFloat(Section, QStringLiteral("Latitude"), position.latitude);
    ini.writeFloat(Section, QStringLiteral("Longitude"), position.longitude);
}

} // namespace vireo::myposition
