#include "rig/rig_problem.h"

#include <QCoreApplication>

#include <cerrno>

namespace vireo::rig {

RigProblem problemFromErrno(int err)
{
    switch (err) {
    case 0:
        return RigProblem::None;
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
        return RigProblem::NoDevice;
    case EACCES:
    case EPERM:
    case EROFS:
        return RigProblem::NoPermission;
    case EBUSY:
        return RigProblem::DeviceBusy;
    default:
        return RigProblem::NoAnswer;
    }
}

RigProblem problemFromLog(const QString &log)
{
    // The last cause written counts: rigctld retries and may have got further since.
    struct Mark {
        const char *text;
        RigProblem problem;
    };
    static const Mark marks[] = {
        {"Permission denied", RigProblem::NoPermission},
        {"Operation not permitted", RigProblem::NoPermission},
        {"No such file or directory", RigProblem::NoDevice},
        {"No such device", RigProblem::NoDevice},
        {"Device or resource busy", RigProblem::DeviceBusy},
        {"Communication timed out", RigProblem::NoAnswer},
        {"Protocol error", RigProblem::NoAnswer},
    };
    int best = -1;
    RigProblem found = RigProblem::None;
    for (const Mark &m : marks) {
        const int at = log.lastIndexOf(QLatin1String(m.text));
        if (at > best) {
            best = at;
            found = m.problem;
        }
    }
    return found;
}

QString problemText(RigProblem problem, const QString &device)
{
    switch (problem) {
    case RigProblem::None:
        return QString();
    case RigProblem::NotInstalled:
        return QCoreApplication::translate("vireo::RigProblem",
                                           "Программа rigctld не установлена. Установите её командой\n"
                                           "sudo apt install libhamlib-utils");
    case RigProblem::NoDevice:
        return QCoreApplication::translate("vireo::RigProblem",
                                           "Порт %1 не найден: радио не подключено к компьютеру или выключено.")
            .arg(device);
    case RigProblem::NoPermission:
        return QCoreApplication::translate("vireo::RigProblem",
                                           "Нет прав на порт %1. Добавьте себя в группу dialout командой\n%2\n"
                                           "и войдите в систему заново.")
            .arg(device, dialoutCommand());
    case RigProblem::DeviceBusy:
        return QCoreApplication::translate("vireo::RigProblem", "Порт %1 занят другой программой.").arg(device);
    case RigProblem::NoAnswer:
        return QCoreApplication::translate("vireo::RigProblem",
                                           "Радио не отвечает: проверьте, что оно включено и что модель, "
                                           "порт и скорость выбраны верно.");
    case RigProblem::Exited:
        return QCoreApplication::translate("vireo::RigProblem", "Программа rigctld завершилась с ошибкой.");
    }
    return QString();
}

QString problemShort(RigProblem problem)
{
    switch (problem) {
    case RigProblem::None:
        return QString();
    case RigProblem::NotInstalled:
        return QCoreApplication::translate("vireo::RigProblem", "нет rigctld");
    case RigProblem::NoDevice:
        return QCoreApplication::translate("vireo::RigProblem", "нет порта");
    case RigProblem::NoPermission:
        return QCoreApplication::translate("vireo::RigProblem", "нет прав на порт");
    case RigProblem::DeviceBusy:
        return QCoreApplication::translate("vireo::RigProblem", "порт занят");
    case RigProblem::NoAnswer:
        return QCoreApplication::translate("vireo::RigProblem", "Радио не отвечает");
    case RigProblem::Exited:
        return QCoreApplication::translate("vireo::RigProblem", "rigctld завершился");
    }
    return QString();
}

} // namespace vireo::rig
