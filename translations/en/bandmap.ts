<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>vireo::BandMap</name>
    <message>
        <source>Нечего отмечать: наберите позывной услышанной станции, затем Ctrl+M.</source>
        <translation>Nothing to mark: type the heard station&apos;s call, then Ctrl+M.</translation>
    </message>
    <message>
        <source>Диапазон не выбран: %1 не отмечен.</source>
        <translation>No band chosen: %1 not marked.</translation>
    </message>
    <message>
        <source>Частота «%1» не число: %2 не отмечен.</source>
        <translation>Frequency &quot;%1&quot; is not a number: %2 not marked.</translation>
    </message>
    <message>
        <source>Частота %1 кГц относится к диапазону %2, а не %3: %4 не отмечен.</source>
        <translation>Frequency %1 kHz belongs to band %2, not %3: %4 not marked.</translation>
    </message>
    <message>
        <source>%1 не отмечен: %2.</source>
        <translation>%1 not marked: %2.</translation>
    </message>
    <message>
        <source>%1 не отмечен: %2</source>
        <translation>%1 not marked: %2</translation>
    </message>
    <message>
        <source>%1 отмечен на карте: %2 кГц, %3.</source>
        <translation>%1 marked on the map: %2 kHz, %3.</translation>
    </message>
    <message>
        <source>%1 мин</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 ч %2 мин</source>
        <translation>%1 h %2 min</translation>
    </message>
</context>
<context>
    <name>vireo::BandScale</name>
    <message>
        <source>%1: %2 кГц, %3 назад</source>
        <translation>%1: %2 kHz, %3 ago</translation>
    </message>
    <message>
        <source>С ним: %1</source>
        <translation>Worked: %1</translation>
    </message>
    <message>
        <source>Отмечен без связи</source>
        <translation>Marked without a QSO</translation>
    </message>
    <message>
        <source>Повтор: уже записан в этом туре</source>
        <translation>Repeat: already logged in this tour</translation>
    </message>
    <message>
        <source>Был корреспондентом в этом туре</source>
        <translation>Was a worked station in this tour</translation>
    </message>
    <message>
        <source>Щелчок: перестроиться на эту частоту</source>
        <translation>Click: tune to this frequency</translation>
    </message>
</context>
<context>
    <name>vireo::TBandMap</name>
    <message>
        <source>Карта диапазона</source>
        <translation>Band map</translation>
    </message>
    <message>
        <source>хранить </source>
        <translation>keep </translation>
    </message>
    <message>
        <source> мин</source>
        <translation> min</translation>
    </message>
    <message>
        <source>Сколько минут станция остаётся на карте после последней связи или отметки</source>
        <translation>How many minutes a station stays on the map after its last QSO or mark</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#ff0000&quot;&gt;&lt;b&gt;красный&lt;/b&gt;&lt;/span&gt; — уже записан в этом туре; &lt;span style=&quot;background-color:#00ffff&quot;&gt;голубой&lt;/span&gt; — был корреспондентом; ◇ — отмечен без связи (Ctrl+M). Щелчок по станции — перестроиться на неё.</source>
        <translation>&lt;span style=&quot;color:#ff0000&quot;&gt;&lt;b&gt;red&lt;/b&gt;&lt;/span&gt; — already logged in this tour; &lt;span style=&quot;background-color:#00ffff&quot;&gt;cyan&lt;/span&gt; — was a worked station; ◇ — marked without a QSO (Ctrl+M). Click a station to tune to it.</translation>
    </message>
    <message>
        <source>Диапазон не выбран</source>
        <translation>No band chosen</translation>
    </message>
    <message numerus="yes">
        <source>: станций %n</source>
        <translation>
            <numerusform>: %n station</numerusform>
            <numerusform>: %n stations</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2, тур %3%4</source>
        <translation>%1, %2, tour %3%4</translation>
    </message>
    <message>
        <source>Частота «%1» не число: не от чего искать станцию на карте.</source>
        <translation>Frequency &quot;%1&quot; is not a number: no point to search the map from.</translation>
    </message>
    <message>
        <source>Выше %1 кГц на карте станций нет.</source>
        <translation>No stations on the map above %1 kHz.</translation>
    </message>
    <message>
        <source>Ниже %1 кГц на карте станций нет.</source>
        <translation>No stations on the map below %1 kHz.</translation>
    </message>
</context>
</TS>
