#include "rig/rig_replies.h"

#include "rig/rig_display.h"

#include <QCoreApplication>

namespace vireo::rig {

QString rprtText(int code)
{
    // Hamlib's error codes (rig_errcode_e), as rigctld reports them with a minus sign.
    static const char *const Meanings[] = {
        "",
        QT_TRANSLATE_NOOP("vireo::RigReplies", "неверный параметр"),
        QT_TRANSLATE_NOOP("vireo::RigReplies", "неверная настройка"),
        QT_TRANSLATE_NOOP("vireo::RigReplies", "не хватает памяти"),
        QT_TRANSLATE_NOOP("vireo::RigReplies", "команда не реализована для этого радио"),
        QT_TRANSLATE_NOOP("vireo::RigReplies", "радио не ответило вовремя"),
        QT_TRANSLATE_NOOP("vireo::RigReplies", "ошибка обмена с радио"),
        QT_TRANSLATE_NOOP("vireo::RigReplies", "внутренняя ошибка Hamlib"),
        QT_TRANSLATE_NOOP("vireo::RigReplies", "ошибка протокола радио"),
        QT_TRANSLATE_NOOP("vireo::RigReplies", "радио отвергло команду"),
        QT_TRANSLATE_NOOP("vireo::RigReplies", "ответ радио обрезан"),
        QT_TRANSLATE_NOOP("vireo::RigReplies", "функция недоступна на этом радио"),
        QT_TRANSLATE_NOOP("vireo::RigReplies", "цель команды недоступна"),
        QT_TRANSLATE_NOOP("vireo::RigReplies", "ошибка шины"),
        QT_TRANSLATE_NOOP("vireo::RigReplies", "шина занята"),
        QT_TRANSLATE_NOOP("vireo::RigReplies", "неверный аргумент"),
        QT_TRANSLATE_NOOP("vireo::RigReplies", "неверный VFO"),
        QT_TRANSLATE_NOOP("vireo::RigReplies", "значение вне допустимых пределов"),
        QT_TRANSLATE_NOOP("vireo::RigReplies", "функция устарела"),
        QT_TRANSLATE_NOOP("vireo::RigReplies", "отказано по соображениям безопасности"),
        QT_TRANSLATE_NOOP("vireo::RigReplies", "радио выключено"),
    };
    const int n = -code;
    const QString head = QCoreApplication::translate("vireo::RigReplies", "rigctld ответил RPRT %1").arg(code);
    if (n > 0 && n < int(sizeof Meanings / sizeof *Meanings))
        return head + QStringLiteral(": ") + QCoreApplication::translate("vireo::RigReplies", Meanings[n]);
    return head;
}

QString modeRefusedText(int rig, const QString &modeName, int code)
{
    return QCoreApplication::translate("vireo::RigReplies", "Радио %1 не перешло на %2 (%3); частота не изменена.")
        .arg(rig)
        .arg(modeName, rprtText(code));
}

QString frequencyRefusedText(int rig, qint64 hz, int code)
{
    return QCoreApplication::translate("vireo::RigReplies", "Радио %1 не перестроилось на %2 кГц (%3).")
        .arg(rig)
        .arg(frequencyText(hz), rprtText(code));
}

QString notOnlineText(int rig)
{
    return QCoreApplication::translate("vireo::RigReplies", "Радио %1 не на связи: перестроить его нельзя.").arg(rig);
}

QString tuneLostText(int rig, const QString &why)
{
    return QCoreApplication::translate("vireo::RigReplies", "Радио %1 не перестроено: %2.").arg(rig).arg(why);
}

QString notTunableText(int rig)
{
    return QCoreApplication::translate("vireo::RigReplies", "Радио %1 нельзя перестроить из Vireo.").arg(rig);
}

} // namespace vireo::rig
