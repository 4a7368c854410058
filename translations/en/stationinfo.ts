<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>vireo::CtyParser</name>
    <message>
        <source>нет названия страны</source>
        <translation>no country name</translation>
    </message>
    <message>
        <source>зона CQ «%1» не число от 1 до 40</source>
        <translation>CQ zone “%1” is not a number from 1 to 40</translation>
    </message>
    <message>
        <source>зона ITU «%1» не число от 1 до 90</source>
        <translation>ITU zone “%1” is not a number from 1 to 90</translation>
    </message>
    <message>
        <source>континент «%1» неизвестен</source>
        <translation>continent “%1” is unknown</translation>
    </message>
    <message>
        <source>координаты «%1», «%2» не числа</source>
        <translation>coordinates “%1”, “%2” are not numbers</translation>
    </message>
    <message>
        <source>смещение времени «%1» не число</source>
        <translation>time offset “%1” is not a number</translation>
    </message>
    <message>
        <source>нет основного префикса</source>
        <translation>no primary prefix</translation>
    </message>
    <message>
        <source>это не текстовый файл</source>
        <translation>this is not a text file</translation>
    </message>
    <message>
        <source>файл обрывается посреди записи страны</source>
        <translation>the file ends in the middle of a country record</translation>
    </message>
    <message>
        <source>строка не похожа на заголовок страны (восемь полей через «:»)</source>
        <translation>the line does not look like a country header (eight fields separated by “:”)</translation>
    </message>
    <message>
        <source>файл обрывается: список префиксов страны «%1» не закончен «;»</source>
        <translation>the file ends: the prefix list of country “%1” does not end with “;”</translation>
    </message>
    <message>
        <source>список префиксов страны «%1» не закончен «;»</source>
        <translation>the prefix list of country “%1” does not end with “;”</translation>
    </message>
    <message>
        <source>«%1» не префикс и не позывной</source>
        <translation>“%1” is neither a prefix nor a call</translation>
    </message>
    <message>
        <source>в файле нет ни одной страны</source>
        <translation>the file holds no country</translation>
    </message>
</context>
<context>
    <name>vireo::DataRefresh</name>
    <message>
        <source>Данные не изменены.</source>
        <translation>The data are unchanged.</translation>
    </message>
    <message>
        <source>Не выбран файл.
%1</source>
        <translation>No file chosen.
%1</translation>
    </message>
    <message>
        <source>Не удалось открыть файл %1 (%2).
%3</source>
        <translation>Cannot open file %1 (%2).
%3</translation>
    </message>
    <message>
        <source>Файл %1, строка %2: %3.
%4</source>
        <translation>File %1, line %2: %3.
%4</translation>
    </message>
    <message>
        <source>Не удалось записать данные в журнал: %1
%2</source>
        <translation>Cannot write the data into the log: %1
%2</translation>
    </message>
    <message>
        <source>Данные обновлены: стран %1, префиксов %2, позывных %3.</source>
        <translation>Data updated: %1 countries, %2 prefixes, %3 calls.</translation>
    </message>
</context>
<context>
    <name>vireo::DupeCheck</name>
    <message>
        <source>Повторы: Heard = </source>
        <translation>Repeats: Heard = </translation>
    </message>
    <message>
        <source>Повторы: Worked = </source>
        <translation>Repeats: Worked = </translation>
    </message>
</context>
<context>
    <name>vireo::MyPosition</name>
    <message>
        <source>буквой от A до R</source>
        <translation>a letter from A to R</translation>
    </message>
    <message>
        <source>цифрой</source>
        <translation>a digit</translation>
    </message>
    <message>
        <source>буквой от A до X</source>
        <translation>a letter from A to X</translation>
    </message>
    <message>
        <source>Широта</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>Долгота</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>Введите широту в градусах, например %1.</source>
        <translation>Enter the latitude in degrees, for example %1.</translation>
    </message>
    <message>
        <source>Введите долготу в градусах, например %1.</source>
        <translation>Enter the longitude in degrees, for example %1.</translation>
    </message>
    <message>
        <source>%1 «%2»: укажите одну букву полушария.</source>
        <translation>%1 “%2”: give only one hemisphere letter.</translation>
    </message>
    <message>
        <source>%1 «%2» — не число градусов. Введите, например, %3.</source>
        <translation>%1 “%2” is not a number of degrees. Enter, for example, %3.</translation>
    </message>
    <message>
        <source>55.75 или 55,75</source>
        <translation>55.75 or 55,75</translation>
    </message>
    <message>
        <source>37.62 или 37,62</source>
        <translation>37.62 or 37,62</translation>
    </message>
    <message>
        <source>%1 «%2»: укажите либо знак минус, либо букву полушария.</source>
        <translation>%1 “%2”: give either a minus sign or a hemisphere letter.</translation>
    </message>
    <message>
        <source>%1 должна быть от -%2 до %2 градусов; введено %3.</source>
        <translation>%1 must be from -%2 to %2 degrees; you entered %3.</translation>
    </message>
    <message>
        <source>Локатор состоит из 4, 6 или 8 знаков, например KO85 или KO85TS; введено %1: «%2».</source>
        <translation>A locator has 4, 6 or 8 characters, for example KO85 or KO85TS; you entered %1: “%2”.</translation>
    </message>
    <message>
        <source>В локаторе «%1» %2-й знак («%3») должен быть %4.</source>
        <translation>In locator “%1”, character %2 (“%3”) must be %4.</translation>
    </message>
