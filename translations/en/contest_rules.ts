<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>vireo::RuleFile</name>
    <message>
        <source>строка не закрыта кавычкой</source>
        <translation>string has no closing quote</translation>
    </message>
    <message>
        <source>нет значения</source>
        <translation>value missing</translation>
    </message>
    <message>
        <source>слишком глубокая вложенность</source>
        <translation>nested too deep</translation>
    </message>
    <message>
        <source>объект не закрыт знаком «}»</source>
        <translation>object not closed with &quot;}&quot;</translation>
    </message>
    <message>
        <source>между значениями нет запятой</source>
        <translation>comma missing between values</translation>
    </message>
    <message>
        <source>ожидается имя ключа в кавычках</source>
        <translation>expected a key name in quotes</translation>
    </message>
    <message>
        <source>после имени ключа нет двоеточия</source>
        <translation>colon missing after the key name</translation>
    </message>
    <message>
        <source>список не закрыт знаком «]»</source>
        <translation>list not closed with &quot;]&quot;</translation>
    </message>
    <message>
        <source>Файл правил «%1» не открывается: %2.</source>
        <translation>Rules file &quot;%1&quot; cannot be opened: %2.</translation>
    </message>
    <message>
        <source>Файл правил «%1» больше 1 МБ: это не описание соревнования.</source>
        <translation>Rules file &quot;%1&quot; is larger than 1 MB: not a contest definition.</translation>
    </message>
    <message>
        <source>«%1»</source>
        <translation>&quot;%1&quot;</translation>
    </message>
    <message>
        <source>недопустимое значение</source>
        <translation>invalid value</translation>
    </message>
    <message>
        <source>файл оборван на числе</source>
        <translation>file ends in the middle of a number</translation>
    </message>
    <message>
        <source>неверное число</source>
        <translation>invalid number</translation>
    </message>
    <message>
        <source>неверный знак после «\»</source>
        <translation>invalid character after &quot;\&quot;</translation>
    </message>
    <message>
        <source>текст не в кодировке UTF-8</source>
        <translation>text is not in UTF-8</translation>
    </message>
    <message>
        <source>ожидался объект «{ … }»</source>
        <translation>expected an object &quot;{ … }&quot;</translation>
    </message>
    <message>
        <source>файл слишком велик</source>
        <translation>file too large</translation>
    </message>
    <message>
        <source>лишний текст после конца описания</source>
        <translation>extra text after the end of the definition</translation>
    </message>
    <message>
        <source>ошибка разбора</source>
        <translation>parse error</translation>
    </message>
    <message>
        <source>неизвестный ключ (возможны: %1)</source>
        <translation>unknown key (allowed: %1)</translation>
    </message>
    <message>
        <source>ключ обязателен, но его нет</source>
        <translation>required key missing</translation>
    </message>
    <message>
        <source>ожидается текст в кавычках</source>
        <translation>expected text in quotes</translation>
    </message>
    <message>
        <source>текст не может быть пустым</source>
        <translation>text must not be empty</translation>
    </message>
    <message>
        <source>ожидается целое число от %1</source>
        <translation>expected a whole number of %1 or more</translation>
    </message>
    <message>
        <source>ожидается целое число не меньше %1</source>
        <translation>expected a whole number of %1 or more</translation>
    </message>
    <message>
        <source>ожидается объект «{ … }»</source>
        <translation>expected an object &quot;{ … }&quot;</translation>
    </message>
    <message>
        <source>ожидается список «[ … ]»</source>
        <translation>expected a list &quot;[ … ]&quot;</translation>
    </message>
    <message>
        <source>неизвестная область %1 (возможны: contest, band, mode, tour и их сочетания через дефис в этом порядке: band-mode, band-mode-tour, …)</source>
        <translation>unknown scope %1 (allowed: contest, band, mode, tour and their combinations joined by hyphens in this order: band-mode, band-mode-tour, …)</translation>
    </message>
    <message>
        <source>неизвестная станция %1 (возможны: %2)</source>
        <translation>unknown station %1 (allowed: %2)</translation>
    </message>
    <message>
        <source>неизвестный вид множителя %1 (возможны: dxcc, cq-zone, itu-zone, wpx, exchange, call)</source>
        <translation>unknown multiplier kind %1 (allowed: dxcc, cq-zone, itu-zone, wpx, exchange, call)</translation>
    </message>
    <message>
        <source>неверное регулярное выражение (%1)</source>
        <translation>invalid regular expression (%1)</translation>
    </message>
    <message>
        <source>ожидается true или false</source>
        <translation>expected true or false</translation>
    </message>
    <message>
        <source>бывает только у множителя вида exchange</source>
        <translation>allowed only for a multiplier of kind exchange</translation>
    </message>
    <message>
        <source>веса диапазонов бывают только у множителя с областью по диапазону (per: band, band-mode, …)</source>
        <translation>band weights are allowed only for a multiplier counted per band (per: band, band-mode, …)</translation>
    </message>
    <message>
        <source>неизвестный вид ограничения %1 (возможны: max, gap, run, once)</source>
        <translation>unknown limit kind %1 (allowed: max, gap, run, once)</translation>
    </message>
    <message>
        <source>неизвестное исключение %1 (возможно: new-multiplier)</source>
        <translation>unknown exception %1 (allowed: new-multiplier)</translation>
    </message>
    <message>
        <source>неизвестный способ подсчёта %1 (возможны: points-times-multipliers, multipliers-product)</source>
        <translation>unknown scoring method %1 (allowed: points-times-multipliers, multipliers-product)</translation>
    </message>
    <message>
        <source>Файл правил %1</source>
        <translation>Rules file %1</translation>
    </message>
    <message>
        <source>%1, строка %2%3: %4.</source>
        <translation>%1, line %2%3: %4.</translation>
    </message>
    <message>
        <source>, после ключа %1</source>
        <translation>, after key %1</translation>
    </message>
    <message>
        <source>%1, строка 1: ожидается объект «{ … }» с ключами name и swl.</source>
        <translation>%1, line 1: expected an object &quot;{ … }&quot; with the keys name and swl.</translation>
    </message>
    <message>
        <source>%1, строка %2, ключ %3: %4.</source>
        <translation>%1, line %2, key %3: %4.</translation>
    </message>
