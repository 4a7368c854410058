<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>vireo::AudioControls</name>
    <message>
        <source>Звук…</source>
        <translation>Audio…</translation>
    </message>
    <message>
        <source>Повторить последние секунды</source>
        <translation>Replay last seconds</translation>
    </message>
    <message>
        <source>Повтор: на 3 с назад</source>
        <translation>Replay: back 3 s</translation>
    </message>
    <message>
        <source>Повтор: на 3 с вперёд</source>
        <translation>Replay: forward 3 s</translation>
    </message>
    <message>
        <source>Остановить повтор</source>
        <translation>Stop replay</translation>
    </message>
    <message>
        <source>Прослушать</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Сохранить фрагмент…</source>
        <translation>Save clip…</translation>
    </message>
    <message>
        <source>Звук приёмника записывается в папку %1</source>
        <translation>Receiver audio is recorded to folder %1</translation>
    </message>
    <message>
        <source>Выберите запись в журнале, звук которой нужен.</source>
        <translation>Select the log entry whose audio you want.</translation>
    </message>
    <message>
        <source>Сохранить фрагмент записи</source>
        <translation>Save audio clip</translation>
    </message>
</context>
<context>
    <name>vireo::AudioDevices</name>
    <message>
        <source>По умолчанию</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>По умолчанию: %1</source>
        <translation>Default: %1</translation>
    </message>
    <message>
        <source>по умолчанию</source>
        <translation>default</translation>
    </message>
</context>
<context>
    <name>vireo::AudioFile</name>
    <message>
        <source>на диске нет места</source>
        <translation>no space left on the disk</translation>
    </message>
    <message>
        <source>нет прав на запись в папку</source>
        <translation>no permission to write to the folder</translation>
    </message>
    <message>
        <source>диск открыт только для чтения</source>
        <translation>the disk is read-only</translation>
    </message>
    <message>
        <source>файл превысил допустимый размер</source>
        <translation>the file exceeded the allowed size</translation>
    </message>
    <message>
        <source>папка не найдена</source>
        <translation>folder not found</translation>
    </message>
    <message>
        <source>ошибка ввода-вывода диска</source>
        <translation>disk I/O error</translation>
    </message>
    <message>
        <source>ошибка записи</source>
        <translation>write error</translation>
    </message>
    <message>
        <source>Не удалось открыть файл записи звука %1: %2.</source>
        <translation>Could not open the audio recording file %1: %2.</translation>
    </message>
    <message>
        <source>Не удалось записать файл %1: %2.</source>
        <translation>Could not write file %1: %2.</translation>
    </message>
    <message>
        <source>Кодер Opus отказал (%1: %2).</source>
        <translation>The Opus encoder failed (%1: %2).</translation>
    </message>
    <message>
        <source>ошибка записи (%1)</source>
        <translation>write error (%1)</translation>
    </message>
    <message>
        <source>Звук этого времени не записан: файл %1 не создан.</source>
        <translation>No audio was recorded for this time: file %1 not created.</translation>
    </message>
</context>
<context>
    <name>vireo::AudioService</name>
    <message>
        <source>Запись звука</source>
        <translation>Recording audio</translation>
    </message>
    <message>
        <source>Устройство записи «%1» не найдено: звук не записывается. Подключите его или выберите другое: «Установки» → «Звук».</source>
        <translation>Recording device &quot;%1&quot; not found: audio is not being recorded. Plug it in or choose another: &quot;Settings&quot; → &quot;Audio&quot;.</translation>
    </message>
    <message>
        <source>Запись звука выключена: повторять нечего. Включите её: «Установки» → «Звук».</source>
        <translation>Audio recording is off: nothing to replay. Turn it on: &quot;Settings&quot; → &quot;Audio&quot;.</translation>
    </message>
    <message>
        <source>Звук этой записи не найден: с %1 по %2 UTC ничего не записано.</source>
        <translation>No audio found for this entry: nothing was recorded from %1 to %2 UTC.</translation>
    </message>
    <message>
        <source>У этой записи нет момента сохранения, по которому находится её звук: она сохранена до того, как появилась запись звука, введена вручную или загружена из файла.</source>
        <translation>This entry has no save time to find its audio by: it was saved before audio recording existed, typed in by hand or loaded from a file.</translation>
    </message>
