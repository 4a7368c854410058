#pragma once
// The main window's menus and their actions, each action named (objectName) as below. The short
// names N5..N20, SCL1/SCL2, cbr2, ADIF1/ADIF2 and CAT1 are the names the program has always given
// these commands; settings scripts and tests find them by them.

class QAction;
class QMainWindow;
class QMenu;

namespace vireo {

struct MainMenu {
    // Builds the menu bar ("MainMenu1") of window and the grid's pop-up menu.
    static MainMenu build(QMainWindow &window);

    // The five top-level items by position: 1 "Журнал", 2 "Установки", 3 "Настройка туров",
    // 4 "Окна", 5 "Справка". Manual entry and edit mode switch them off.
    void setTopLevelEnabled(int position, bool enabled) const;
    void setAllTopLevelEnabled(bool enabled) const;

    // "Журнал"
    QMenu *log = nullptr; // "mnLog"
    QAction *actUndo = nullptr; // "Отменить …", its caption names what it takes back
    QAction *N7 = nullptr; // "Очистить лог"
    QMenu *exportMenu = nullptr; // "mnExport", "Экспорт"
    QAction *SCL1 = nullptr; // "В файл SCL (файл логгера)"
    QAction *cbr2 = nullptr; // "В файл CABRILLO/ЕРМАК"
    QAction *ADIF1 = nullptr; // "В файл ADIF"
    QAction *ADIF2 = nullptr; // "Комментарий для файла выгрузки формата ADIF"
    QMenu *importMenu = nullptr; // "mnImport", "Импорт"
    QAction *SCL2 = nullptr; // "из файла SCL (файл логгера)"
    QAction *actCheck = nullptr; // "Проверка журнала…"
    QAction *actRestore = nullptr; // "Восстановить из резервной копии…"
    QAction *N9 = nullptr; // "Выход"
    // "Установки"
    QMenu *settings = nullptr; // "mnSettings"
    QAction *CAT1 = nullptr; // "Управление CAT": the rig set-up window
    QAction *N20 = nullptr; // copy of the line with the sides swapped (checkable)
    QAction *N14 = nullptr; // "Синхронизировать  время"
    QAction *actDataUpdate = nullptr; // "Обновить данные стран и позывных…"
    QAction *actMyPosition = nullptr; // "Моё местоположение…"
    QMenu *language = nullptr; // "mnLanguage", "Язык интерфейса": taken at the next start
    QAction *actLanguageRu = nullptr; // "Русский"
    QAction *actLanguageEn = nullptr; // "English"
    // "Настройка туров", an item of the bar itself
    QAction *N10 = nullptr;
    // "Окна"
    QMenu *windows = nullptr; // "mnWindows"
    QAction *N17 = nullptr; // "Повторные связи", the repeats window (checkable)
    QAction *actScp = nullptr; // "Частичный поиск позывных" (checkable)
    QAction *actStats = nullptr; // "Статистика" (checkable)
    QAction *actScore = nullptr; // "Счёт", the score by the contest rules (checkable)
    QAction *actBandMap = nullptr; // "Карта диапазона" (checkable)
    QAction *actMark = nullptr; // "Отметить на карте диапазона", Ctrl+M: the call typed, without a QSO
    QAction *N18 = nullptr; // the fields in a column (checkable)
    // "Справка"
    QMenu *help = nullptr; // "mnHelp"
    QAction *N5 = nullptr; // "Руководство пользователя"
    QAction *N6 = nullptr; // "О программе"
    // The grid's pop-up menu ("PopupMenu1")
    QMenu *popup = nullptr;
    QAction *N12 = nullptr; // "Редактировать запись"
    QAction *N13 = nullptr; // "Удалить запись"
};

} // namespace vireo
