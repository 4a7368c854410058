<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>vireo::AppFolders</name>
    <message>
        <source>Не удалось создать папку %1. Проверьте права на домашнюю папку.</source>
        <translation>Cannot create folder %1. Check the permissions of your home folder.</translation>
    </message>
    <message>
        <source>Не удалось перейти в папку %1.</source>
        <translation>Cannot change to folder %1.</translation>
    </message>
    <message>
        <source>Найден журнал Vireo, собранного в папку: %1%2.
Перенести его в журнал этой установки (%3)? Прежний файл останется на месте.</source>
        <translation>Found the log of a Vireo built in a folder: %1%2.
Copy it into the log of this installation (%3)? The old file stays where it is.</translation>
    </message>
    <message>
        <source>
Программа начнёт новый журнал.</source>
        <translation>
Vireo starts a new log.</translation>
    </message>
</context>
<context>
    <name>vireo::LanguageChoice</name>
    <message>
        <source>Язык интерфейса сменится при следующем запуске Vireo.</source>
        <translation>The interface language changes when Vireo starts next time.</translation>
    </message>
</context>
<context>
    <name>vireo::LogSafety</name>
    <message>
        <source>Заменить журнал резервной копией от %1 UTC (QSO: %2)?
Текущий журнал будет сохранён как ещё одна резервная копия.</source>
        <translation>Replace the log with the backup of %1 UTC (QSOs: %2)?
The current log is kept as another backup.</translation>
    </message>
    <message>
        <source>
Журнал не изменён.</source>
        <translation>
The log is unchanged.</translation>
    </message>
    <message>
        <source>Журнал восстановлен из копии от %1 UTC</source>
        <translation>Log restored from the backup of %1 UTC</translation>
    </message>
</context>
<context>
    <name>vireo::MainMenu</name>
    <message>
        <source>Журнал</source>
        <translation>Log</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Очистить лог</source>
        <translation>Clear log</translation>
    </message>
    <message>
        <source>Экспорт</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>В файл SCL (файл логгера)</source>
        <translation>To SCL file (logger file)</translation>
    </message>
    <message>
        <source>В файл CABRILLO/ЕРМАК</source>
        <translation>To CABRILLO/ERMAK file</translation>
    </message>
    <message>
        <source>В файл ADIF</source>
        <translation>To ADIF file</translation>
    </message>
    <message>
        <source>Комментарий для файла выгрузки формата ADIF</source>
        <translation>Comment for the ADIF export file</translation>
    </message>
    <message>
        <source>Импорт</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>из файла SCL (файл логгера)</source>
        <translation>From SCL file (logger file)</translation>
    </message>
    <message>
        <source>Проверка журнала…</source>
        <translation>Log check…</translation>
    </message>
    <message>
        <source>Восстановить из резервной копии…</source>
        <translation>Restore from backup…</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Установки</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Управление CAT</source>
        <translation>Rig control (CAT)</translation>
    </message>
    <message>
        <source>Установить режим копии строки с рокировкой данных</source>
        <translation>Turn on copy-and-swap mode</translation>
    </message>
    <message>
        <source>Синхронизировать  время</source>
        <translation>Synchronize clock</translation>
    </message>
    <message>
        <source>Обновить данные стран и позывных…</source>
        <translation>Update country and call data…</translation>
    </message>
    <message>
        <source>Моё местоположение…</source>
        <translation>My location…</translation>
    </message>
    <message>
        <source>Язык интерфейса</source>
        <translation>Interface language</translation>
    </message>
    <message>
        <source>Настройка туров</source>
        <translation>Tours</translation>
    </message>
    <message>
        <source>Окна</source>
        <translation>Windows</translation>
    </message>
    <message>
        <source>Повторные связи</source>
        <translation>Repeats</translation>
    </message>
    <message>
        <source>Частичный поиск позывных</source>
        <translation>Partial check</translation>
    </message>
    <message>
        <source>Статистика</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>Счёт</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>Карта диапазона</source>
        <translation>Band map</translation>
    </message>
    <message>
        <source>Отметить на карте диапазона</source>
        <translation>Mark on band map</translation>
    </message>
    <message>
        <source>Установить окна ввода</source>
        <translation>Entry fields layout</translation>
    </message>
    <message>
        <source>Справка</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Руководство пользователя</source>
        <translation>User manual</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About Vireo</translation>
    </message>
    <message>
        <source>Редактировать запись</source>
        <translation>Edit QSO</translation>
    </message>
    <message>
        <source>Удалить запись</source>
        <translation>Delete QSO</translation>
    </message>
