#include "rig/rig_replies.h"

#include "rig/rig_display.h"

namespace vireo::rig {

QString rprtText(int code)
{
    // Hamlib's error codes (rig_errcode_e), as rigctld reports them with a minus sign.
    static const char *const Meanings[] = {
        "",
        "неверный параметр",
        "неверная настройка",
        "не хватает памяти",
        "команда не реализована для этого радио",
        "радио не ответило вовремя",
        "ошибка обмена с радио",
        "внутренняя ошибка Hamlib",
        "ошибка протокола радио",
        "радио отвергло команду",
        "ответ радио обрезан",
        "функция недоступна на этом радио",
        "цель команды недоступна",
        "ошибка шины",
        "шина занята",
        "неверный аргумент",
        "неверный VFO",
        "значение вне допустимых пределов",
        "функция устарела",
        "отказано по соображениям безопасности",
        "радио выключено",
    };
    const int n = -code;
    const QString head = QStringLiteral("rigctld ответил RPRT %1").arg(code);
    if (n > 0 && n < int(sizeof Meanings / sizeof *Meanings))
        return head + QStringLiteral(": ") + QString::fromUtf8(Meanings[n]);
    return head;
}

QString modeRefusedText(int rig, const QString &modeName, int code)
{
    return QStringLiteral("Радио %1 не перешло на %2 (%3); частота не изменена.")
        .arg(rig)
        .arg(modeName, rprtText(code));
}

QString frequencyRefusedText(int rig, qint64 hz, int code)
{
    return QStringLiteral("Радио %1 не перестроилось на %2 кГц (%3).").arg(rig).arg(frequencyText(hz), rprtText(code));
}

QString notOnlineText(int rig)
{
    return QStringLiteral("Радио %1 не на связи: перестроить его нельзя.").arg(rig);
}

QString tuneLostText(int rig, const QString &why)
{
    return QStringLiteral("Радио %1 не перестроено: %2.").arg(rig).arg(why);
}

QString notTunableText(int rig)
{
    return QStringLiteral("Радио %1 нельзя перестроить из Vireo.").arg(rig);
}

} // namespace vireo::rig
