#pragma once
// The Russian region numbers of the call areas: a call-area digit followed by a letter.

#include <QString>
#include <QVector>

namespace vireo::region {

struct Entry {
    QString key; // digit and letter, upper case
    QString number; // region number as text
};

// The whole table, grouped by region number.
const QVector<Entry> &table();

// The region number of a key ("9A" -> "3"), letters compared without regard to case; empty
// when the key is not in the table.
QString numberForKey(const QString &key);

// The key of a call: the last digit and the character after it (one character when the call
// ends in its last digit, empty without digits).
QString keyOfCall(const QString &call);

// The region number of a call, empty when there is none.
QString regionNumber(const QString &call);

} // namespace vireo::region
