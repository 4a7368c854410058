<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>vireo::CabrilloFormats</name>
    <message>
        <source>    Контрольный номер до 10 символов:

0000000001111111111222222222233333333334444444444555555555566666666667777777777888888
1234567890123456789012345678901234567890123456789012345678901234567890123456789012345
                              --------переданный------ -------принятый---------
QSO: freq  mo date       time call          rst exch   call          rst exch   t
**** ***** ** ********** **** ************* *** ****** ************* *** ****** *
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 001    UA2XYZ        599 001    0

QSO: freq  mo date       time call          exch       call          exch
**** ***** ** ********** **** ************* ********** ************* **********
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        123456     UA2XYZ        678901

QSO: freq  mo date       time call          x1  x2     call          rst exch
**** ***** ** ********** **** ************* *** ****** ************* *** ******
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 001    UA2XYZ        599 001
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        1   001    UA2XYZ        2   002
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        07  POISK  UA2XYZ        10  ARCK
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 AC123  UA2XYZ        599 001
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        MO  001    UA2XYZ        LO  001

QSO: freq  mo date       time call          x1   x2     call         x1   x2
**** ***** ** ********** **** ************* **** ***** ************* **** *****
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        AM01 001   UA2XYZ        HK01 002
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        326  KO48  UA2XYZ        1024 LP32

QSO: freq  mo date       time call          x1 x2 x3   call          x1 x2 x3
**** ***** ** ********** **** ************* ** ** **** ************* ** ** ****
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        KR 10 001  UA2XYZ        KR 2  005

QSO: freq  mo date       time call          x1  x2  x3 call          x1  x2  x3
**** ***** ** ********** **** ************* *** *** ** ************* *** *** **
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 001 SE UA2XYZ        599 002 TB

    Контрольный номер до 11  символов:

0000000001111111111222222222233333333334444444444555555555566666666667777777777888888
1234567890123456789012345678901234567890123456789012345678901234567890123456789012345
                              --------переданный--------- -------принятый------------
QSO: freq  mo date       time call          rst  exch     call          rst  exch
**** ***** ** ********** **** ************* **** ******** ************* **** ********
QSO: 28009 CW 2008-09-23 0200 UA8XY         1234 57N95O   ZL2XYZ        1234 40S175E

QSO: freq  mo date       time call          rst x1   x2   call          rst x1   x2
**** ***** ** ********** **** ************* *** **** **** ************* *** **** ****
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 001  123  UA2XYZ        599 001  AF
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 001  QRP  UA2XYZ        599 002  WZZ

QSO: freq  mo date       time call          rst x1     x2 call          rst x1     x2
**** ***** ** ********** **** ************* *** ****** ** ************* *** ****** **
QSO: 28009 RY 2008-09-23 0711 UA1XYZ        599 KO85MM 50 UA2XYZ        599 LO65AA 35

QSO: freq  mo date       time call          x1   x2  x3   call          x1   x2  x3
**** ***** ** ********** **** ************* **** *** **** ************* **** *** ****
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        001  57S 85O  UA2XYZ        002  44N 133W

    Контрольный номер до 20 символов:

000000000111111111122222222223333333333444444444455555555556666666666777777777788888888889999999999
123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789
                              --------переданный---------------- -------принятый-------------------
QSO: freq  mo date       time call          rst x1  x2       x3  call          rst x1  x2       x3
**** ***** ** ********** **** ************* *** *** ******** *** ************* *** *** ******** ***
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 27  UA0XYZ/U 33  UA2XYZ        599  45 UA3XYZ   33</source>
        <translation>    Number of up to 10 characters:

0000000001111111111222222222233333333334444444444555555555566666666667777777777888888
1234567890123456789012345678901234567890123456789012345678901234567890123456789012345
                              ----------sent---------- --------received--------
QSO: freq  mo date       time call          rst exch   call          rst exch   t
**** ***** ** ********** **** ************* *** ****** ************* *** ****** *
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 001    UA2XYZ        599 001    0

QSO: freq  mo date       time call          exch       call          exch
**** ***** ** ********** **** ************* ********** ************* **********
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        123456     UA2XYZ        678901

QSO: freq  mo date       time call          x1  x2     call          rst exch
**** ***** ** ********** **** ************* *** ****** ************* *** ******
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 001    UA2XYZ        599 001
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        1   001    UA2XYZ        2   002
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        07  POISK  UA2XYZ        10  ARCK
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 AC123  UA2XYZ        599 001
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        MO  001    UA2XYZ        LO  001

QSO: freq  mo date       time call          x1   x2     call         x1   x2
**** ***** ** ********** **** ************* **** ***** ************* **** *****
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        AM01 001   UA2XYZ        HK01 002
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        326  KO48  UA2XYZ        1024 LP32

