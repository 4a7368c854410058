#include "contest_rules/rule_definition.h"

#include "contest_rules/json_locator.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace vireo::rules {

int Multiplier::weight(const QString &band) const
{
    if (weights.isEmpty())
        return 1;
    const auto it = weights.constFind(band);
    if (it != weights.constEnd())
        return *it;
    return weights.value(QStringLiteral("*"), 1);
}

std::optional<int> pairGapMinutes(const Definition &definition)
{
    std::optional<int> minutes;
    for (const Limit &l : definition.limits)
        if (l.kind == Limit::Kind::Gap)
            minutes = std::max(minutes.value_or(0), l.minutes);
    return minutes;
}

QString scopeName(const Scope &scope)
{
    if (scope.isContest())
        return QStringLiteral("contest");
    QStringList parts;
    if (scope.band)
        parts << QStringLiteral("band");
    if (scope.mode)
        parts << QStringLiteral("mode");
    if (scope.tour)
        parts << QStringLiteral("tour");
    return parts.join(QLatin1Char('-'));
}

std::optional<Scope> scopeFromName(const QString &name)
{
    if (name == QLatin1String("contest"))
        return Scope{};
    // The parts in the order band, mode, tour, each at most once.
    static const QString Order[] = {QStringLiteral("band"), QStringLiteral("mode"), QStringLiteral("tour")};
    Scope scope;
    int next = 0;
    for (const QString &part : name.split(QLatin1Char('-'))) {
        int i = next;
        while (i < 3 && Order[i] != part)
            ++i;
        if (i == 3)
            return std::nullopt;
        (i == 0 ? scope.band : i == 1 ? scope.mode : scope.tour) = true;
        next = i + 1;
    }
    return scope;
}

QString kindName(Multiplier::Kind kind)
{
    switch (kind) {
    case Multiplier::Kind::Dxcc:
        return QStringLiteral("dxcc");
    case Multiplier::Kind::CqZone:
        return QStringLiteral("cq-zone");
    case Multiplier::Kind::ItuZone:
        return QStringLiteral("itu-zone");
    case Multiplier::Kind::Wpx:
        return QStringLiteral("wpx");
    case Multiplier::Kind::Exchange:
        return QStringLiteral("exchange");
    case Multiplier::Kind::Call:
        return QStringLiteral("call");
    }
    return QString();
}

QString kindName(Limit::Kind kind)
{
    switch (kind) {
    case Limit::Kind::Max:
        return QStringLiteral("max");
    case Limit::Kind::Gap:
        return QStringLiteral("gap");
    case Limit::Kind::Run:
        return QStringLiteral("run");
    case Limit::Kind::Once:
        return QStringLiteral("once");
    }
    return QString();
}

QString stationName(Station station)
{
    switch (station) {
    case Station::Heard:
        return QStringLiteral("heard");
    case Station::Correspondent:
        return QStringLiteral("correspondent");
    case Station::Both:
        return QStringLiteral("both");
    case Station::Either:
        return QStringLiteral("either");
    }
    return QString();
}

