#include "contest_rules/json_locator.h"

#include <QCoreApplication>
#include <QVector>

#include <algorithm>

namespace vireo::rules {

JsonLocator::JsonLocator(const QByteArray &text) : m_text(text)
{
    skipBlanks();
    if (!atEnd())
        walkValue(QString());
}

void JsonLocator::skipBlanks()
{
    while (!atEnd()) {
        const char c = m_text.at(m_pos);
        if (c == '\n')
            ++m_line;
        else if (c != ' ' && c != '\t' && c != '\r')
            return;
        ++m_pos;
    }
}

QString JsonLocator::readString()
{
    // m_pos stands on the opening quote.
    const int start = ++m_pos;
    QByteArray raw;
    while (!atEnd()) {
        const char c = m_text.at(m_pos);
        if (c == '"') {
            raw = m_text.mid(start, m_pos - start);
            ++m_pos;
            return QString::fromUtf8(raw);
        }
        if (c == '\\')
            ++m_pos;
        else if (c == '\n')
            ++m_line;
        ++m_pos;
    }
    fail(QCoreApplication::translate("vireo::RuleFile", "строка не закрыта кавычкой"));
    return QString();
}

void JsonLocator::walkValue(const QString &path)
{
    skipBlanks();
    if (m_broken)
        return;
    if (atEnd())
        return fail(QCoreApplication::translate("vireo::RuleFile", "нет значения"));
    const char c = m_text.at(m_pos);
    if (c == '{' || c == '[') {
        // A definition is a few levels deep; a file nested deeper is not one, and walking it
        // would only eat the stack.
        if (m_depth >= MaxDepth)
            return fail(QCoreApplication::translate("vireo::RuleFile", "слишком глубокая вложенность"));
        ++m_depth;
        if (c == '{')
            walkObject(path);
        else
            walkArray(path);
        --m_depth;
    } else if (c == '"') {
        readString();
    } else {
        // A number or a literal: up to the next structural character.
        while (!atEnd()) {
            const char d = m_text.at(m_pos);
            if (d == ',' || d == '}' || d == ']' || d == ' ' || d == '\t' || d == '\r' || d == '\n')
                break;
            ++m_pos;
        }
    }
}

void JsonLocator::fail(const QString &what)
{
    if (!m_broken) {
        m_fault = what;
        m_faultOffset = m_pos;
        m_faultLine = m_line;
    }
    m_broken = true;
}

void JsonLocator::walkObject(const QString &path)
{
    ++m_pos; // '{'
    bool first = true;
    for (;;) {
        skipBlanks();
        if (atEnd())
            return fail(QCoreApplication::translate("vireo::RuleFile", "объект не закрыт знаком «}»"));
        char c = m_text.at(m_pos);
        if (c == '}') {
            ++m_pos;
            return;
        }
        if (!first) {
            if (c != ',')
                return fail(QCoreApplication::translate("vireo::RuleFile", "между значениями нет запятой"));
            ++m_pos;
            skipBlanks();
            if (atEnd())
                return fail(QCoreApplication::translate("vireo::RuleFile", "объект не закрыт знаком «}»"));
            c = m_text.at(m_pos);
        }
        if (c != '"')
            return fail(QCoreApplication::translate("vireo::RuleFile", "ожидается имя ключа в кавычках"));
        const int keyOffset = m_pos;
        const int keyLine = m_line;
        const QString key = readString();
        const QString keyPath = path.isEmpty() ? key : path + QLatin1Char('.') + key;
        if (!m_lines.contains(keyPath))
            m_lines.insert(keyPath, keyLine);
        m_keys.append({keyOffset, keyPath});
        skipBlanks();
        if (atEnd() || m_text.at(m_pos) != ':')
            return fail(QCoreApplication::translate("vireo::RuleFile", "после имени ключа нет двоеточия"));
        ++m_pos;
        walkValue(keyPath);
        if (m_broken)
            return;
        first = false;
    }
}

void JsonLocator::walkArray(const QString &path)
{
    ++m_pos; // '['
    int index = 0;
    for (;;) {
        skipBlanks();
        if (atEnd())
            return fail(QCoreApplication::translate("vireo::RuleFile", "список не закрыт знаком «]»"));
        const char c = m_text.at(m_pos);
        if (c == ']') {
            ++m_pos;
            return;
        }
        if (index > 0) {
            if (c != ',')
                return fail(QCoreApplication::translate("vireo::RuleFile", "между значениями нет запятой"));
            ++m_pos;
            skipBlanks();
            if (atEnd())
                return fail(QCoreApplication::translate("vireo::RuleFile", "список не закрыт знаком «]»"));
        }
        const QString element = path + QStringLiteral("[%1]").arg(index++);
        if (!m_lines.contains(element))
            m_lines.insert(element, m_line);
        walkValue(element);
        if (m_broken)
            return;
    }
}

int JsonLocator::lineOfOffset(int offset) const
{
    const int end = std::min<int>(offset, m_text.size());
    return 1 + int(std::count(m_text.constBegin(), m_text.constBegin() + std::max(0, end), '\n'));
}

QString JsonLocator::keyBefore(int offset) const
{
    QString found;
    for (const auto &k : m_keys) {
        if (k.first >= offset)
            break;
        found = k.second;
    }
    return found;
}

} // namespace vireo::rules
