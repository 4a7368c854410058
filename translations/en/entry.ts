<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>vireo::BandPlan</name>
    <message>
        <source>Частота %1 не входит ни в один диапазон; диапазон не выбран</source>
        <translation>Frequency %1 is outside every band; no band chosen</translation>
    </message>
    <message>
        <source>Частота %1 не входит ни в один диапазон; диапазон остаётся %2</source>
        <translation>Frequency %1 is outside every band; the band stays %2</translation>
    </message>
</context>
<context>
    <name>vireo::EntryPanel</name>
    <message>
        <source>F1: Рокировка heard и worked станций</source>
        <translation>F1: Swap the Heard and Worked stations</translation>
    </message>
    <message>
        <source>F2: Очистить все окна</source>
        <translation>F2: Clear all fields</translation>
    </message>
</context>
<context>
    <name>vireo::FieldLayout</name>
    <message>
        <source>Установить окна ввода вертикально</source>
        <translation>Entry fields vertical</translation>
    </message>
    <message>
        <source>Установить окна ввода горизонтально</source>
        <translation>Entry fields horizontal</translation>
    </message>
</context>
<context>
    <name>vireo::QsoEntry</name>
    <message>
        <source> Не верное значение частоты, запись невозможна</source>
        <translation> Invalid frequency, the QSO cannot be logged</translation>
    </message>
    <message>
        <source>&apos;%1&apos; не является целым числом</source>
        <translation>&apos;%1&apos; is not a whole number</translation>
    </message>
    <message>
        <source>Неверное значение часов</source>
        <translation>Invalid hours</translation>
    </message>
    <message>
        <source>Неверное значение минут</source>
        <translation>Invalid minutes</translation>
    </message>
</context>
<context>
    <name>vireo::TopStrip</name>
    <message>
        <source>Радио-1</source>
        <translation>Radio 1</translation>
    </message>
    <message>
        <source>Радио-2</source>
        <translation>Radio 2</translation>
    </message>
</context>
</TS>
