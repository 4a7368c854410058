#pragma once
// A report file being written: Windows-1251 text with CR LF line ends. Write errors are
// collected and tested once at the end, so that a full disk is reported instead of a success.

#include <QFile>
#include <QString>

namespace vireo {

class Prompts;

// How writing a report file ended.
enum class WriteResult {
    Ok, // everything written and closed
    OpenFailed, // the file could not be created; nothing written
    WriteFailed, // a write failed; what was written stays
};

// Shows the error box of a failed report (reportFileErrorCaption()); true when the file was written.
bool reportWritten(WriteResult result, Prompts &prompts);

class ReportFile {
public:
    static QString openFailureText(); // "Произошла ошибка открытия файла"
    static QString writeFailureText(); // "Произошла ошибка записи данных в файл"

    explicit ReportFile(const QString &path);

    // Creates the file, replacing an existing one. False when it cannot be created.
    bool open();
    // Writes one line followed by CR LF (buffered).
    void writeLine(const QString &line);
    // True while every write so far has succeeded (flushes what is buffered).
    bool writeStateOk();
    // Closes the file; true when everything written reached the file.
    bool close();

private:
    // Lines are collected and written in blocks of about this size.
    static constexpr qsizetype BufferBytes = 256 * 1024;
    void writeBuffer();

    QFile m_file;
    QByteArray m_buffer;
    bool m_failed = false;
};

} // namespace vireo
