#pragma once
// Windows-1251, the code page of the report files and settings.ini, so that files move between
// Windows and Linux computers unchanged.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace vireo::cp1251 {

// Characters that have no Windows-1251 form become "?"; a character outside the Basic
// Multilingual Plane becomes one "?".
QByteArray encode(const QString &text);
// The same, appended to out.
void appendEncoded(QByteArray &out, QStringView text);
// Every byte has a meaning in Windows-1251 except 0x98, which decodes to U+FFFD.
QString decode(const QByteArray &bytes);
// The same characters as UTF-8 bytes, appended to out at its end (past out's size, which it
// advances): for a reader that hands text on to SQLite without a QString in between.
void appendUtf8(QByteArray &out, QByteArrayView bytes);

} // namespace vireo::cp1251
