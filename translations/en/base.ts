<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>vireo::Captions</name>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>vireo::Error</name>
    <message>
        <source>Строка %1: %2.</source>
        <translation>Line %1: %2.</translation>
    </message>
</context>
<context>
    <name>vireo::IniFile</name>
    <message>
        <source>Файл настроек %1 не удалось прочитать целиком, поэтому он не перезаписан</source>
        <translation>Settings file %1 could not be read in full, so it was not overwritten</translation>
    </message>
    <message>
        <source>Не удалось записать файл настроек %1</source>
        <translation>Cannot write settings file %1</translation>
    </message>
</context>
</TS>
