<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>vireo::FindingsModel</name>
    <message>
        <source>Вид</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>Пояснение</source>
        <translation>Explanation</translation>
    </message>
</context>
<context>
    <name>vireo::LogCheck</name>
    <message>
        <source>Номер</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>Пара рано</source>
        <translation>Pair early</translation>
    </message>
    <message>
        <source>Позывной?</source>
        <translation>Call?</translation>
    </message>
    <message>
        <source>Неполная</source>
        <translation>Incomplete</translation>
    </message>
    <message>
        <source>Повтор</source>
        <translation>Dupe</translation>
    </message>
    <message>
        <source>Не засчитана</source>
        <translation>Not counted</translation>
    </message>
</context>
<context>
    <name>vireo::LogCheckFindings</name>
    <message>
        <source>в %1</source>
        <translation>at %1</translation>
    </message>
    <message>
        <source>%1 в %2</source>
        <translation>%1 at %2</translation>
    </message>
    <message>
        <source>нет позывного наблюдаемой станции (CALL-1)</source>
        <translation>no Heard call (CALL-1)</translation>
    </message>
    <message>
        <source>у %1 нет контрольного номера (NR-1)</source>
        <translation>%1 has no number (NR-1)</translation>
    </message>
    <message>
        <source>у %1 нет контрольного номера (NR-2)</source>
        <translation>%1 has no number (NR-2)</translation>
    </message>
    <message>
        <source>номер %1 без позывного корреспондента (CALL-2)</source>
        <translation>number %1 without a Worked call (CALL-2)</translation>
    </message>
    <message>
        <source>Номер %1 у %2 меньше прежнего %3 (%4)</source>
        <translation>Number %1 of %2 is lower than the previous %3 (%4)</translation>
    </message>
    <message>
        <source>Номер %1 у %2 больше следующего %3 (%4)</source>
        <translation>Number %1 of %2 is higher than the next %3 (%4)</translation>
    </message>
    <message>
        <source>Номер %1 у %2 выпадает из ряда номеров этой станции</source>
        <translation>Number %1 of %2 is out of line with this station&apos;s numbers</translation>
    </message>
    <message>
        <source>Номер %1 у %2 слишком велик: %3 мин назад был %4 (%5)</source>
        <translation>Number %1 of %2 is too high: %3 min ago it was %4 (%5)</translation>
    </message>
    <message>
        <source>в ту же минуту</source>
        <translation>in the same minute</translation>
    </message>
    <message>
        <source>%1 мин назад</source>
        <translation>%1 min ago</translation>
    </message>
    <message>
        <source>Пара %1 – %2 уже записана %3, %4 (можно не раньше чем через %5 мин)</source>
        <translation>Pair %1 – %2 already logged %3, %4 (allowed again after %5 min)</translation>
    </message>
    <message>
        <source>%1 нет ни среди известных позывных, ни в других записях журнала</source>
        <translation>%1 is neither a known call nor in other records of the log</translation>
    </message>
    <message>
        <source>; возможно: %1</source>
        <translation>; maybe: %1</translation>
    </message>
    <message>
        <source>%1 в туре %2, %3 %4</source>
        <translation>%1 in tour %2, %3 %4</translation>
    </message>
    <message>
        <source>%1: первая из %2 записей</source>
        <translation>%1: first of %2 records</translation>
    </message>
    <message>
        <source>%1: повтор %2 из %3 (первая %4)</source>
        <translation>%1: dupe %2 of %3 (first %4)</translation>
    </message>
</context>
<context>
    <name>vireo::LogCheckReport</name>
    <message>
        <source>Весь журнал</source>
        <translation>Whole log</translation>
    </message>
    <message>
        <source>Тур %1</source>
        <translation>Tour %1</translation>
    </message>
    <message>
        <source>Проверка журнала: %1, %2 UTC</source>
        <translation>Log check: %1, %2 UTC</translation>
    </message>
    <message>
        <source>Найдено: %1</source>
        <translation>Found: %1</translation>
    </message>
</context>
<context>
    <name>vireo::StatsText</name>
    <message>
        <source>Тур %1</source>
        <translation>Tour %1</translation>
    </message>
    <message>
        <source>Всего</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Записей с неверной датой или временем: %1 (в таблице учтены, в темп и график не входят)</source>
        <translation>Records with a bad date or time: %1 (counted in the table, left out of the rate and the graph)</translation>
    </message>
    <message>
        <source>Диапазон</source>
        <translation>Band</translation>
    </message>
    <message>
        <source>Статистика журнала: QSO / очки</source>
        <translation>Log statistics: QSOs / points</translation>
    </message>