QSO: freq  mo date       time call          x1 x2 x3   call          x1 x2 x3
**** ***** ** ********** **** ************* ** ** **** ************* ** ** ****
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        KR 10 001  UA2XYZ        KR 2  005

QSO: freq  mo date       time call          x1  x2  x3 call          x1  x2  x3
**** ***** ** ********** **** ************* *** *** ** ************* *** *** **
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 001 SE UA2XYZ        599 002 TB

    Number of up to 11 characters:

0000000001111111111222222222233333333334444444444555555555566666666667777777777888888
1234567890123456789012345678901234567890123456789012345678901234567890123456789012345
                              -----------sent------------ ---------received----------
QSO: freq  mo date       time call          rst  exch     call          rst  exch
**** ***** ** ********** **** ************* **** ******** ************* **** ********
QSO: 28009 CW 2008-09-23 0200 UA8XY         1234 57N95O   ZL2XYZ        1234 40S175E

QSO: freq  mo date       time call          rst x1   x2   call          rst x1   x2
**** ***** ** ********** **** ************* *** **** **** ************* *** **** ****
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 001  123  UA2XYZ        599 001  AF
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 001  QRP  UA2XYZ        599 002  WZZ

QSO: freq  mo date       time call          rst x1     x2 call          rst x1     x2
**** ***** ** ********** **** ************* *** ****** ** ************* *** ****** **
QSO: 28009 RY 2008-09-23 0711 UA1XYZ        599 KO85MM 50 UA2XYZ        599 LO65AA 35

QSO: freq  mo date       time call          x1   x2  x3   call          x1   x2  x3
**** ***** ** ********** **** ************* **** *** **** ************* **** *** ****
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        001  57S 85O  UA2XYZ        002  44N 133W

    Number of up to 20 characters:

000000000111111111122222222223333333333444444444455555555556666666666777777777788888888889999999999
123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789
                              ---------------sent--------------- -------------received-------------
QSO: freq  mo date       time call          rst x1  x2       x3  call          rst x1  x2       x3
**** ***** ** ********** **** ************* *** *** ******** *** ************* *** *** ******** ***
QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 27  UA0XYZ/U 33  UA2XYZ        599  45 UA3XYZ   33</translation>
    </message>
</context>
<context>
    <name>vireo::LoggerFile</name>
    <message>
        <source>диапазон</source>
        <translation>band</translation>
    </message>
    <message>
        <source>частота</source>
        <translation>frequency</translation>
    </message>
    <message>
        <source>вид связи</source>
        <translation>mode</translation>
    </message>
    <message>
        <source>дата</source>
        <translation>date</translation>
    </message>
    <message>
        <source>время</source>
        <translation>time</translation>
    </message>
    <message>
        <source>тур</source>
        <translation>tour</translation>
    </message>
    <message>
        <source>радио</source>
        <translation>radio</translation>
    </message>
    <message>
        <source>файл содержит двоичные данные, это не файл логгера.</source>
        <translation>the file holds binary data, it is not a logger file.</translation>
    </message>
    <message>
        <source>строка длиннее %1 байт, это не файл логгера.</source>
        <translation>a line is longer than %1 bytes, it is not a logger file.</translation>
    </message>
    <message>
        <source>поле %1 (%2) длиной %3 зн., а вмещает оно не больше %4 зн.</source>
        <translation>field %1 (%2) has length %3, but holds at most %4.</translation>
    </message>
    <message>
        <source>значений в строке %1, а нужно ровно 13, каждое со знаком «;» после него.</source>
        <translation>values in the line: %1, but exactly 13 are needed, each followed by “;”.</translation>
    </message>
    <message>
        <source>после последнего, 13-го значения нет знака «;».</source>
        <translation>no “;” after the last, 13th value.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; — это папка, а не файл логгера.</source>
        <translation>&quot;%1&quot; is a folder, not a logger file.</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot; не найден.</source>
        <translation>File &quot;%1&quot; not found.</translation>
    </message>
    <message>
        <source>Не удалось открыть файл &quot;%1&quot; для чтения: нет доступа к файлу или он занят.</source>
        <translation>Could not open &quot;%1&quot; for reading: no access to the file, or it is in use.</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot; больше %2 МБ, это не файл логгера.</source>
        <translation>File &quot;%1&quot; is larger than %2 MB, it is not a logger file.</translation>
    </message>
    <message>
        <source>Ошибка чтения файла &quot;%1&quot; (%2).</source>
        <translation>Error reading &quot;%1&quot; (%2).</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot;, строка %2: файл содержит двоичные данные, это не файл логгера.</source>
        <translation>File &quot;%1&quot;, line %2: the file holds binary data, it is not a logger file.</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot;, строка %2: %3</source>
        <translation>File &quot;%1&quot;, line %2: %3</translation>
    </message>
    <message>
        <source>
