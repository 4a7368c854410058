#pragma once
// The start of a run in its folders: the XDG folders of an installed package are made, the
// program moves into its working folder, and the log of a copy that was built into ~/Vireo is
// offered once, before the installed package makes a log of its own.

#include "base/app_folders.h"

namespace vireo {

class Prompts;

// Makes the folders and enters the working folder. Throws vireo::Error when a folder cannot be
// made or entered.
void enterAppFolders(const AppFolders &folders);

// Offers to copy the legacy log into the data folder when an installed package starts without a
// log of its own and a copy built into ~/Vireo left one. The legacy file is never changed or
// moved. Returns true when the log was copied; a failed copy is said in an error box and the
// program starts with a new log.
bool offerLegacyLog(const AppFolders &folders, Prompts &prompts);

} // namespace vireo
