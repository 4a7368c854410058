#pragma once
// A stretch of the recording written to a file of the listener's choice: WAV (48 kHz, 16 bits,
// mono) or Ogg Opus, by the name's extension. The file appears whole or not at all.

#include <QString>

#include <memory>

namespace vireo {

class PcmRing;

namespace stretchexport {

enum class Format { Wav, Opus };

// Opus for a name ending in ".opus" or ".ogg", otherwise WAV.
Format formatOf(const QString &path);

// Writes what is recorded from one position to the other (PcmRing positions); a part not
// recorded yet (the newest seconds) is left out. Throws vireo::Error with a Russian text naming
// the file when it cannot be written, or when nothing of the stretch was recorded.
void write(const QString &folder, std::shared_ptr<const PcmRing> ring, qint64 from, qint64 to, const QString &path);

} // namespace stretchexport
} // namespace vireo