</context>
<context>
    <name>vireo::InputCapture</name>
    <message>
        <source>его не удалось открыть</source>
        <translation>it could not be opened</translation>
    </message>
    <message>
        <source>ошибка чтения звука</source>
        <translation>audio read error</translation>
    </message>
    <message>
        <source>устройство отказало</source>
        <translation>the device failed</translation>
    </message>
    <message>
        <source>устройство перестало давать звук</source>
        <translation>the device stopped delivering audio</translation>
    </message>
    <message>
        <source>Устройство записи «%1» недоступно: %2. Звук не записывается.</source>
        <translation>Recording device &quot;%1&quot; unavailable: %2. Audio is not being recorded.</translation>
    </message>
    <message>
        <source>Устройство записи не найдено: звук не записывается. Выберите устройство в «Установки» → «Звук».</source>
        <translation>No recording device found: audio is not being recorded. Choose a device in &quot;Settings&quot; → &quot;Audio&quot;.</translation>
    </message>
    <message>
        <source>Устройство записи «%1» не даёт звук с частотой 48 кГц: звук не записывается.</source>
        <translation>Recording device &quot;%1&quot; does not deliver 48 kHz audio: audio is not being recorded.</translation>
    </message>
</context>
<context>
    <name>vireo::Player</name>
    <message>
        <source>Устройство воспроизведения не найдено. Выберите его в «Установки» → «Звук».</source>
        <translation>No playback device found. Choose one in &quot;Settings&quot; → &quot;Audio&quot;.</translation>
    </message>
    <message>
        <source>Устройство воспроизведения «%1» недоступно.</source>
        <translation>Playback device &quot;%1&quot; unavailable.</translation>
    </message>
    <message>
        <source>Устройство воспроизведения «%1» перестало принимать звук.</source>
        <translation>Playback device &quot;%1&quot; stopped accepting audio.</translation>
    </message>
</context>
<context>
    <name>vireo::Recorder</name>
    <message>
        <source>Освободите место на диске и снова включите запись: «Установки» → «Звук».</source>
        <translation>Free some disk space and turn recording on again: &quot;Settings&quot; → &quot;Audio&quot;.</translation>
    </message>
    <message>
        <source>Запись звука остановлена. %1</source>
        <translation>Audio recording stopped. %1</translation>
    </message>
    <message>
        <source>Запись звука остановлена: на диске осталось меньше %1 МБ (папка %2), это место оставлено для журнала.</source>
        <translation>Audio recording stopped: less than %1 MB left on the disk (folder %2), kept free for the log.</translation>
    </message>
</context>
<context>
    <name>vireo::TAudioSetup</name>
    <message>
        <source>Звук</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>−90 дБ  </source>
        <translation>−90 dB  </translation>
    </message>
    <message>
        <source>Записывать</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>Записывать звук приёмника в папку audio рядом с журналом, по файлу на час</source>
        <translation>Record the receiver audio to the audio folder beside the log, one file per hour</translation>
    </message>
    <message>
        <source> с</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Сколько последних секунд повторяет Ctrl+R</source>
        <translation>How many last seconds Ctrl+R replays</translation>
    </message>
    <message>
        <source>всегда</source>
        <translation>forever</translation>
    </message>
    <message>
        <source>Записи старше стольких дней удаляются при запуске программы; 0 — хранить всегда</source>
        <translation>Recordings older than this many days are deleted at startup; 0 keeps them forever</translation>
    </message>
    <message>
        <source>Записи хранятся в папке %1</source>
        <translation>Recordings are kept in folder %1</translation>
    </message>
    <message>
        <source>Вход (звук приёмника):</source>
        <translation>Input (receiver audio):</translation>
    </message>
    <message>
        <source>Уровень входа:</source>
        <translation>Input level:</translation>
    </message>
    <message>
        <source>Выход (для повтора):</source>
        <translation>Output (for replay):</translation>
    </message>
    <message>
        <source>Повтор последних:</source>
        <translation>Replay last:</translation>
    </message>
    <message>
        <source>Хранить записи, дней:</source>
        <translation>Keep recordings, days:</translation>
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
        <source>нет</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Устройство «%1» не удалось открыть</source>
        <translation>Device &quot;%1&quot; could not be opened</translation>
    </message>
    <message>
        <source>−∞ дБ</source>
        <translation>−∞ dB</translation>
    </message>
    <message>
        <source>%1 дБ</source>
        <translation>%1 dB</translation>
    </message>
    <message>
        <source>%1 (не подключено)</source>
        <translation>%1 (not connected)</translation>
    </message>
</context>
</TS>
