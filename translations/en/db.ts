<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>vireo::CopyReader</name>
    <message>
        <source>файл не является базой данных</source>
        <translation>the file is not a database</translation>
    </message>
    <message>
        <source>данные в файле испорчены</source>
        <translation>the data in the file are damaged</translation>
    </message>
    <message>
        <source>файл не открывается</source>
        <translation>the file does not open</translation>
    </message>
    <message>
        <source>на диске нет места — освободите место на диске (%1)</source>
        <translation>the disk is full — free some space on it (%1)</translation>
    </message>
    <message>
        <source>ошибка чтения или записи диска — проверьте диск (%1)</source>
        <translation>disk read or write error — check the disk (%1)</translation>
    </message>
    <message>
        <source>не удалось создать временную папку для чтения копии</source>
        <translation>cannot create a temporary folder to read the backup</translation>
    </message>
    <message>
        <source>файл не читается</source>
        <translation>the file cannot be read</translation>
    </message>
    <message>
        <source>файл %1 не читается</source>
        <translation>file %1 cannot be read</translation>
    </message>
    <message>
        <source>нет памяти</source>
        <translation>out of memory</translation>
    </message>
</context>
<context>
    <name>vireo::Database</name>
    <message>
        <source>файл открыт другой программой; закройте её и запустите Vireo снова</source>
        <translation>the file is open in another program; close it and start Vireo again</translation>
    </message>
    <message>
        <source>Не удалось открыть базу данных </source>
        <translation>Cannot open database </translation>
    </message>
    <message>
        <source>Не удалось создать базу данных %1: %2.</source>
        <translation>Cannot create database %1: %2.</translation>
    </message>
    <message>
        <source>Не удалось создать базу данных %1</source>
        <translation>Cannot create database %1</translation>
    </message>
    <message>
        <source>Не удалось открыть базу данных %1</source>
        <translation>Cannot open database %1</translation>
    </message>
    <message>
        <source>В базе данных %1 нет таблицы %2</source>
        <translation>Database %1 has no table %2</translation>
    </message>
    <message>
        <source>Не удалось открыть базу данных %1: %2.</source>
        <translation>Cannot open database %1: %2.</translation>
    </message>
</context>
<context>
    <name>vireo::DatabaseError</name>
    <message>
        <source>на диске нет места, запись в журнал не удалась — освободите место на диске и повторите</source>
        <translation>the disk is full, the log was not written — free some disk space and try again</translation>
    </message>
    <message>
        <source>файл журнала или его папка доступны только для чтения, запись не удалась — разрешите запись в файл и папку или перенесите журнал и повторите</source>
        <translation>the log file or its folder is read-only, the log was not written — allow writing to the file and folder or move the log, and try again</translation>
    </message>
    <message>
        <source>журнал дольше пяти секунд занят другой программой — закройте её или дождитесь, пока она закончит, и повторите</source>
        <translation>another program has held the log for over five seconds — close it or wait until it is done, and try again</translation>
    </message>
    <message>
        <source>файл журнала повреждён — восстановите журнал из резервной копии в меню «Журнал»</source>
        <translation>the log file is damaged — restore the log from a backup in the “Log” menu</translation>
    </message>
    <message>
        <source>не хватило памяти — закройте другие программы и повторите</source>
        <translation>out of memory — close other programs and try again</translation>
    </message>
    <message>
        <source>диск не дал прочитать или записать журнал — проверьте диск и повторите</source>
        <translation>the disk would not let the log be read or written — check the disk and try again</translation>
    </message>
    <message>
        <source>файл журнала не открывается — проверьте, что он и его папка на месте и доступны</source>
        <translation>the log file does not open — check that it and its folder are in place and accessible</translation>
    </message>
    <message>
        <source>значение слишком велико для журнала — сократите его и повторите</source>
        <translation>the value is too large for the log — shorten it and try again</translation>
    </message>
    <message>
        <source>база данных журнала отказала — повторите, а если ошибка не пройдёт, перезапустите Vireo</source>
        <translation>the log database failed — try again, and if the error persists, restart Vireo</translation>
    </message>
