<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>vireo::ManualLink</name>
    <message>
        <source>Руководство пользователя не найдено: нет файла %1.
Переустановите программу, чтобы вернуть его.</source>
        <translation>User manual not found: there is no file %1.
Reinstall the program to get it back.</translation>
    </message>
    <message>
        <source>Не удалось открыть руководство пользователя %1.
Установите программу для просмотра файлов PDF.</source>
        <translation>Could not open the user manual %1.
Install a program for viewing PDF files.</translation>
    </message>
</context>
<context>
    <name>vireo::TAboutBox</name>
    <message>
        <source>© Авторы программы Vireo, 2017</source>
        <translation>© The authors of Vireo, 2017</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Программа для ведения лога наблюдений в соревнованиях на КВ, УКВ диапазонах и составления отчета</source>
        <translation>A program for logging what you hear in HF and VHF contests and for writing the report</translation>
    </message>
    <message>
        <source>Настройки: %1
Журнал: %2</source>
        <translation>Settings: %1
Log: %2</translation>
    </message>
</context>
</TS>
