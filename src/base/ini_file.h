#pragma once
// settings.ini with the semantics of the Windows private-profile functions: section and key
// names match without regard to case, values are trimmed when read (and so are the trailing
// blanks of defaults), a missing file, section or key gives the default, and every write goes
// to the file at once, replacing a value in place and keeping every other line as it stands.
// The file is kept in Windows-1251 with CR LF line ends.

#include <QString>
#include <QStringList>

namespace vireo {

class IniFile {
public:
    // Reads the whole file if it exists, skipping a UTF-8 byte-order mark (the text after one is
    // read as UTF-8). A file that exists but cannot be read whole reads as missing, and every
    // write to it then fails naming the file, so that its lines are never lost.
    explicit IniFile(const QString &path);

    const QString &path() const { return m_path; }

    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;
    // A value that is not a whole decimal number reads as the default.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    // "." and "," both count as the decimal point; a value that does not parse reads as the default.
    double readFloat(const QString &section, const QString &key, double defaultValue) const;
    // Whether the file has a section of that name (even an empty one).
    bool hasSection(const QString &section) const { return findSection(section) >= 0; }

    // Each write stores the whole file at once. A write that fails throws vireo::Error naming
    // the file; the value is then not kept in memory either.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeFloat(const QString &section, const QString &key, double value);

    // Files larger than this are not read at all (their values read as defaults) and never written.
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

private:
    int findSection(const QString &section) const; // line of "[section]" or -1
    int findKey(int sectionLine, const QString &key, int *endOfSection) const;
    bool rawValue(const QString &section, const QString &key, QString *value) const;
    void save(const QStringList &lines) const;

    QString m_path;
    QStringList m_lines;
    bool m_unreadable = false; // the file exists but was not read whole
};

} // namespace vireo