</context>
<context>
    <name>vireo::Score</name>
    <message numerus="yes">
        <source>%n раз</source>
        <translation>
            <numerusform>%n time</numerusform>
            <numerusform>%n times</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n очко</source>
        <translation>
            <numerusform>%n point</numerusform>
            <numerusform>%n points</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n множитель</source>
        <translation>
            <numerusform>%n multiplier</numerusform>
            <numerusform>%n multipliers</numerusform>
        </translation>
    </message>
    <message>
        <source>в соревновании</source>
        <translation>in the contest</translation>
    </message>
    <message>
        <source>на %1</source>
        <translation>on %1</translation>
    </message>
    <message>
        <source>в туре %1</source>
        <translation>in tour %1</translation>
    </message>
    <message>
        <source>тур %1</source>
        <translation>tour %1</translation>
    </message>
    <message>
        <source>зона CQ %1</source>
        <translation>CQ zone %1</translation>
    </message>
    <message>
        <source>зона ITU %1</source>
        <translation>ITU zone %1</translation>
    </message>
    <message>
        <source>слышимая станция</source>
        <translation>heard</translation>
    </message>
    <message>
        <source>корреспондент</source>
        <translation>worked</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1 уже %2 %3: не засчитывается</source>
        <translation>%1 already %2 %3: not counted</translation>
    </message>
    <message>
        <source>%1 снова через %2 мин %3 (нужно не меньше %4 мин): не засчитывается</source>
        <translation>%1 again after %2 min %3 (at least %4 min needed): not counted</translation>
    </message>
    <message>
        <source>%1 после %2 подряд %3: других записей %4, нужно %5: не засчитывается</source>
        <translation>%1 after %2 in a row %3: other entries %4, %5 needed: not counted</translation>
    </message>
    <message>
        <source>%1 уже есть в журнале %2 (засчитывается один раз): не засчитывается</source>
        <translation>%1 already in the log %2 (counts once): not counted</translation>
    </message>
    <message>
        <source>%1: не засчитывается</source>
        <translation>%1: not counted</translation>
    </message>
    <message>
        <source>дата или время не читаются («%1 %2»): не засчитывается</source>
        <translation>date or time unreadable (&quot;%1 %2&quot;): not counted</translation>
    </message>
    <message>
        <source>засчитывается: %1</source>
        <translation>counts: %1</translation>
    </message>
    <message>
        <source>новый множитель: %1</source>
        <translation>new multiplier: %1</translation>
    </message>
    <message>
        <source>новые множители: %1</source>
        <translation>new multipliers: %1</translation>
    </message>
