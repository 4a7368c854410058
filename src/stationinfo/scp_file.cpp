#include "stationinfo/scp_file.h"

#include <QCoreApplication>
#include <QSet>

namespace vireo {

namespace {

// A call: letters, digits and "/", with at least one letter and one digit.
bool looksLikeCall(const QByteArray &s)
{
    if (s.size() < 3 || s.size() > 15)
        return false;
    bool letter = false, digit = false;
    for (char c : s) {
        if (c >= 'A' && c <= 'Z')
            letter = true;
        else if (c >= '0' && c <= '9')
            digit = true;
        else if (c != '/')
            return false;
    }
    return letter && digit;
}

} // namespace

ScpContents readScp(const QByteArray &text)
{
    ScpContents out;
    QSet<QByteArray> seen;
    int lineNo = 0;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = text.indexOf('\n', pos);
        if (end < 0)
            end = text.size();
        ++lineNo;
        const QByteArray line = text.mid(pos, end - pos).trimmed();
        pos = end + 1;
        if (line.isEmpty())
            continue;
        if (line.startsWith('#')) {
            const QByteArray comment = line.mid(1).trimmed();
            if (out.release.isEmpty() && comment.toLower().startsWith("release"))
                out.release = QString::fromLatin1(comment);
            continue;
        }
        const QByteArray call = line.toUpper();
        if (line.contains('\0') || !looksLikeCall(call))
            throw LineError(lineNo, line.contains('\0')
                                        ? QCoreApplication::translate("vireo::ScpFile", "это не текстовый файл")
                                        : QCoreApplication::translate("vireo::ScpFile", "«%1» не похоже на позывной")
                                              .arg(QString::fromLatin1(line.left(40))));
        if (!seen.contains(call)) {
            seen.insert(call);
            out.calls << QString::fromLatin1(call);
        }
    }
    if (out.calls.isEmpty())
        throw LineError(lineNo, QCoreApplication::translate("vireo::ScpFile", "в файле нет ни одного позывного"));
    return out;
}

} // namespace vireo