</context>
<context>
    <name>vireo::TLogCheck</name>
    <message>
        <source>Проверка журнала</source>
        <translation>Log check</translation>
    </message>
    <message>
        <source>Проверить:</source>
        <translation>Check:</translation>
    </message>
    <message>
        <source>Пара снова не раньше чем через, мин:</source>
        <translation>Pair repeat allowed after, min:</translation>
    </message>
    <message>
        <source>не проверять</source>
        <translation>don&apos;t check</translation>
    </message>
    <message>
        <source>0 — не проверять повтор пары</source>
        <translation>0 — don&apos;t check pair repeats</translation>
    </message>
    <message>
        <source>Проверить</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Сохранить…</source>
        <translation>Save…</translation>
    </message>
    <message>
        <source>Проверка ещё не запускалась</source>
        <translation>Not checked yet</translation>
    </message>
    <message>
        <source>Проверка прервана</source>
        <translation>Check canceled</translation>
    </message>
    <message>
        <source>Проверка не выполнена</source>
        <translation>Check failed</translation>
    </message>
    <message>
        <source>Идёт проверка…</source>
        <translation>Checking…</translation>
    </message>
    <message>
        <source>Сохранить результаты проверки</source>
        <translation>Save the check results</translation>
    </message>
    <message>
        <source>Текстовые файлы (*.txt);;Все файлы (*.*)</source>
        <translation>Text files (*.txt);;All files (*.*)</translation>
    </message>
    <message>
        <source>Результаты проверки записаны в файл %1</source>
        <translation>The check results were saved to %1</translation>
    </message>
    <message>
        <source>Ошибок не найдено</source>
        <translation>No errors found</translation>
    </message>
    <message>
        <source>номера</source>
        <translation>numbers</translation>
    </message>
    <message>
        <source>пары</source>
        <translation>pairs</translation>
    </message>
    <message>
        <source>позывные</source>
        <translation>calls</translation>
    </message>
    <message>
        <source>неполные</source>
        <translation>incomplete</translation>
    </message>
    <message>
        <source>повторы</source>
        <translation>dupes</translation>
    </message>
    <message>
        <source>не засчитаны по правилам</source>
        <translation>refused by the rules</translation>
    </message>
    <message>
        <source>Найдено: %1 (%2)</source>
        <translation>Found: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>vireo::TStats</name>
    <message>
        <source>%1 QSO в час</source>
        <translation>%1 QSO/hour</translation>
    </message>
    <message>
        <source>Статистика</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>График:</source>
        <translation>Graph:</translation>
    </message>
    <message>
        <source>Сохранить таблицу…</source>
        <translation>Save table…</translation>
    </message>
    <message>
        <source>Сохранить график…</source>
        <translation>Save graph…</translation>
    </message>
    <message>
        <source>В клетках таблицы: QSO / очки</source>
        <translation>Table cells: QSOs / points</translation>
    </message>
    <message>
        <source>Очки по правилам соревнования</source>
        <translation>Points by the contest rules</translation>
    </message>
    <message>
        <source>В клетках таблицы: QSO / очки по правилам соревнования</source>
        <translation>Table cells: QSOs / points by the contest rules</translation>
    </message>
    <message>
        <source>Темп на %1 UTC</source>
        <translation>Rate at %1 UTC</translation>
    </message>
    <message>
        <source>За 10 минут: %1 QSO</source>
        <translation>QSOs in 10 minutes: %1</translation>
    </message>
    <message>
        <source>За 60 минут: %1 QSO</source>
        <translation>QSOs in 60 minutes: %1</translation>
    </message>
    <message>
        <source>Последние 10 QSO: </source>
        <translation>Last 10 QSOs: </translation>
    </message>
    <message>
        <source>Последние 100 QSO: </source>
        <translation>Last 100 QSOs: </translation>
    </message>
    <message>
        <source>Все туры</source>
        <translation>All tours</translation>
    </message>
    <message>
        <source>QSO за 10 минут по диапазонам, все туры</source>
        <translation>QSOs per 10 minutes by band, all tours</translation>
    </message>
    <message>
        <source>QSO за 10 минут по диапазонам, %1</source>
        <translation>QSOs per 10 minutes by band, %1</translation>
    </message>
    <message>
        <source>Нет записей с верными датой и временем</source>
        <translation>No records with a valid date and time</translation>
    </message>
    <message>
        <source>Сохранить таблицу статистики</source>
        <translation>Save the statistics table</translation>
    </message>
    <message>
        <source>Текстовые файлы (*.txt);;Все файлы (*.*)</source>
        <translation>Text files (*.txt);;All files (*.*)</translation>
    </message>
    <message>
        <source>Таблица статистики записана в файл %1</source>
        <translation>The statistics table was saved to %1</translation>
    </message>
    <message>
        <source>Сохранить график статистики</source>
        <translation>Save the statistics graph</translation>
    </message>
    <message>
        <source>Изображения PNG (*.png);;Все файлы (*.*)</source>
        <translation>PNG images (*.png);;All files (*.*)</translation>
    </message>
    <message>
        <source>График статистики записан в файл %1</source>
        <translation>The statistics graph was saved to %1</translation>
    </message>
</context>
</TS>
