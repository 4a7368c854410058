<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>vireo::RigCheck</name>
    <message>
        <source>Радио не ответило за %1 с.</source>
        <translation>The radio did not answer within %1 s.</translation>
    </message>
    <message>
        <source>Радио не выбрано.</source>
        <translation>No radio selected.</translation>
    </message>
    <message>
        <source>Радио отвечает: %1 кГц, %2 (%3)</source>
        <translation>The radio answers: %1 kHz, %2 (%3)</translation>
    </message>
</context>
<context>
    <name>vireo::RigProblem</name>
    <message>
        <source>Программа rigctld не установлена. Установите её командой
sudo apt install libhamlib-utils</source>
        <translation>rigctld is not installed. Install it with
sudo apt install libhamlib-utils</translation>
    </message>
    <message>
        <source>Порт %1 не найден: радио не подключено к компьютеру или выключено.</source>
        <translation>Port %1 not found: the radio is not connected to this computer or is switched off.</translation>
    </message>
    <message>
        <source>Нет прав на порт %1. Добавьте себя в группу dialout командой
%2
и войдите в систему заново.</source>
        <translation>No permission for port %1. Add yourself to the dialout group with
%2
then log out and log in again.</translation>
    </message>
    <message>
        <source>Порт %1 занят другой программой.</source>
        <translation>Port %1 is in use by another program.</translation>
    </message>
    <message>
        <source>Радио не отвечает: проверьте, что оно включено и что модель, порт и скорость выбраны верно.</source>
        <translation>The radio does not answer: check that it is switched on and that the model, port and speed are right.</translation>
    </message>
    <message>
        <source>Программа rigctld завершилась с ошибкой.</source>
        <translation>rigctld exited with an error.</translation>
    </message>
    <message>
        <source>нет rigctld</source>
        <translation>no rigctld</translation>
    </message>
    <message>
        <source>нет порта</source>
        <translation>no port</translation>
    </message>
    <message>
        <source>нет прав на порт</source>
        <translation>no port permission</translation>
    </message>
    <message>
        <source>порт занят</source>
        <translation>port busy</translation>
    </message>
    <message>
        <source>Радио не отвечает</source>
        <translation>No answer from radio</translation>
    </message>
    <message>
        <source>rigctld завершился</source>
        <translation>rigctld exited</translation>
    </message>
</context>
<context>
    <name>vireo::RigReplies</name>
    <message>
        <source>неверный параметр</source>
        <translation>invalid parameter</translation>
    </message>
    <message>
        <source>неверная настройка</source>
        <translation>invalid configuration</translation>
    </message>
    <message>
        <source>не хватает памяти</source>
        <translation>out of memory</translation>
    </message>
    <message>
        <source>команда не реализована для этого радио</source>
        <translation>command not implemented for this radio</translation>
    </message>
    <message>
        <source>радио не ответило вовремя</source>
        <translation>the radio timed out</translation>
    </message>
    <message>
        <source>ошибка обмена с радио</source>
        <translation>I/O error with the radio</translation>
    </message>
    <message>
        <source>внутренняя ошибка Hamlib</source>
        <translation>Hamlib internal error</translation>
    </message>
    <message>
        <source>ошибка протокола радио</source>
        <translation>radio protocol error</translation>
    </message>
    <message>
        <source>радио отвергло команду</source>
        <translation>command rejected by the radio</translation>
    </message>
    <message>
        <source>ответ радио обрезан</source>
        <translation>the radio&apos;s reply was truncated</translation>
    </message>
    <message>
        <source>функция недоступна на этом радио</source>
        <translation>function not available on this radio</translation>
    </message>
    <message>
        <source>цель команды недоступна</source>
        <translation>target not available</translation>
    </message>
    <message>
        <source>ошибка шины</source>
        <translation>bus error</translation>
    </message>
    <message>
        <source>шина занята</source>
        <translation>bus busy</translation>
    </message>
    <message>
        <source>неверный аргумент</source>
        <translation>invalid argument</translation>
    </message>
    <message>
        <source>неверный VFO</source>
        <translation>invalid VFO</translation>
    </message>
    <message>
        <source>значение вне допустимых пределов</source>
        <translation>value out of range</translation>
    </message>
    <message>
        <source>функция устарела</source>
        <translation>function deprecated</translation>
    </message>
    <message>
        <source>отказано по соображениям безопасности</source>
        <translation>refused for security reasons</translation>
    </message>
    <message>
        <source>радио выключено</source>
        <translation>the radio is powered off</translation>
    </message>
    <message>
        <source>rigctld ответил RPRT %1</source>
        <translation>rigctld answered RPRT %1</translation>
    </message>
    <message>
        <source>Радио %1 не перешло на %2 (%3); частота не изменена.</source>
        <translation>Radio %1 did not switch to %2 (%3); the frequency is unchanged.</translation>
    </message>
    <message>
        <source>Радио %1 не перестроилось на %2 кГц (%3).</source>
        <translation>Radio %1 did not tune to %2 kHz (%3).</translation>
    </message>
    <message>
        <source>Радио %1 не на связи: перестроить его нельзя.</source>
        <translation>Radio %1 is not connected: it cannot be tuned.</translation>
    </message>
    <message>
        <source>Радио %1 не перестроено: %2.</source>
        <translation>Radio %1 not tuned: %2.</translation>
    </message>
    <message>
        <source>Радио %1 нельзя перестроить из Vireo.</source>
        <translation>Radio %1 cannot be tuned from Vireo.</translation>
    </message>
