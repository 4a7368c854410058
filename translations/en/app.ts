<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>vireo::LanguageChoice</name>
    <message>
        <source>Язык интерфейса сменится при следующем запуске Vireo.</source>
        <translation>The interface language changes when Vireo starts next time.</translation>
    </message>
</context>
</TS>
