#pragma once
// Where the keys of a JSON text stand, so that a message about a value can name its line: Qt's
// JSON reader gives the values but not their places. Paths are written as the manual writes them:
// "swl.limits[1].kind"; an element of an array is "swl.limits[1]".

#include <QByteArray>
#include <QHash>
#include <QString>

namespace vireo::rules {

class JsonLocator {
public:
    // Walks the text once. A text that is not JSON is walked as far as it goes.
    explicit JsonLocator(const QByteArray &text);

    // The 1-based line of the key (or array element) at path; 0 when it is not in the text.
    int line(const QString &path) const { return m_lines.value(path, 0); }
    // The 1-based line of a byte offset of the text.
    int lineOfOffset(int offset) const;
    // The path of the last key that stands before the offset; empty when none does.
    QString keyBefore(int offset) const;

    // What broke off the walk of a text that is not JSON (a comma or colon missing, an object or
    // list not closed), where; empty when the walk found nothing wrong.
    const QString &fault() const { return m_fault; }
    int faultOffset() const { return m_faultOffset; }
    int faultLine() const { return m_faultLine; }

private:
    void walkValue(const QString &path);
    void walkObject(const QString &path);
    void walkArray(const QString &path);
    void skipBlanks();
    void fail(const QString &what);
    QString readString();
    bool atEnd() const { return m_pos >= m_text.size(); }

    static constexpr int MaxDepth = 32;

    QByteArray m_text;
    int m_pos = 0;
    int m_depth = 0;
    int m_line = 1;
    bool m_broken = false;
    QString m_fault;
    int m_faultOffset = 0;
    int m_faultLine = 0;
    QHash<QString, int> m_lines;
    QVector<QPair<int, QString>> m_keys; // offset of each key, in text order, with its path
};

} // namespace vireo::rules