</context>
<context>
    <name>vireo::rules::MultipliersModel</name>
    <message>
        <source>Множитель</source>
        <translation>Multiplier</translation>
    </message>
    <message>
        <source>Вид</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>Станция</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>страна DXCC</source>
        <translation>DXCC country</translation>
    </message>
    <message>
        <source>зона CQ</source>
        <translation>CQ zone</translation>
    </message>
    <message>
        <source>зона ITU</source>
        <translation>ITU zone</translation>
    </message>
    <message>
        <source>префикс WPX</source>
        <translation>WPX prefix</translation>
    </message>
    <message>
        <source>контрольный номер</source>
        <translation>number</translation>
    </message>
    <message>
        <source>позывной</source>
        <translation>call</translation>
    </message>
</context>
<context>
    <name>vireo::rules::RefusedModel</name>
    <message>
        <source>Почему не засчитано</source>
        <translation>Why not counted</translation>
    </message>
</context>
<context>
    <name>vireo::rules::RulesTracker</name>
    <message>
        <source>Журнал не подсчитан по правилам «%1»: %2</source>
        <translation>Log not scored by the rules &quot;%1&quot;: %2</translation>
    </message>
</context>
<context>
    <name>vireo::rules::ScoreBandsModel</name>
    <message>
        <source>Диапазон</source>
        <translation>Band</translation>
    </message>
    <message>
        <source>Записей</source>
        <translation>Entries</translation>
    </message>
    <message>
        <source>Засчитано</source>
        <translation>Counted</translation>
    </message>
    <message>
        <source>Не засчитано</source>
        <translation>Not counted</translation>
    </message>
    <message>
        <source>Очки</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>Множители</source>
        <translation>Multipliers</translation>
    </message>
    <message>
        <source>Всего</source>
        <translation>Total</translation>
    </message>
</context>
<context>
    <name>vireo::rules::TScore</name>
    <message>
        <source>Счёт</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>Заявленный счёт:</source>
        <translation>Claimed score:</translation>
    </message>
    <message>
        <source>Двойной щелчок — показать запись в журнале</source>
        <translation>Double-click to show the entry in the log</translation>
    </message>
    <message>
        <source>Всего</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>зона ITU 28, 20M CW</source>
        <translation>ITU zone 28, 20M CW</translation>
    </message>
    <message>
        <source>Множители</source>
        <translation>Multipliers</translation>
    </message>
    <message>
        <source>Правила соревнования не выбраны: выберите их в окне «Настройка туров».</source>
        <translation>No contest rules chosen: choose them in the &quot;Tours&quot; window.</translation>
    </message>
    <message>
        <source>Журнал не подсчитан: %1</source>
        <translation>Log not scored: %1</translation>
    </message>
    <message>
        <source>Не засчитано</source>
        <translation>Not counted</translation>
    </message>
    <message>
        <source>%1, правила %2</source>
        <translation>%1, %2 rules</translation>
    </message>
    <message>
        <source>Счёт может отставать от журнала: %1</source>
        <translation>The score may lag behind the log: %1</translation>
    </message>
    <message>
        <source>Множителей нет: счёт — сумма очков (%1).</source>
        <translation>No multipliers: the score is the sum of points (%1).</translation>
    </message>
    <message>
        <source>Произведение множителей: %1 = %2</source>
        <translation>Product of multipliers: %1 = %2</translation>
    </message>
    <message>
        <source>Не засчитано: %1</source>
        <translation>Not counted: %1</translation>
    </message>
</context>
</TS>
