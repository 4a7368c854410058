#include "reports/report_file.h"

#include "base/cp1251.h"
#include "base/services.h"

namespace vireo {

bool reportWritten(WriteResult result, Prompts &prompts)
{
    switch (result) {
    case WriteResult::OpenFailed:
        prompts.error(QStringLiteral("Ошибка"), ReportFile::openFailureText());
        return false;
    case WriteResult::WriteFailed:
        prompts.error(QStringLiteral("Ошибка"), ReportFile::writeFailureText());
        return false;
    case WriteResult::Ok:
        break;
    }
    return true;
}

QString ReportFile::openFailureText()
{
    return QStringLiteral("Произошла ошибка открытия файла");
}

QString ReportFile::writeFailureText()
{
    return QStringLiteral("Произошла ошибка записи данных в файл");
}

ReportFile::ReportFile(const QString &path)
    : m_file(path)
{
}

bool ReportFile::open()
{
    return m_file.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

void ReportFile::writeLine(const QString &line)
{
    if (m_failed)
        return;
    QByteArray bytes = cp1251::encode(line);
    bytes += "\r\n";
    if (m_file.write(bytes) != bytes.size())
        m_failed = true;
}

bool ReportFile::writeStateOk()
{
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
