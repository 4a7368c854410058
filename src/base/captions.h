#pragma once
// The captions of the program's message boxes, one per kind of box. Every box of the program
// takes its caption from here (through Prompts, base/services.h).

#include <QString>

namespace vireo::caption {

// Error boxes: the general error display and every other error of the program.
inline QString error()
{
    return QStringLiteral("Vireo");
}

// The error box of a report file that could not be created or written (Cabrillo, ADIF, the
// logger file, the saved findings and statistics; reportWritten in reports/report_file.h).
inline QString reportFileError()
{
    return QStringLiteral("Ошибка");
}

// Information and warning boxes.
inline QString notice()
{
    return QStringLiteral("Vireo");
}

// Yes/No and OK/Cancel questions.
inline QString question()
{
    return QStringLiteral("Vireo");
}

} // namespace vireo::caption
