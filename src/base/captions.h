#pragma once
// The captions of the program's message boxes, one per kind of box. Every box of the program
// takes its caption from here (through Prompts, base/services.h).

#include <QCoreApplication>
#include <QString>

namespace vireo {

// Error boxes: the general error display and every other error of the program.
inline QString errorCaption()
{
    return QStringLiteral("Vireo");
}

// The error box of a report file that could not be created or written (Cabrillo, ADIF, the
// logger file, the saved findings and statistics; reportWritten in reports/report_file.h).
inline QString reportFileErrorCaption()
{
    return QCoreApplication::translate("vireo::Captions", "Ошибка");
}

// Information and warning boxes.
inline QString noticeCaption()
{
    return QStringLiteral("Vireo");
}

// Yes/No and OK/Cancel questions.
inline QString questionCaption()
{
    return QStringLiteral("Vireo");
}

} // namespace vireo
