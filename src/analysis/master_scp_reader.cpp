#include "analysis/master_scp_reader.h"

#include <QFile>

namespace vireo {

QString defaultMasterScpPath()
{
    return QStringLiteral("/usr/share/hamradio-files/MASTER.SCP");
}

QStringList masterScpCalls(const QString &path)
{
    QStringList calls;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return calls;
    const QByteArray all = f.readAll();
    for (const QByteArray &raw : all.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        calls << QString::fromLatin1(line).toUpper();
    }
    return calls;
}

} // namespace vireo