namespace {

// A fault of the file: the path of the key and what is wrong with it.
struct Fault {
    QString path;
    QString text;
};

QString quoted(const QString &s)
{
    return QCoreApplication::translate("vireo::RuleFile", "«%1»").arg(s);
}

QString jsonErrorText(QJsonParseError::ParseError e)
{
    switch (e) {
    case QJsonParseError::UnterminatedObject:
        return QCoreApplication::translate("vireo::RuleFile", "объект не закрыт знаком «}»");
    case QJsonParseError::MissingNameSeparator:
        return QCoreApplication::translate("vireo::RuleFile", "после имени ключа нет двоеточия");
    case QJsonParseError::UnterminatedArray:
        return QCoreApplication::translate("vireo::RuleFile", "список не закрыт знаком «]»");
    case QJsonParseError::MissingValueSeparator:
        return QCoreApplication::translate("vireo::RuleFile", "между значениями нет запятой");
    case QJsonParseError::IllegalValue:
        return QCoreApplication::translate("vireo::RuleFile", "недопустимое значение");
    case QJsonParseError::TerminationByNumber:
        return QCoreApplication::translate("vireo::RuleFile", "файл оборван на числе");
    case QJsonParseError::IllegalNumber:
        return QCoreApplication::translate("vireo::RuleFile", "неверное число");
    case QJsonParseError::IllegalEscapeSequence:
        return QCoreApplication::translate("vireo::RuleFile", "неверный знак после «\\»");
    case QJsonParseError::IllegalUTF8String:
        return QCoreApplication::translate("vireo::RuleFile", "текст не в кодировке UTF-8");
    case QJsonParseError::UnterminatedString:
        return QCoreApplication::translate("vireo::RuleFile", "строка не закрыта кавычкой");
    case QJsonParseError::MissingObject:
        return QCoreApplication::translate("vireo::RuleFile", "ожидался объект «{ … }»");
    case QJsonParseError::DeepNesting:
        return QCoreApplication::translate("vireo::RuleFile", "слишком глубокая вложенность");
    case QJsonParseError::DocumentTooLarge:
        return QCoreApplication::translate("vireo::RuleFile", "файл слишком велик");
    case QJsonParseError::GarbageAtEnd:
        return QCoreApplication::translate("vireo::RuleFile", "лишний текст после конца описания");
    case QJsonParseError::NoError:
        break;
    }
    return QCoreApplication::translate("vireo::RuleFile", "ошибка разбора");
}

class Reader {
public:
    // Keys allowed in an object besides those read: a comment for the reader of the file.
    static bool isComment(const QString &key) { return key == QLatin1String("comment"); }

    static QString join(const QString &path, const QString &key)
    {
        return path.isEmpty() ? key : path + QLatin1Char('.') + key;
    }

    static void onlyKeys(const QJsonObject &o, const QString &path, const QStringList &allowed)
    {
        for (auto it = o.begin(); it != o.end(); ++it)
            if (!allowed.contains(it.key()) && !isComment(it.key()))
                throw Fault{join(path, it.key()),
                            QCoreApplication::translate("vireo::RuleFile", "неизвестный ключ (возможны: %1)")
                                .arg(allowed.join(QStringLiteral(", ")))};
    }

    static QJsonValue required(const QJsonObject &o, const QString &path, const QString &key)
    {
        if (!o.contains(key))
            throw Fault{join(path, key), QCoreApplication::translate("vireo::RuleFile", "ключ обязателен, но его нет")};
        return o.value(key);
    }

    static QString string(const QJsonValue &v, const QString &path, bool mayBeEmpty = false)
    {
        if (!v.isString())
            throw Fault{path, QCoreApplication::translate("vireo::RuleFile", "ожидается текст в кавычках")};
        if (!mayBeEmpty && v.toString().trimmed().isEmpty())
            throw Fault{path, QCoreApplication::translate("vireo::RuleFile", "текст не может быть пустым")};
        return v.toString();
    }

    static QString optionalString(const QJsonObject &o, const QString &path, const QString &key)
    {
        return o.contains(key) ? string(o.value(key), join(path, key), true) : QString();
    }

    static int integer(const QJsonValue &v, const QString &path, int min)
    {
        const double d = v.toDouble();
        if (!v.isDouble() || d != double(qint64(d)) || d < min || d > 1000000)
            throw Fault{
                path,
                min > 0
                    ? QCoreApplication::translate("vireo::RuleFile", "ожидается целое число от %1").arg(min)
                    : QCoreApplication::translate("vireo::RuleFile", "ожидается целое число не меньше %1").arg(min)};
        return int(d);
    }

    static QJsonObject object(const QJsonValue &v, const QString &path)
    {
        if (!v.isObject())
            throw Fault{path, QCoreApplication::translate("vireo::RuleFile", "ожидается объект «{ … }»")};
        return v.toObject();
    }

    static QJsonArray array(const QJsonValue &v, const QString &path)
    {
        if (!v.isArray())
            throw Fault{path, QCoreApplication::translate("vireo::RuleFile", "ожидается список «[ … ]»")};
        return v.toArray();
    }