</context>
<context>
    <name>vireo::LogBackup</name>
    <message>
        <source>нет памяти</source>
        <translation>out of memory</translation>
    </message>
    <message>
        <source>данные в файле испорчены</source>
        <translation>the data in the file are damaged</translation>
    </message>
    <message>
        <source>в ней нет таблицы %1</source>
        <translation>it has no table %1</translation>
    </message>
    <message>
        <source>файла нет</source>
        <translation>the file is missing</translation>
    </message>
    <message>
        <source>Резервная копия %1 повреждена: %2.</source>
        <translation>Backup %1 is damaged: %2.</translation>
    </message>
    <message>
        <source>Не удалось создать папку резервных копий %1</source>
        <translation>Cannot create the backup folder %1</translation>
    </message>
    <message>
        <source>не удалось открыть журнал %1: %2</source>
        <translation>cannot open log %1: %2</translation>
    </message>
    <message>
        <source>не удалось переименовать %1</source>
        <translation>cannot rename %1</translation>
    </message>
    <message>
        <source>Не удалось записать резервную копию %1: %2</source>
        <translation>Cannot write backup %1: %2</translation>
    </message>
    <message>
        <source>нет числа записей</source>
        <translation>no QSO count</translation>
    </message>
    <message>
        <source>Журнал не открыт</source>
        <translation>The log is not open</translation>
    </message>
    <message>
        <source>Не удалось восстановить журнал: %1.</source>
        <translation>Cannot restore the log: %1.</translation>
    </message>
    <message>
        <source>файл %1 уже есть</source>
        <translation>file %1 already exists</translation>
    </message>
    <message>
        <source>Журнал %1 не перенесён: %2</source>
        <translation>Log %1 not copied: %2</translation>
    </message>
</context>
<context>
    <name>vireo::LogDisk</name>
    <message>
        <source>На диске с журналом (%1) не осталось места: новые QSO не сохранятся, пока вы не освободите место на этом диске, — после этого запись пойдёт сама, перезапускать Vireo не нужно.
Журнал открыт для просмотра, а отчёты можно записать в папку на другом диске.</source>
        <translation>The disk of the log (%1) is full: new QSOs are not saved until you free space on this disk — then logging resumes by itself, no need to restart Vireo.
The log stays open for viewing, and reports can be written to a folder on another disk.</translation>
    </message>
    <message>
        <source>Диск заполнен: QSO не сохранятся, пока не освободите место</source>
        <translation>Disk full: QSOs are not saved until you free space</translation>
    </message>
    <message>
        <source>Файл журнала %1 или его папка доступны только для чтения: новые QSO не сохранятся, пока вы не разрешите запись в них.
Журнал открыт для просмотра, а отчёты можно записать в другую папку.</source>
        <translation>The log file %1 or its folder is read-only: new QSOs are not saved until you allow writing to them.
The log stays open for viewing, and reports can be written to another folder.</translation>
    </message>
    <message>
        <source>Журнал только для чтения: QSO не сохранятся</source>
        <translation>Log is read-only: QSOs are not saved</translation>
    </message>
</context>
<context>
    <name>vireo::QsoScan</name>
    <message>
        <source>Ошибка чтения журнала: %1</source>
        <translation>Log read error: %1</translation>
    </message>
    <message>
        <source>Ошибка записи в журнал: %1</source>
        <translation>Log write error: %1</translation>
    </message>
    <message>
        <source>база данных не открыта</source>
        <translation>the database is not open</translation>
    </message>
</context>
<context>
    <name>vireo::QsoStore</name>
    <message>
        <source>Запись %1 не найдена в журнале</source>
        <translation>QSO %1 not found in the log</translation>
    </message>
</context>
<context>
    <name>vireo::UndoJournal</name>
    <message>
        <source>Отменить </source>
        <translation>Undo </translation>
    </message>
    <message>
        <source>запись QSO</source>
        <translation>new QSO</translation>
    </message>
    <message>
        <source>удаление</source>
        <translation>deletion of</translation>
    </message>
    <message>
        <source>удаление записи</source>
        <translation>deletion</translation>
    </message>
    <message>
        <source>правку</source>
        <translation>edit of</translation>
    </message>
    <message>
        <source>правку записи</source>
        <translation>edit</translation>
    </message>
    <message>
        <source>Отменить очистку журнала</source>
        <translation>Undo clear log</translation>
    </message>
    <message>
        <source>Отменить импорт журнала</source>
        <translation>Undo log import</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Undo</translation>
    </message>
</context>
</TS>