</context>
<context>
    <name>vireo::RigctldRadio</name>
    <message>
        <source>на этом порту отвечает не rigctld</source>
        <translation>the program on this port is not rigctld</translation>
    </message>
    <message>
        <source>Запуск rigctld...</source>
        <translation>Starting rigctld...</translation>
    </message>
    <message>
        <source>Подключение...</source>
        <translation>Connecting...</translation>
    </message>
    <message>
        <source>Радио-%1</source>
        <translation>Radio-%1</translation>
    </message>
    <message>
        <source>не настроено</source>
        <translation>not set up</translation>
    </message>
    <message>
        <source>rigctld запущен заново</source>
        <translation>rigctld was restarted</translation>
    </message>
    <message>
        <source>Неверный ответ</source>
        <translation>Bad reply</translation>
    </message>
    <message>
        <source>Радио не отвечает</source>
        <translation>No answer from radio</translation>
    </message>
    <message>
        <source>Нет связи</source>
        <translation>No link</translation>
    </message>
    <message>
        <source>нет ответа на подключение за %1 с</source>
        <translation>no answer to the connection within %1 s</translation>
    </message>
    <message>
        <source>Не отвечает</source>
        <translation>No answer</translation>
    </message>
    <message>
        <source>rigctld не ответил на команду за %1 с</source>
        <translation>rigctld did not answer a command within %1 s</translation>
    </message>
    <message>
        <source>подключение отклонено, на этом порту никто не ждёт подключений (rigctld не запущен или слушает другой порт)</source>
        <translation>connection refused, nothing listens on this port (rigctld is not running or listens on another port)</translation>
    </message>
    <message>
        <source>адрес %1 не найден</source>
        <translation>host %1 not found</translation>
    </message>
    <message>
        <source>rigctld закрыл соединение</source>
        <translation>rigctld closed the connection</translation>
    </message>
    <message>
        <source>сеть недоступна (%1)</source>
        <translation>network unreachable (%1)</translation>
    </message>
    <message>
        <source>ошибка соединения (%1)</source>
        <translation>connection error (%1)</translation>
    </message>
</context>
<context>
    <name>vireo::RigctldServer</name>
    <message>
        <source>модель Hamlib %1</source>
        <translation>Hamlib model %1</translation>
    </message>
    <message>
        <source>%1, порт %2</source>
        <translation>%1, port %2</translation>
    </message>
    <message>
        <source>Радио %1 (%2, rigctld запускает Vireo): %3</source>
        <translation>Radio %1 (%2, rigctld run by Vireo): %3</translation>
    </message>
    <message>
        <source>не отвечает</source>
        <translation>no answer</translation>
    </message>
    <message>
        <source>Радио %1: rigctld по адресу %2:%3 недоступен: %4.</source>
        <translation>Radio %1: rigctld at %2:%3 cannot be reached: %4.</translation>
    </message>
