#include "base/ini_file.h"

#include "base/cp1251.h"
#include "base/error.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace vireo {

namespace {

QString sectionName(const QString &line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return {};
    const int close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return {};
    return t.mid(1, close - 1).trimmed();
}

bool isSectionLine(const QString &line)
{
    const QString t = line.trimmed();
    return t.startsWith(QLatin1Char('[')) && t.indexOf(QLatin1Char(']')) > 0;
}

// Removes trailing blanks (spaces and tabs) only.
QString chopTrailing(QString s)
{
    int n = s.size();
    while (n > 0 && (s.at(n - 1) == QLatin1Char(' ') || s.at(n - 1) == QLatin1Char('\t')))
        --n;
    s.truncate(n);
    return s;
}

QString unquote(const QString &v)
{
    if (v.size() >= 2) {
        const QChar f = v.front();
        if ((f == QLatin1Char('"') || f == QLatin1Char('\'')) && v.back() == f)
            return v.mid(1, v.size() - 2);
    }
    return v;
}

// The file's text: Windows-1251, or UTF-8 after a byte-order mark (which editors on Windows
// write when a file is saved as UTF-8); the mark itself is not part of the first line.
QString decodeText(const QByteArray &bytes)
{
    static const QByteArray Bom("\xEF\xBB\xBF");
    if (!bytes.startsWith(Bom))
        return cp1251::decode(bytes);
    const QByteArray rest = bytes.mid(Bom.size());
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(rest);
    return utf8.hasError() ? cp1251::decode(rest) : text;
}

} // namespace

IniFile::IniFile(const QString &path) : m_path(path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return;
    QFile f(path);
    QByteArray bytes;
    if (!info.isFile() || info.size() > MaxFileSize || !f.open(QIODevice::ReadOnly)
        || (bytes = f.readAll()).size() != info.size() || f.error() != QFileDevice::NoError) {
        m_unreadable = true;
        return;
    }
    QString text = decodeText(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_lines = text.split(QLatin1Char('\n'));
    if (!m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast();
}

int IniFile::findSection(const QString &section) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        if (isSectionLine(m_lines.at(i)) && sectionName(m_lines.at(i)).compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int IniFile::findKey(int sectionLine, const QString &key, int *endOfSection) const
{
    int lastContent = sectionLine;
    int found = -1;
    for (int i = sectionLine + 1; i < m_lines.size(); ++i) {
        const QString &line = m_lines.at(i);
        if (isSectionLine(line))
            break;
        if (!line.trimmed().isEmpty())
            lastContent = i;
        if (found >= 0)
            continue;
        const QString t = line.trimmed();
        if (t.startsWith(QLatin1Char(';')))
            continue;
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        if (line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            found = i;
    }
    if (endOfSection)
        *endOfSection = lastContent;
    return found;
}

bool IniFile::rawValue(const QString &section, const QString &key, QString *value) const
{
    const int s = findSection(section);
    if (s < 0)
        return false;
    const int k = findKey(s, key, nullptr);
    if (k < 0)
        return false;
    const QString &line = m_lines.at(k);
    *value = unquote(line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed());
    return true;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    QString v;
    if (rawValue(section, key, &v))
        return v;
    return chopTrailing(defaultValue);
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    QString v;
    if (!rawValue(section, key, &v))
        return defaultValue;
    bool ok = false;
    const int n = v.toInt(&ok, 10);
    return ok ? n : defaultValue;
}

double IniFile::readFloat(const QString &section, const QString &key, double defaultValue) const
{
    QString v;
    if (!rawValue(section, key, &v))
        return defaultValue;
    v.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? d : defaultValue;
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    QStringList lines = m_lines;
    // Keys and values are single lines in this format.
    QString v = value;
    v.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString entry = key + QLatin1Char('=') + v;
    const int s = findSection(section);
    if (s < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines.append(QString());
        lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        lines.append(entry);
    } else {
        int end = s;
        const int k = findKey(s, key, &end);
        if (k >= 0)
            lines[k] = entry;
        else
            lines.insert(end + 1, entry);
    }
    save(lines);
    m_lines = lines;
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeFloat(const QString &section, const QString &key, double value)
{
    writeString(section, key, QString::number(value, 'g', 15));
}

void IniFile::save(const QStringList &lines) const
{
    if (m_unreadable)
        throw Error(QCoreApplication::translate(
                        "vireo::IniFile", "Файл настроек %1 не удалось прочитать целиком, поэтому он не перезаписан")
                        .arg(m_path));
    const QString failure =
        QCoreApplication::translate("vireo::IniFile", "Не удалось записать файл настроек %1").arg(m_path);
    const QFileInfo info(m_path);
    // A read-only settings file stays unchanged, as it would on Windows (even for root).
    if (info.exists() && (!info.isFile() || !info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner)))
        throw Error(failure);
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += cp1251::encode(line);
        bytes += "\r\n";
    }
    QSaveFile out(m_path);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        throw Error(failure);
}

} // namespace vireo