    static QStringList strings(const QJsonValue &v, const QString &path)
    {
        QStringList out;
        const QJsonArray a = array(v, path);
        for (int i = 0; i < a.size(); ++i)
            out << string(a.at(i), path + QStringLiteral("[%1]").arg(i));
        return out;
    }

    static Scope scope(const QJsonObject &o, const QString &path)
    {
        const QString key = join(path, QStringLiteral("per"));
        const QString name = string(required(o, path, QStringLiteral("per")), key);
        const std::optional<Scope> s = scopeFromName(name);
        if (!s)
            throw Fault{key, QCoreApplication::translate(
                                 "vireo::RuleFile",
                                 "неизвестная область %1 (возможны: contest, band, mode, tour и их сочетания "
                                 "через дефис в этом порядке: band-mode, band-mode-tour, …)")
                                 .arg(quoted(name))};
        return *s;
    }

    static Station station(const QJsonObject &o, const QString &path, const QStringList &allowed)
    {
        const QString key = join(path, QStringLiteral("station"));
        const QString name = string(required(o, path, QStringLiteral("station")), key);
        for (Station s : {Station::Heard, Station::Correspondent, Station::Both, Station::Either})
            if (stationName(s) == name && allowed.contains(name))
                return s;
        throw Fault{key, QCoreApplication::translate("vireo::RuleFile", "неизвестная станция %1 (возможны: %2)")
                             .arg(quoted(name), allowed.join(QStringLiteral(", ")))};
    }

    static Multiplier multiplier(const QJsonValue &v, const QString &path)
    {
        const QJsonObject o = object(v, path);
        onlyKeys(o, path,
                 {QStringLiteral("kind"), QStringLiteral("station"), QStringLiteral("per"), QStringLiteral("values"),
                  QStringLiteral("pattern"), QStringLiteral("numeric"), QStringLiteral("weights")});
        Multiplier m;
        const QString kindKey = join(path, QStringLiteral("kind"));
        const QString kind = string(required(o, path, QStringLiteral("kind")), kindKey);
        bool known = false;
        for (auto k : {Multiplier::Kind::Dxcc, Multiplier::Kind::CqZone, Multiplier::Kind::ItuZone,
                       Multiplier::Kind::Wpx, Multiplier::Kind::Exchange, Multiplier::Kind::Call})
            if (kindName(k) == kind) {
                m.kind = k;
                known = true;
            }
        if (!known)
            throw Fault{kindKey,
                        QCoreApplication::translate(
                            "vireo::RuleFile", "неизвестный вид множителя %1 (возможны: dxcc, cq-zone, itu-zone, wpx, "
                                               "exchange, call)")
                            .arg(quoted(kind))};
        m.station =
            station(o, path, {QStringLiteral("heard"), QStringLiteral("correspondent"), QStringLiteral("both")});
        m.per = scope(o, path);
        if (o.contains(QStringLiteral("values")))
            m.values = strings(o.value(QStringLiteral("values")), join(path, QStringLiteral("values")));
        if (o.contains(QStringLiteral("pattern"))) {
            const QString key = join(path, QStringLiteral("pattern"));
            m.pattern = string(o.value(QStringLiteral("pattern")), key);
            const QRegularExpression re(m.pattern);
            if (!re.isValid())
                throw Fault{key, QCoreApplication::translate("vireo::RuleFile", "неверное регулярное выражение (%1)")
                                     .arg(re.errorString())};
        }
        if (o.contains(QStringLiteral("numeric"))) {
            const QString key = join(path, QStringLiteral("numeric"));
            if (!o.value(QStringLiteral("numeric")).isBool())
                throw Fault{key, QCoreApplication::translate("vireo::RuleFile", "ожидается true или false")};
            if (m.kind != Multiplier::Kind::Exchange)
                throw Fault{key,
                            QCoreApplication::translate("vireo::RuleFile", "бывает только у множителя вида exchange")};
            m.numeric = o.value(QStringLiteral("numeric")).toBool();
        }
        if (o.contains(QStringLiteral("weights"))) {
            const QString key = join(path, QStringLiteral("weights"));
            if (!m.per.band)
                throw Fault{key,
                            QCoreApplication::translate(
                                "vireo::RuleFile", "веса диапазонов бывают только у множителя с областью по диапазону "
                                                   "(per: band, band-mode, …)")};
            const QJsonObject w = object(o.value(QStringLiteral("weights")), key);
            for (auto it = w.begin(); it != w.end(); ++it)
                m.weights.insert(it.key(), integer(it.value(), join(key, it.key()), 1));
        }
        return m;
    }