</context>
<context>
    <name>vireo::PositionFields</name>
    <message>
        <source>Локатор:</source>
        <translation>Locator:</translation>
    </message>
    <message>
        <source>Широта:</source>
        <translation>Latitude:</translation>
    </message>
    <message>
        <source>Долгота:</source>
        <translation>Longitude:</translation>
    </message>
    <message>
        <source>Середина квадрата: широта %1, долгота %2.</source>
        <translation>Center of the square: latitude %1, longitude %2.</translation>
    </message>
    <message>
        <source>Локатор %1.</source>
        <translation>Locator %1.</translation>
    </message>
</context>
<context>
    <name>vireo::ScpData</name>
    <message>
        <source>ошибка чтения журнала</source>
        <translation>log read error</translation>
    </message>
</context>
<context>
    <name>vireo::ScpFile</name>
    <message>
        <source>это не текстовый файл</source>
        <translation>this is not a text file</translation>
    </message>
    <message>
        <source>«%1» не похоже на позывной</source>
        <translation>“%1” does not look like a call</translation>
    </message>
    <message>
        <source>в файле нет ни одного позывного</source>
        <translation>the file holds no call</translation>
    </message>
</context>
<context>
    <name>vireo::StationPanel</name>
    <message>
        <source>Снять автозахват</source>
        <translation>Clear auto capture</translation>
    </message>
    <message>
        <source>Автозахват</source>
        <translation>Auto capture</translation>
    </message>
    <message>
        <source>Справа</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Установка курсора в контрольном номере [cлева/справа]</source>
        <translation>Cursor in the serial number [left/right]</translation>
    </message>
    <message>
        <source>Слева</source>
        <translation>Left</translation>
    </message>
</context>
<context>
    <name>vireo::TDataUpdate</name>
    <message>
        <source>не записана</source>
        <translation>not recorded</translation>
    </message>
    <message>
        <source>Обновление данных стран и позывных</source>
        <translation>Update country and call data</translation>
    </message>
    <message>
        <source>Данные в работе</source>
        <translation>Data in use</translation>
    </message>
    <message>
        <source>Новые файлы</source>
        <translation>New files</translation>
    </message>
    <message>
        <source>Выбрать…</source>
        <translation>Browse…</translation>
    </message>
    <message>
        <source>Страны (cty.dat):</source>
        <translation>Countries (cty.dat):</translation>
    </message>
    <message>
        <source>Позывные (MASTER.SCP):</source>
        <translation>Calls (MASTER.SCP):</translation>
    </message>
    <message>
        <source>Свежие файлы: country-files.com (cty.dat) и supercheckpartial.com (MASTER.SCP). Справочник позывных (Callbook) не меняется.</source>
        <translation>Fresh files: country-files.com (cty.dat) and supercheckpartial.com (MASTER.SCP). The callbook is not changed.</translation>
    </message>
    <message>
        <source>Обновить</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Файл стран cty.dat</source>
        <translation>Country file cty.dat</translation>
    </message>
    <message>
        <source>cty.dat (*.dat);;Все файлы (*)</source>
        <translation>cty.dat (*.dat);;All files (*)</translation>
    </message>
    <message>
        <source>Файл позывных MASTER.SCP</source>
        <translation>Call file MASTER.SCP</translation>
    </message>
    <message>
        <source>MASTER.SCP (*.scp *.SCP);;Все файлы (*)</source>
        <translation>MASTER.SCP (*.scp *.SCP);;All files (*)</translation>
    </message>
    <message>
        <source>Версия cty.dat: %1</source>
        <translation>cty.dat version: %1</translation>
    </message>
    <message>
        <source>Версия MASTER.SCP: %1</source>
        <translation>MASTER.SCP version: %1</translation>
    </message>
    <message>
        <source>Стран: %1, префиксов: %2, позывных: %3</source>
        <translation>Countries: %1, prefixes: %2, calls: %3</translation>
    </message>
</context>
<context>
    <name>vireo::TMyPosition</name>
    <message>
        <source>Моё местоположение</source>
        <translation>My location</translation>
    </message>
    <message>
        <source>Введите QTH-локатор (4, 6 или 8 знаков) или широту и долготу в градусах (север и восток со знаком плюс). От этого места считаются расстояние и азимут до станций.</source>
        <translation>Enter a QTH locator (4, 6 or 8 characters) or the latitude and longitude in degrees (north and east with a plus sign). Distances and azimuths to stations are counted from this place.</translation>
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
    <name>vireo::TRptQso</name>
    <message>
        <source>Повторные связи</source>
        <translation>Repeats</translation>
    </message>
</context>
<context>
    <name>vireo::TScp</name>
    <message>
        <source>Частичный поиск позывных</source>
        <translation>Partial check</translation>
    </message>
    <message>
        <source>Отличаются одним знаком:</source>
        <translation>One character off:</translation>
    </message>
    <message>
        <source>«%1»: найдено %2</source>
        <translation>“%1”: %2 found</translation>
    </message>
    <message>
        <source>Читается список позывных…</source>
        <translation>Reading the call list…</translation>
    </message>
    <message>
        <source>Наберите не меньше двух знаков</source>
        <translation>Type at least two characters</translation>
    </message>
</context>
</TS>
