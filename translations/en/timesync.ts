<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>vireo::Sntp</name>
    <message>
        <source>ответ верен</source>
        <translation>the reply is valid</translation>
    </message>
    <message>
        <source>ответ короче 48 байт</source>
        <translation>the reply is shorter than 48 bytes</translation>
    </message>
    <message>
        <source>ответ длиннее 48 байт</source>
        <translation>the reply is longer than 48 bytes</translation>
    </message>
    <message>
        <source>ответил не сервер</source>
        <translation>the reply did not come from a server</translation>
    </message>
    <message>
        <source>сервер не синхронизирован</source>
        <translation>the server is not synchronized</translation>
    </message>
    <message>
        <source>недопустимый уровень сервера (stratum)</source>
        <translation>invalid server stratum</translation>
    </message>
    <message>
        <source>ответ не на этот запрос</source>
        <translation>the reply is not for this request</translation>
    </message>
    <message>
        <source>в ответе нет времени отправки</source>
        <translation>the reply has no transmit time</translation>
    </message>
    <message>
        <source>%1%2.%3 с</source>
        <translation>%1%2.%3 s</translation>
    </message>
</context>
<context>
    <name>vireo::SntpClient</name>
    <message>
        <source>Адрес сервера %1 не найден за отведённое время.</source>
        <translation>Server address %1 was not found in time.</translation>
    </message>
    <message>
        <source>Сервер %1 не ответил за %2 мс.</source>
        <translation>Server %1 did not answer within %2 ms.</translation>
    </message>
    <message>
        <source>Сервер времени не указан.</source>
        <translation>No time server given.</translation>
    </message>
    <message>
        <source>Адрес %1 — не адрес IPv4.</source>
        <translation>Address %1 is not an IPv4 address.</translation>
    </message>
    <message>
        <source>Адрес сервера %1 не найден (%2).</source>
        <translation>Server address %1 not found (%2).</translation>
    </message>
    <message>
        <source>У сервера %1 нет адреса IPv4.</source>
        <translation>Server %1 has no IPv4 address.</translation>
    </message>
    <message>
        <source>Не удалось открыть порт для запроса времени (%1).</source>
        <translation>Could not open a port for the time request (%1).</translation>
    </message>
    <message>
        <source>Запрос серверу %1 не отправлен (%2).</source>
        <translation>The request to server %1 was not sent (%2).</translation>
    </message>
    <message>
        <source>Ответ сервера %1 не принят: %2.</source>
        <translation>The reply of server %1 was rejected: %2.</translation>
    </message>
</context>
<context>
    <name>vireo::TSntp</name>
    <message>
        <source>Синхронизация времени... подождите!</source>
        <translation>Synchronizing the clock... please wait!</translation>
    </message>
    <message>
        <source>ОК</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Ошибка соединения с сервером времени</source>
        <translation>Cannot reach the time server</translation>
    </message>
    <message>
        <source>Синхронизация времени с сервером времени прошла успешно!</source>
        <translation>The clock was synchronized with the time server!</translation>
    </message>
    <message>
        <source>Адрес сервера не заполнен!</source>
        <translation>The server address is empty!</translation>
    </message>
    <message>
        <source>Часы не установлены: нет прав</source>
        <translation>Clock not set: no permission</translation>
    </message>
    <message>
        <source>часы компьютера отстают</source>
        <translation>the computer clock is slow</translation>
    </message>
    <message>
        <source>часы компьютера спешат</source>
        <translation>the computer clock is fast</translation>
    </message>
    <message>
        <source>часы компьютера идут точно</source>
        <translation>the computer clock is right</translation>
    </message>
    <message>
        <source>Сервер времени ответил, но у программы нет прав на установку часов компьютера, поэтому часы не изменены.
Установка часов требует привилегии CAP_SYS_TIME (например, запуска от имени администратора root).

Поправка часов компьютера по серверу %1: %2 (%3).</source>
        <translation>The time server answered, but the program has no permission to set the computer clock, so the clock was not changed.
Setting the clock needs the CAP_SYS_TIME privilege (for example, running as root).

Correction of the computer clock by server %1: %2 (%3).</translation>
    </message>
    <message>
        <source>Выбор сервера времени</source>
        <translation>Time server</translation>
    </message>
    <message>
        <source>NTP серверы:</source>
        <translation>NTP servers:</translation>
    </message>
    <message>
        <source>Выберите сервер</source>
        <translation>Choose a server</translation>
    </message>
    <message>
        <source>Текущий сервер</source>
        <translation>Current server</translation>
    </message>
    <message>
        <source>Добавить</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Адрес:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>Расположение:</source>
        <translation>Location:</translation>
    </message>
    <message>
        <source>Синхронизировать</source>
        <translation>Synchronize</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Текущий сервер: %1</source>
        <translation>Current server: %1</translation>
    </message>
    <message>
        <source>Сервер не отвечает,
<byte value="xd"/>ошибка при попытке синхронизации времени с сервером!
<byte value="xd"/>Проверьте соединение с интернет каналом.</source>
        <translation>The server does not answer,
<byte value="xd"/>the clock could not be synchronized with the server!
<byte value="xd"/>Check your Internet connection.</translation>
    </message>
</context>
</TS>