</context>
<context>
    <name>vireo::TRigSetup</name>
    <message>
        <source>Управление CAT</source>
        <translation>Rig control (CAT)</translation>
    </message>
    <message>
        <source>Радио %1</source>
        <translation>Radio %1</translation>
    </message>
    <message>
        <source>Запустить программу из settings.ini</source>
        <translation>Run the program from settings.ini</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Радио 1 и радио 2 подключены к одному порту %1. Выберите для радио 2 другой порт.</source>
        <translation>Radio 1 and radio 2 are set to the same port %1. Choose another port for radio 2.</translation>
    </message>
    <message>
        <source>Команда программы управления радио в файле settings.ini (раздел [Rig], ключ Command) записана неверно: не закрыта кавычка.
%1</source>
        <translation>The rig control command in settings.ini (section [Rig], key Command) is malformed: a quote is not closed.
%1</translation>
    </message>
    <message>
        <source>Не удалось запустить программу управления радио: %1</source>
        <translation>Could not start the rig control program: %1</translation>
    </message>
</context>
<context>
    <name>vireo::TRigSetupPage</name>
    <message>
        <source>стабильная</source>
        <translation>stable</translation>
    </message>
    <message>
        <source>бета</source>
        <translation>beta</translation>
    </message>
    <message>
        <source>альфа</source>
        <translation>alpha</translation>
    </message>
    <message>
        <source>не проверена</source>
        <translation>untested</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Радио подключено к этому компьютеру (rigctld запускает Vireo)</source>
        <translation>Radio connected to this computer (Vireo runs rigctld)</translation>
    </message>
    <message>
        <source>rigctld, который работает отдельно (адрес и порт)</source>
        <translation>rigctld running separately (host and port)</translation>
    </message>
    <message>
        <source>Радио</source>
        <translation>Radio</translation>
    </message>
    <message>
        <source>Поиск:</source>
        <translation>Search:</translation>
    </message>
    <message>
        <source>производитель или модель, например Icom 7300</source>
        <translation>maker or model, e.g. Icom 7300</translation>
    </message>
    <message>
        <source>Производитель</source>
        <translation>Maker</translation>
    </message>
    <message>
        <source>Модель</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Номер</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>Состояние</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Загрузка списка радиостанций…</source>
        <translation>Loading the list of radios…</translation>
    </message>
    <message>
        <source>последовательные порты не найдены</source>
        <translation>no serial ports found</translation>
    </message>
    <message>
        <source>Порт:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>как у модели</source>
        <translation>model default</translation>
    </message>
    <message>
        <source>Скорость:</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>Адрес:</source>
        <translation>Host:</translation>
    </message>
    <message>
        <source>Проверить</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>модель %1</source>
        <translation>model %1</translation>
    </message>
    <message>
        <source>Радио %1: выберите модель в списке.</source>
        <translation>Radio %1: choose a model from the list.</translation>
    </message>
    <message>
        <source>Радио %1: укажите адрес компьютера, на котором работает rigctld.</source>
        <translation>Radio %1: enter the address of the computer that runs rigctld.</translation>
    </message>
    <message>
        <source>Проверка...</source>
        <translation>Testing...</translation>
    </message>
</context>
<context>
    <name>vireo::rig::ModelListLoader</name>
    <message>
        <source>Программа rigctl не найдена. Установите пакет Hamlib: sudo apt install libhamlib-utils</source>
        <translation>rigctl not found. Install Hamlib: sudo apt install libhamlib-utils</translation>
    </message>
    <message>
        <source>Программа rigctl не выдала список моделей.</source>
        <translation>rigctl did not give the list of models.</translation>
    </message>
</context>
</TS>
