#include "db/copy_reader.h"

#include "base/error.h"
#include "db/database_error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

#include <sqlite3.h>

namespace vireo::logbackup {

namespace {

const char *const SideSuffixes[] = {"-wal", "-journal"};

// Bytes 18 and 19 of the header: 2 for a file in write-ahead mode.
bool headerSaysWal(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(20);
    return head.size() == 20 && (head.at(18) == 2 || head.at(19) == 2);
}

} // namespace

QString describe(int code, const QString &message)
{
    switch (code & 0xff) {
    case SQLITE_NOTADB:
        return QCoreApplication::translate("vireo::CopyReader", "файл не является базой данных");
    case SQLITE_CORRUPT:
        return QCoreApplication::translate("vireo::CopyReader", "данные в файле испорчены");
    case SQLITE_CANTOPEN:
        return QCoreApplication::translate("vireo::CopyReader", "файл не открывается");
    case SQLITE_FULL:
        return QCoreApplication::translate("vireo::CopyReader", "на диске нет места — освободите место на диске (%1)")
            .arg(message);
    case SQLITE_IOERR:
        return QCoreApplication::translate("vireo::CopyReader", "ошибка чтения или записи диска — проверьте диск (%1)")
            .arg(message);
    default:
        return DatabaseError::reason(code, message);
    }
}

QStringList sideFilesOf(const QString &copyPath)
{
    QStringList found;
    for (const char *suffix : SideSuffixes)
        if (QFileInfo::exists(copyPath + QLatin1String(suffix)))
            found << copyPath + QLatin1String(suffix);
    return found;
}

CopyReader::CopyReader(const QString &copyPath, bool selfContained)
{
    const QStringList side = sideFilesOf(copyPath);
    int rc;
    if (side.isEmpty() && !(selfContained && headerSaysWal(copyPath))) {
        // immutable: no lock, no -shm, no journal looked for; a finished copy never changes.
        QUrl uri = QUrl::fromLocalFile(QFileInfo(copyPath).absoluteFilePath());
        uri.setQuery(QStringLiteral("mode=ro&immutable=1"));
        rc = sqlite3_open_v2(uri.toEncoded().constData(), &m_db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    } else {
        m_temp = std::make_unique<QTemporaryDir>();
        if (!m_temp->isValid())
            throw Error(QCoreApplication::translate("vireo::CopyReader",
                                                    "не удалось создать временную папку для чтения копии"));
        const QString name = QFileInfo(copyPath).fileName();
        const QString whole = m_temp->filePath(name);
        if (!QFile::copy(copyPath, whole))
            throw Error(QCoreApplication::translate("vireo::CopyReader", "файл не читается"));
        for (const QString &file : side)
            if (!QFile::copy(file, m_temp->filePath(QFileInfo(file).fileName())))
                throw Error(QCoreApplication::translate("vireo::CopyReader", "файл %1 не читается")
                                .arg(QFileInfo(file).fileName()));
        rc = sqlite3_open_v2(QFile::encodeName(whole).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        if (rc == SQLITE_OK) {
            // Replays the -wal file or rolls a cut-off change back, and leaves one whole file
            // in rollback-journal mode.
            sqlite3_busy_timeout(m_db, 5000);
            rc = sqlite3_exec(m_db, "PRAGMA journal_mode = DELETE", nullptr, nullptr, nullptr);
        }
    }
    if (rc != SQLITE_OK) {
        const QString why = describe(rc, message());
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw Error(why);
    }
    sqlite3_extended_result_codes(m_db, 1);
}

CopyReader::~CopyReader()
{
    if (m_db)
        sqlite3_close_v2(m_db);
}

QString CopyReader::message() const
{
    return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db))
                : QCoreApplication::translate("vireo::CopyReader", "нет памяти");
}

} // namespace vireo::logbackup