Неверных строк в файле: %1.</source>
        <translation>
Bad lines in the file: %1.</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot; пуст: в нём нет ни одной записи.</source>
        <translation>File &quot;%1&quot; is empty: it holds no records.</translation>
    </message>
    <message>
        <source>пустая строка, а в каждой строке должна быть запись из 13 значений, каждое со знаком «;» после него.</source>
        <translation>empty line; each line must hold a record of 13 values, each followed by “;”.</translation>
    </message>
</context>
<context>
    <name>vireo::ReportDialog</name>
    <message>
        <source>Сохранить файл</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>Файлы отчетов (*.cbr *.scl *.adif&quot;);;Все файлы (*.*)</source>
        <translation>Report files (*.cbr *.scl *.adif&quot;);;All files (*.*)</translation>
    </message>
    <message>
        <source>Открыть файл</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>Файлы логгера (*.scl)</source>
        <translation>Logger files (*.scl)</translation>
    </message>
    <message>
        <source>Выгрузка в файл  %1  формата &quot;%2&quot; произведена!</source>
        <translation>Exported to %1 in &quot;%2&quot; format!</translation>
    </message>
    <message>
        <source>Загрузка из файла  %1  произведена! Загружено записей: %2.</source>
        <translation>Loaded from %1! Records loaded: %2.</translation>
    </message>
    <message>
        <source>Выгрузка невозможна!
<byte value="xd"/>Не заполнены поля &quot;Позывной&quot; или &quot;Contest&quot;</source>
        <translation>Cannot export!
<byte value="xd"/>The &quot;Call&quot; or &quot;Contest&quot; field is empty</translation>
    </message>
</context>
<context>
    <name>vireo::ReportFile</name>
    <message>
        <source>Произошла ошибка открытия файла</source>
        <translation>The file could not be opened</translation>
    </message>
    <message>
        <source>Произошла ошибка записи данных в файл</source>
        <translation>The data could not be written to the file</translation>
    </message>
</context>
<context>
    <name>vireo::TComentAdif</name>
    <message>
        <source>Комментарий</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>Текст комментария</source>
        <translation>Comment text</translation>
    </message>
    <message>
        <source>Стандарт</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Произвольный</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>&quot;You worked with&quot; + (станция-корреспондент)</source>
        <translation>&quot;You worked with&quot; + (Worked station)</translation>
    </message>
    <message>
        <source>Впишите собственное сообщение . . .</source>
        <translation>Type your own message . . .</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>vireo::TfmCabrillo</name>
    <message>
        <source>Выгрузка в файл Cabrillo</source>
        <translation>Cabrillo export</translation>
    </message>
    <message>
        <source>Формат контрольного номера:</source>
        <translation>Number format:</translation>
    </message>
    <message>
        <source>ВЫГРУЗИТЬ</source>
        <translation>EXPORT</translation>
    </message>
    <message>
        <source>ОТМЕНА</source>
        <translation>CANCEL</translation>
    </message>
    <message>
        <source>Выгрузка в файл  %1 фомата &quot;CABRILLO&quot; произведена!</source>
        <translation>Exported to %1 in &quot;CABRILLO&quot; format!</translation>
    </message>
    <message>
        <source>Выгрузка невозможна!
<byte value="xd"/>Проверьте заполнение полей необходимых
<byte value="xd"/>для выгрузки шапки Cabrillo/Ermak</source>
        <translation>Cannot export!
<byte value="xd"/>Check the fields needed
<byte value="xd"/>for the Cabrillo/Ermak header</translation>
    </message>
    <message>
        <source>Выгрузка невозможна!
<byte value="xd"/>Формат контрольного номера &quot;%1&quot; не является целым числом.
<byte value="xd"/>Выберите строку в таблице форматов или введите число от 1 до 11.</source>
        <translation>Cannot export!
<byte value="xd"/>Number format &quot;%1&quot; is not a whole number.
<byte value="xd"/>Choose a row in the table of formats or enter a number from 1 to 11.</translation>
    </message>
    <message>
        <source>Выбран формат контрольного номера = &quot;%1&quot;
<byte value="xd"/>Если нужен другой, наведите курсор
<byte value="xd"/>на нужную строку в таблице.
<byte value="xd"/>
<byte value="xd"/>Продолжить?</source>
        <translation>Number format chosen = &quot;%1&quot;
<byte value="xd"/>For another one, point at
<byte value="xd"/>its row in the table.
<byte value="xd"/>
<byte value="xd"/>Continue?</translation>
    </message>
</context>
</TS>
