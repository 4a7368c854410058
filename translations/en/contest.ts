<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>vireo::TfmContest</name>
    <message>
        <source>Настройка туров соревнования</source>
        <translation>Contest tours</translation>
    </message>
    <message>
        <source>Дата начала</source>
        <translation>Start date</translation>
    </message>
    <message>
        <source>Время начала</source>
        <translation>Start time</translation>
    </message>
    <message>
        <source>Дата окончания</source>
        <translation>End date</translation>
    </message>
    <message>
        <source>Время окончания</source>
        <translation>End time</translation>
    </message>
    <message>
        <source>Идёт (UTC)</source>
        <translation>Runs (UTC)</translation>
    </message>
    <message>
        <source>Очистить таблицу</source>
        <translation>Clear table</translation>
    </message>
    <message>
        <source>Добавить Тур</source>
        <translation>Add tour</translation>
    </message>
    <message>
        <source>ВЫХОД</source>
        <translation>EXIT</translation>
    </message>
    <message>
        <source>Начало:</source>
        <translation>Start:</translation>
    </message>
    <message>
        <source>Окончание:</source>
        <translation>End:</translation>
    </message>
    <message>
        <source>Правила соревнования: по ним считаются очки, множители и ограничения</source>
        <translation>Contest rules: they set the points, multipliers and limits</translation>
    </message>
    <message>
        <source>Правила:</source>
        <translation>Rules:</translation>
    </message>
    <message>
        <source>Тур не добавлен: окончание %1 %2 раньше начала %3 %4. Исправьте дату или время.</source>
        <translation>Tour not added: the end %1 %2 is before the start %3 %4. Correct the date or time.</translation>
    </message>
    <message>
        <source>Без правил</source>
        <translation>No rules</translation>
    </message>
    <message>
        <source>%1, правила %2</source>
        <translation>%1, rules %2</translation>
    </message>
    <message>
        <source>Выбранные правила «%1» не найдены в папке contests: счёт не ведётся.</source>
        <translation>The chosen rules “%1” are not in the contests folder: no score is kept.</translation>
    </message>
    <message>
        <source>%1, правила без года</source>
        <translation>%1, rules undated</translation>
    </message>
</context>
<context>
    <name>vireo::TourClock</name>
    <message>
        <source>никогда: окончание раньше начала</source>
        <translation>never: the end is before the start</translation>
    </message>
    <message>
        <source>, каждый день </source>
        <translation>, daily </translation>
    </message>
</context>
</TS>
