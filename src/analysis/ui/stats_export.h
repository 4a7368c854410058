#pragma once
// Saving the statistics: the table as a text report (Windows-1251, CR LF) and the plot as PNG.

#include "reports/report_file.h"

#include <QImage>

namespace vireo {

class ContestStats;

namespace statsexport {

WriteResult writeTable(const QString &path, const ContestStats &stats);
// Writes the whole image or nothing: a failed write leaves no file behind and an existing file as it was.
WriteResult writePng(const QString &path, const QImage &image);

} // namespace statsexport
} // namespace vireo
