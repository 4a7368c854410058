#pragma once
// The main window's save dialog for the ADIF and logger files, and its open dialog for the
// logger file.

#include <QDir>
#include <QFileInfo>
#include <QString>

namespace vireo::reportdialog {

inline QString saveTitle()
{
    return QStringLiteral("Сохранить файл");
}

// The stray double quote after *.adif is part of the filter as it has always been written.
inline QString saveFilter()
{
    return QStringLiteral("Файлы отчетов (*.cbr *.scl *.adif\");;Все файлы (*.*)");
}

inline QString openTitle()
{
    return QStringLiteral("Открыть файл");
}

inline QString openFilter()
{
    return QStringLiteral("Файлы логгера (*.scl)");
}

// "Выгрузка невозможна!" when my call or the contest name is empty.
inline QString missingFieldsText()
{
    return QStringLiteral("Выгрузка невозможна!\n\rНе заполнены поля \"Позывной\" или \"Contest\"");
}

// The closing message of an export: the full path of the file written, format "ADIF" or "SCL".
inline QString doneText(const QString &path, const QString &format)
{
    return QStringLiteral("Выгрузка в файл  ") + QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())
           + QStringLiteral("  формата \"") + format + QStringLiteral("\" произведена!");
}

// The closing message of the logger-file import.
inline QString loadedText(const QString &path, int records)
{
    return QStringLiteral("Загрузка из файла  ") + QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())
           + QStringLiteral("  произведена! Загружено записей: ") + QString::number(records) + QLatin1Char('.');
}

} // namespace vireo::reportdialog
