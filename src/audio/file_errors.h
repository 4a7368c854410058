#pragma once
// Why a file of the recordings could not be written, as a clause for a sentence.

#include <QString>

namespace vireo::audiofile {

// "на диске нет места", "нет прав на запись", ... with the system's own words in brackets.
QString reason(int err);
// No room on the disk (or in the user's quota).
bool noRoom(int err);

} // namespace vireo::audiofile