    static Limit limit(const QJsonValue &v, const QString &path)
    {
        const QJsonObject o = object(v, path);
        const QString kindKey = join(path, QStringLiteral("kind"));
        const QString kind = string(required(o, path, QStringLiteral("kind")), kindKey);
        Limit l;
        if (kind == QLatin1String("max"))
            l.kind = Limit::Kind::Max;
        else if (kind == QLatin1String("gap"))
            l.kind = Limit::Kind::Gap;
        else if (kind == QLatin1String("run"))
            l.kind = Limit::Kind::Run;
        else if (kind == QLatin1String("once"))
            l.kind = Limit::Kind::Once;
        else
            throw Fault{kindKey,
                        QCoreApplication::translate("vireo::RuleFile",
                                                    "неизвестный вид ограничения %1 (возможны: max, gap, run, once)")
                            .arg(quoted(kind))};
        QStringList keys{QStringLiteral("kind"), QStringLiteral("station"), QStringLiteral("per"),
                         QStringLiteral("unless")};
        if (l.kind == Limit::Kind::Max || l.kind == Limit::Kind::Run)
            keys << QStringLiteral("count");
        if (l.kind == Limit::Kind::Gap)
            keys << QStringLiteral("minutes");
        onlyKeys(o, path, keys);
        l.station =
            station(o, path, {QStringLiteral("heard"), QStringLiteral("correspondent"), QStringLiteral("either")});
        l.per = scope(o, path);
        if (keys.contains(QStringLiteral("count")))
            l.count = integer(required(o, path, QStringLiteral("count")), join(path, QStringLiteral("count")), 1);
        if (keys.contains(QStringLiteral("minutes")))
            l.minutes = integer(required(o, path, QStringLiteral("minutes")), join(path, QStringLiteral("minutes")), 1);
        if (o.contains(QStringLiteral("unless"))) {
            const QString key = join(path, QStringLiteral("unless"));
            const QString unless = string(o.value(QStringLiteral("unless")), key);
            if (unless != QLatin1String("new-multiplier"))
                throw Fault{key, QCoreApplication::translate("vireo::RuleFile",
                                                             "неизвестное исключение %1 (возможно: new-multiplier)")
                                     .arg(quoted(unless))};
            l.unlessNewMultiplier = true;
        }
        return l;
    }

