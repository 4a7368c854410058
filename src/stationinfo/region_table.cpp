#include "stationinfo/region_table.h"

#include <QHash>

namespace vireo::region {

namespace {

struct Group {
    const char *number;
    char digit;
    const char *letters;
};

const Group Groups[] = {
    {"1", '1', "ABCDEFGJKLMNOPQRSTWXYZ"},
    {"1", '2', "FK"},
    {"2", '2', "CDEGHILMNOPQRSTUVWXYZ"},
    {"2", '3', "ABCDEFGHIKLMNOPQRSTUVWXYZ"},
    {"2", '4', "ABCDFHILMNOPQRSUWYZ"},
    {"2", '5', "ABDEGHIKLMNOPQRSTUVWXYZ"},
    {"2", '6', "ABCDEFGHIJLMNPQTUVWXY"},
    {"2", '7', "ABCDEFGHIJLMNPQTUVWXY"},
    {"3", '8', "ABCDFGLQRSTWX"},
    {"3", '9', "ABCDFGLQRSTWX"},
    {"4", '8', "HIJKMNOPUVYZ"},
    {"4", '9', "HIJKMNOPUVYZ"},
    {"4", '0', "ABWY"},
    {"5", '0', "ORSTUV"},
    {"6", '0', "CDEFHJLMNQ"},
    {"7", '0', "IKXZ"},
    {"12", '5', "C"},
};

QVector<Entry> build()
{
    QVector<Entry> entries;
    for (const Group &g : Groups)
        for (const char *l = g.letters; *l; ++l)
            entries.append(Entry{QString(QLatin1Char(g.digit)) + QLatin1Char(*l), QString::fromLatin1(g.number)});
    return entries;
}

const QHash<QString, QString> &index()
{
    static const QHash<QString, QString> byKey = [] {
        QHash<QString, QString> h;
        for (const Entry &e : table())
            h.insert(e.key, e.number);
        return h;
    }();
    return byKey;
}

} // namespace

const QVector<Entry> &table()
{
    static const QVector<Entry> entries = build();
    return entries;
}

QString numberForKey(const QString &key)
{
    return index().value(key.toUpper());
}

QString keyOfCall(const QString &call)
{
    for (int i = call.size() - 1; i >= 0; --i) {
        const QChar c = call.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            return call.mid(i, 2);
    }
    return QString();
}

QString regionNumber(const QString &call)
{
    const QString key = keyOfCall(call);
    if (key.isEmpty())
        return QString();
    return numberForKey(key);
}

} // namespace vireo::region