</context>
<context>
    <name>vireo::Program</name>
    <message>
        <source>Не удалось запустить программу %1 заново. Запустите её сами: позывной и contest сохранены.</source>
        <translation>Cannot restart %1. Please start it yourself: the call and contest are saved.</translation>
    </message>
</context>
<context>
    <name>vireo::ReportCommands</name>
    <message>
        <source>Вы хотите перезаписать все записи лога?</source>
        <translation>Overwrite all QSOs of the log?</translation>
    </message>
    <message>
        <source>
Загрузка отменена, журнал не изменён.</source>
        <translation>
Import canceled, the log is unchanged.</translation>
    </message>
</context>
<context>
    <name>vireo::RigLink</name>
    <message>
        <source>Не удалось запустить управление радио: %1
Частоту и вид излучения можно вводить вручную.</source>
        <translation>Cannot start rig control: %1
Frequency and mode can be typed in by hand.</translation>
    </message>
    <message>
        <source>Нет связи с радио: не удалось подключиться к rigctld.</source>
        <translation>No link to the radio: cannot connect to rigctld.</translation>
    </message>
    <message>
        <source>
Vireo продолжает подключаться: как только rigctld ответит, частота и вид излучения пойдут от радио.</source>
        <translation>
Vireo keeps trying: as soon as rigctld answers, frequency and mode come from the radio.</translation>
    </message>
</context>
<context>
    <name>vireo::TMain</name>
    <message>
        <source>Запись можно выбрать после окончания редактирования</source>
        <translation>A QSO can be chosen once editing is finished</translation>
    </message>
    <message>
        <source>Этой записи уже нет в журнале</source>
        <translation>This QSO is no longer in the log</translation>
    </message>
    <message>
        <source>Режим ввода QSO вручную</source>
        <translation>Manual QSO entry mode</translation>
    </message>
    <message>
        <source>Режим - наблюдений и записи QSO!</source>
        <translation>Mode: listening and logging QSOs!</translation>
    </message>
    <message>
        <source>Режим редактирования</source>
        <translation>Edit mode</translation>
    </message>
    <message>
        <source>Вы действительно хотите удалить все записи лога?</source>
        <translation>Do you really want to delete all QSOs of the log?</translation>
    </message>
    <message>
        <source>Снять режим копии строки с рокировкой данных</source>
        <translation>Turn off copy-and-swap mode</translation>
    </message>
    <message>
        <source>Установить режим копии строки с рокировкой данных</source>
        <translation>Turn on copy-and-swap mode</translation>
    </message>
    <message>
        <source>Не выбран contest! Обработка туров и повторных связей, будет неверной!</source>
        <translation>No contest chosen! Tours and repeats will be handled wrong!</translation>
    </message>
</context>
<context>
    <name>vireo::TRestore</name>
    <message>
        <source>Восстановление журнала из резервной копии</source>
        <translation>Restore log from backup</translation>
    </message>
    <message>
        <source>В папке %1 нет резервных копий журнала.</source>
        <translation>No log backups in folder %1.</translation>
    </message>
    <message>
        <source>Резервные копии в папке %1, новые сверху:</source>
        <translation>Backups in folder %1, newest first:</translation>
    </message>
    <message>
        <source>Дата и время (UTC)</source>
        <translation>Date and time (UTC)</translation>
    </message>
    <message>
        <source>Восстановить</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>копия повреждена</source>
        <translation>backup damaged</translation>
    </message>
</context>
<context>
    <name>vireo::TfmStart</name>
    <message>
        <source>Первый запуск программы</source>
        <translation>First start</translation>
    </message>
    <message>
        <source>Позывной:</source>
        <translation>Callsign:</translation>
    </message>
    <message>
        <source>Моё местоположение (можно указать позже)</source>
        <translation>My location (can be set later)</translation>
    </message>
    <message>
        <source>  Необходим перезапуск программы.
<byte value="xd"/>После закрытия окна программа запустится вновь.</source>
        <translation>  Vireo needs a restart.
<byte value="xd"/>It starts again once this box is closed.</translation>
    </message>
</context>
</TS>
