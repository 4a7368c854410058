#pragma once
// The main window's save dialog for the ADIF and logger files, and its open dialog for the
// logger file.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QString>

namespace vireo::reportdialog {

inline QString saveTitle()
{
    return QCoreApplication::translate("vireo::ReportDialog", "Сохранить файл");
}

// The stray double quote after *.adif is part of the filter as it has always been written.
inline QString saveFilter()
{
    return QCoreApplication::translate("vireo::ReportDialog", "Файлы отчетов (*.cbr *.scl *.adif\");;Все файлы (*.*)");
}

inline QString openTitle()
{
    return QCoreApplication::translate("vireo::ReportDialog", "Открыть файл");
}

inline QString openFilter()
{
    return QCoreApplication::translate("vireo::ReportDialog", "Файлы логгера (*.scl)");
}

// "Выгрузка невозможна!" when my call or the contest name is empty.
inline QString missingFieldsText()
{
    return QCoreApplication::translate("vireo::ReportDialog",
                                       "Выгрузка невозможна!\n\rНе заполнены поля \"Позывной\" или \"Contest\"");
}

// The closing message of an export: the full path of the file written, format "ADIF" or "SCL".
inline QString doneText(const QString &path, const QString &format)
{
    return QCoreApplication::translate("vireo::ReportDialog", "Выгрузка в файл  %1  формата \"%2\" произведена!")
        .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), format);
}

// The closing message of the logger-file import.
inline QString loadedText(const QString &path, int records)
{
    return QCoreApplication::translate("vireo::ReportDialog",
                                       "Загрузка из файла  %1  произведена! Загружено записей: %2.")
        .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), QString::number(records));
}

} // namespace vireo::reportdialog
