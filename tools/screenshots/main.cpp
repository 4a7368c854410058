// Writes the pictures of the program's windows that the manual and the README show, from the
// same windows and the same made-up logs as their tests. Run offscreen, from the build:
//     vireo_screenshots [--language en] FOLDER [FILE.png ...]
// With file names given, only those pictures are taken; with --language en, in the English
// interface (the manual's English edition shows them from docs/screenshots/en).

#include "camera.h"
#include "scenes.h"

#include "base/interface_language.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setCursorFlashTime(0); // a text cursor that does not blink: the same picture every run
    QStringList arguments = QApplication::arguments();
    if (arguments.size() > 2 && arguments.at(1) == QLatin1String("--language")) {
        const QString code = arguments.at(2);
        arguments.remove(1, 2);
        const QStringList missing = vireo::installTranslations(app, vireo::languageFromCode(code));
        if (!missing.isEmpty()) {
            std::fprintf(stderr, "vireo_screenshots: missing %s\n", qPrintable(missing.join(QStringLiteral(", "))));
            return 1;
        }
    }
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: vireo_screenshots [--language en] FOLDER [FILE.png ...]\n");
        return 2;
    }
    if (!QDir().mkpath(arguments.at(1))) {
        std::fprintf(stderr, "vireo_screenshots: cannot make the folder %s\n", qPrintable(arguments.at(1)));
        return 1;
    }
    using namespace vireo::shots;
    Camera camera(arguments.at(1), arguments.mid(2));
    for (auto scene : {mainWindowInUse, mainWindowWithLongValues, statusBarWithLongMessages,
                       repeatsWindowWithLongValues, scpWindow, dataUpdateWindow, myPositionWindow, firstRunPosition,
                       statsWindow, statsOfSixBands, logCheckWindow, scoreWindow, rigSetupWindow, bandMapWindow})
        scene(camera);
    for (const QString &file : camera.written)
        std::printf("%s\n", qPrintable(QDir(arguments.at(1)).filePath(file)));
    for (const QString &failure : camera.failures)
        std::fprintf(stderr, "vireo_screenshots: %s\n", qPrintable(failure));
    return camera.failures.isEmpty() ? 0 : 1;
}
