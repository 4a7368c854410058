#pragma once
// Where Vireo keeps its files. A copy built into a folder of its own (scripts/run.sh puts it in
// ~/Vireo) keeps settings.ini beside the program and the log in the folder it is started in. An
// installed package cannot write beside /usr/bin/vireo, so it keeps settings.ini in the XDG
// configuration folder (~/.config/Vireo) and the log, its backups and recordings in the XDG data
// folder (~/.local/share/Vireo), where it also starts, whatever folder it was started from.

#include <QProcessEnvironment>
#include <QString>

#include <functional>

namespace vireo {

struct AppFolders {
    bool installed = false;
    // The listener's folder for files of his own: report files are offered there, his own
    // contest definitions are read from its contests/. Beside the program for a copy in a
    // folder, the data folder for an installed package.
    QString programDir;
    QString settingsPath;
    QString databasePath;
    // The folder the program works in: the current folder for a copy in a folder, the data
    // folder for an installed package.
    QString workingDir;
    // What the program ships and only reads: the manual, the shipped contest definitions.
    // Beside the program for a copy in a folder, <prefix>/share/vireo for an installed package.
    QString sharedDataDir;
    // The log of a copy built into ~/Vireo, which an installed package offers to take over.
    QString legacyLogPath;
};

// True when a file can be created in the folder.
bool folderWritable(const QString &dir);

// Decides the folders from the executable's folder, the current folder and the environment
// (HOME, XDG_CONFIG_HOME, XDG_DATA_HOME). The program counts as installed when it cannot write
// beside its executable, or when it lies in the bin folder of a prefix whose share/vireo holds
// its shipped files (the package run by root).
AppFolders resolveAppFolders(const QString &executableDir, const QString &currentDir, const QProcessEnvironment &env,
                             const std::function<bool(const QString &)> &writable = folderWritable);

} // namespace vireo
