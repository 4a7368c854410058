#include "app/main_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace vireo {

namespace {

QAction *action(QMenu *menu, const char *name, const QString &caption)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QMenu *submenu(QMenu *parent, const char *name, const QString &caption)
{
    QMenu *m = parent->addMenu(caption);
    m->setObjectName(QString::fromLatin1(name));
    return m;
}

QMenu *topMenu(QMenuBar *bar, const char *name, const QString &caption)
{
    QMenu *m = bar->addMenu(caption);
    m->setObjectName(QString::fromLatin1(name));
    return m;
}

} // namespace

MainMenu MainMenu::build(QMainWindow &window)
{
    MainMenu m;
    QMenuBar *bar = window.menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    m.log = topMenu(bar, "mnLog", QCoreApplication::translate("vireo::MainMenu", "Журнал"));
    m.actUndo = action(m.log, "actUndo", QCoreApplication::translate("vireo::MainMenu", "Отменить"));
    m.actUndo->setEnabled(false);
    m.log->addSeparator();
    m.N7 = action(m.log, "N7", QCoreApplication::translate("vireo::MainMenu", "Очистить лог"));
    m.log->addSeparator();
    m.exportMenu = submenu(m.log, "mnExport", QCoreApplication::translate("vireo::MainMenu", "Экспорт"));
    m.SCL1 = action(m.exportMenu, "SCL1", QCoreApplication::translate("vireo::MainMenu", "В файл SCL (файл логгера)"));
    m.exportMenu->addSeparator();
    m.cbr2 = action(m.exportMenu, "cbr2", QCoreApplication::translate("vireo::MainMenu", "В файл CABRILLO/ЕРМАК"));
    m.exportMenu->addSeparator();
    m.ADIF1 = action(m.exportMenu, "ADIF1", QCoreApplication::translate("vireo::MainMenu", "В файл ADIF"));
    m.ADIF2 = action(m.exportMenu, "ADIF2",
                     QCoreApplication::translate("vireo::MainMenu", "Комментарий для файла выгрузки формата ADIF"));
    m.importMenu = submenu(m.log, "mnImport", QCoreApplication::translate("vireo::MainMenu", "Импорт"));
    m.SCL2 =
        action(m.importMenu, "SCL2", QCoreApplication::translate("vireo::MainMenu", "из файла SCL (файл логгера)"));
    m.log->addSeparator();
    m.actCheck = action(m.log, "actCheck", QCoreApplication::translate("vireo::MainMenu", "Проверка журнала…"));
    m.actRestore =
        action(m.log, "actRestore", QCoreApplication::translate("vireo::MainMenu", "Восстановить из резервной копии…"));
    m.log->addSeparator();
    m.N9 = action(m.log, "N9", QCoreApplication::translate("vireo::MainMenu", "Выход"));

    m.settings = topMenu(bar, "mnSettings", QCoreApplication::translate("vireo::MainMenu", "Установки"));
    m.CAT1 = action(m.settings, "CAT1", QCoreApplication::translate("vireo::MainMenu", "Управление CAT"));
    m.settings->addSeparator();
    m.N20 = action(m.settings, "N20",
                   QCoreApplication::translate("vireo::MainMenu", "Установить режим копии строки с рокировкой данных"));
    m.N20->setCheckable(true);
    m.N14 = action(m.settings, "N14", QCoreApplication::translate("vireo::MainMenu", "Синхронизировать  время"));
    m.settings->addSeparator();
    m.actDataUpdate = action(m.settings, "actDataUpdate",
                             QCoreApplication::translate("vireo::MainMenu", "Обновить данные стран и позывных…"));
    m.actMyPosition =
        action(m.settings, "actMyPosition", QCoreApplication::translate("vireo::MainMenu", "Моё местоположение…"));
    m.settings->addSeparator();
    m.language = submenu(m.settings, "mnLanguage", QCoreApplication::translate("vireo::MainMenu", "Язык интерфейса"));
    // Each language by its own name, whatever the interface's language.
    m.actLanguageRu = action(m.language, "actLanguageRu", QStringLiteral("Русский")); // untranslated: its own name
    m.actLanguageEn = action(m.language, "actLanguageEn", QStringLiteral("English"));
    auto *languages = new QActionGroup(m.language);
    for (QAction *a : {m.actLanguageRu, m.actLanguageEn}) {
        a->setCheckable(true);
        languages->addAction(a);
    }

    m.N10 = bar->addAction(QCoreApplication::translate("vireo::MainMenu", "Настройка туров"));
    m.N10->setObjectName(QStringLiteral("N10"));

    m.windows = topMenu(bar, "mnWindows", QCoreApplication::translate("vireo::MainMenu", "Окна"));
    m.N17 = action(m.windows, "N17", QCoreApplication::translate("vireo::MainMenu", "Повторные связи"));
    m.N17->setCheckable(true);
    m.actScp = action(m.windows, "actScp", QCoreApplication::translate("vireo::MainMenu", "Частичный поиск позывных"));
    m.actScp->setCheckable(true);
    m.actStats = action(m.windows, "actStats", QCoreApplication::translate("vireo::MainMenu", "Статистика"));
    m.actStats->setCheckable(true);
    m.actScore = action(m.windows, "actScore", QCoreApplication::translate("vireo::MainMenu", "Счёт"));
    m.actScore->setCheckable(true);
    m.actBandMap = action(m.windows, "actBandMap", QCoreApplication::translate("vireo::MainMenu", "Карта диапазона"));
    m.actBandMap->setCheckable(true);
    m.actMark =
        action(m.windows, "actMark", QCoreApplication::translate("vireo::MainMenu", "Отметить на карте диапазона"));
    m.actMark->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    m.N18 = action(m.windows, "N18", QCoreApplication::translate("vireo::MainMenu", "Установить окна ввода"));
    m.N18->setCheckable(true);

    m.help = topMenu(bar, "mnHelp", QCoreApplication::translate("vireo::MainMenu", "Справка"));
    m.N5 = action(m.help, "N5", QCoreApplication::translate("vireo::MainMenu", "Руководство пользователя"));
    m.N6 = action(m.help, "N6", QCoreApplication::translate("vireo::MainMenu", "О программе"));

    m.popup = new QMenu(&window);
    m.popup->setObjectName(QStringLiteral("PopupMenu1"));
    m.N12 = action(m.popup, "N12", QCoreApplication::translate("vireo::MainMenu", "Редактировать запись"));
    m.N13 = action(m.popup, "N13", QCoreApplication::translate("vireo::MainMenu", "Удалить запись"));
    return m;
}

void MainMenu::setTopLevelEnabled(int position, bool enabled) const
{
    QAction *items[] = {log->menuAction(), settings->menuAction(), N10, windows->menuAction(), help->menuAction()};
    if (position >= 1 && position <= 5)
        items[position - 1]->setEnabled(enabled);
}

void MainMenu::setAllTopLevelEnabled(bool enabled) const
{
    for (int position = 1; position <= 5; ++position)
        setTopLevelEnabled(position, enabled);
}

} // namespace vireo