    static Definition definition(const QJsonObject &root)
    {
        onlyKeys(root, QString(),
                 {QStringLiteral("name"), QStringLiteral("cabrillo"), QStringLiteral("rules"), QStringLiteral("source"),
                  QStringLiteral("unconfirmed"), QStringLiteral("notes"), QStringLiteral("swl")});
        Definition d;
        d.name = string(required(root, QString(), QStringLiteral("name")), QStringLiteral("name")).trimmed();
        d.cabrillo = optionalString(root, QString(), QStringLiteral("cabrillo")).trimmed();
        d.rules = optionalString(root, QString(), QStringLiteral("rules")).trimmed();
        d.source = optionalString(root, QString(), QStringLiteral("source")).trimmed();
        d.notes = optionalString(root, QString(), QStringLiteral("notes"));
        if (root.contains(QStringLiteral("unconfirmed")))
            d.unconfirmed = strings(root.value(QStringLiteral("unconfirmed")), QStringLiteral("unconfirmed"));
        const QJsonObject swl = object(required(root, QString(), QStringLiteral("swl")), QStringLiteral("swl"));
        onlyKeys(swl, QStringLiteral("swl"),
                 {QStringLiteral("points"), QStringLiteral("multipliers"), QStringLiteral("limits"),
                  QStringLiteral("score")});
        if (swl.contains(QStringLiteral("score"))) {
            const QString score = string(swl.value(QStringLiteral("score")), QStringLiteral("swl.score"));
            if (score == QLatin1String("points-times-multipliers"))
                d.score = Definition::Score::PointsTimesMultipliers;
            else if (score == QLatin1String("multipliers-product"))
                d.score = Definition::Score::MultipliersProduct;
            else
                throw Fault{
                    QStringLiteral("swl.score"),
                    QCoreApplication::translate("vireo::RuleFile",
                                                "неизвестный способ подсчёта %1 (возможны: points-times-multipliers, "
                                                "multipliers-product)")
                        .arg(quoted(score))};
        }
        const QJsonObject points =
            object(required(swl, QStringLiteral("swl"), QStringLiteral("points")), QStringLiteral("swl.points"));
        onlyKeys(points, QStringLiteral("swl.points"), {QStringLiteral("both"), QStringLiteral("heard")});
        d.pointsBoth = integer(required(points, QStringLiteral("swl.points"), QStringLiteral("both")),
                               QStringLiteral("swl.points.both"), 0);
        d.pointsHeard = integer(required(points, QStringLiteral("swl.points"), QStringLiteral("heard")),
                                QStringLiteral("swl.points.heard"), 0);
        if (swl.contains(QStringLiteral("multipliers"))) {
            const QJsonArray a = array(swl.value(QStringLiteral("multipliers")), QStringLiteral("swl.multipliers"));
            for (int i = 0; i < a.size(); ++i)
                d.multipliers << multiplier(a.at(i), QStringLiteral("swl.multipliers[%1]").arg(i));
        }
        if (swl.contains(QStringLiteral("limits"))) {
            const QJsonArray a = array(swl.value(QStringLiteral("limits")), QStringLiteral("swl.limits"));
            for (int i = 0; i < a.size(); ++i)
                d.limits << limit(a.at(i), QStringLiteral("swl.limits[%1]").arg(i));
        }
        return d;
    }
};

// The line of a key; a key the file lacks is reported at its object.
int lineOf(const JsonLocator &where, QString path)
{
    for (;;) {
        if (const int line = where.line(path))
            return line;
        const int cut = std::max(path.lastIndexOf(QLatin1Char('.')), path.lastIndexOf(QLatin1Char('[')));
        if (cut <= 0)
            return 1;
        path.truncate(cut);
    }
}

} // namespace

Result<Definition> parseDefinition(const QByteArray &text, const QString &fileName)
{
    const QString head = QCoreApplication::translate("vireo::RuleFile", "Файл правил %1").arg(quoted(fileName));
    QJsonParseError e;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &e);
    if (e.error != QJsonParseError::NoError) {
        // The walk of the text says more exactly what is missing where; Qt's reader tells the rest.
        const JsonLocator where(text);
        const bool walked = !where.fault().isEmpty();
        const int offset = walked ? where.faultOffset() : e.offset;
        const QString key = where.keyBefore(offset);
        return Error(QCoreApplication::translate("vireo::RuleFile", "%1, строка %2%3: %4.")
                         .arg(head)
                         .arg(walked ? where.faultLine() : where.lineOfOffset(e.offset))
                         .arg(key.isEmpty()
                                  ? QString()
                                  : QCoreApplication::translate("vireo::RuleFile", ", после ключа %1").arg(quoted(key)))
                         .arg(walked ? where.fault() : jsonErrorText(e.error)));
    }
    if (!doc.isObject())
        return Error(QCoreApplication::translate("vireo::RuleFile",
                                                 "%1, строка 1: ожидается объект «{ … }» с ключами name и swl.")
                         .arg(head));
    try {
        Definition d = Reader::definition(doc.object());
        d.fileName = fileName;
        return d;
    } catch (const Fault &f) {
        const JsonLocator where(text);
        return Error(QCoreApplication::translate("vireo::RuleFile", "%1, строка %2, ключ %3: %4.")
                         .arg(head)
                         .arg(lineOf(where, f.path))
                         .arg(quoted(f.path), f.text));
    }
}

} // namespace vireo::rules
