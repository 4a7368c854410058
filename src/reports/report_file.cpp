#include "reports/report_file.h"

#include "base/captions.h"
#include "base/cp1251.h"
#include "base/services.h"

#include <QCoreApplication>

namespace vireo {

bool reportWritten(WriteResult result, Prompts &prompts)
{
    switch (result) {
    case WriteResult::OpenFailed:
        prompts.error(reportFileErrorCaption(), ReportFile::openFailureText());
        return false;
    case WriteResult::WriteFailed:
        prompts.error(reportFileErrorCaption(), ReportFile::writeFailureText());
        return false;
    case WriteResult::Ok:
        break;
    }
    return true;
}

QString ReportFile::openFailureText()
{
    return QCoreApplication::translate("vireo::ReportFile", "Произошла ошибка открытия файла");
}

QString ReportFile::writeFailureText()
{
    return QCoreApplication::translate("vireo::ReportFile", "Произошла ошибка записи данных в файл");
}

ReportFile::ReportFile(const QString &path) : m_file(path)
{
    m_buffer.reserve(BufferBytes + 4096);
}

bool ReportFile::open()
{
    return m_file.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

void ReportFile::writeLine(const QString &line)
{
    if (m_failed)
        return;
    cp1251::appendEncoded(m_buffer, line);
    m_buffer += "\r\n";
    if (m_buffer.size() >= BufferBytes)
        writeBuffer();
}

void ReportFile::writeBuffer()
{
    if (!m_failed && !m_buffer.isEmpty() && m_file.write(m_buffer) != m_buffer.size())
        m_failed = true;
    m_buffer.clear();
}

bool ReportFile::writeStateOk()
{
    writeBuffer();
    if (!m_failed && !m_file.flush())
        m_failed = true;
    return !m_failed;
}

bool ReportFile::close()
{
    const bool ok = writeStateOk();
    m_file.close();
    return ok && m_file.error() == QFileDevice::NoError;
}

} // namespace vireo
