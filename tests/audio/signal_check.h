#pragma once
// Looking at recorded sound in tests: the frequency of a tone, its level and where it begins,
// and the samples of WAV files and of Opus files decoded by opusdec (opus-tools), a decoder
// that is not the program's own.

#include <QString>

#include <vector>

namespace vireo::test {

// A tone of the frequency and amplitude (0 to 1), sample i at 48 kHz.
qint16 tone(double hz, double amplitude, qint64 i);

// Frequency of a tone by its zero crossings, in Hz (48 kHz samples).
double frequencyOf(const std::vector<qint16> &samples, std::size_t from, std::size_t n);
// Root mean square, 0 to 1 of full scale.
double rmsOf(const std::vector<qint16> &samples, std::size_t from, std::size_t n);
// The first sample, from `from` on, of the first 10 ms whose level is above the threshold
// (0 to 1), or -1.
qint64 onsetOf(const std::vector<qint16> &samples, double threshold, std::size_t from = 0);

// The samples of a 16-bit WAV file (mixed to mono); its rate goes to *rate. Empty when it is not one.
std::vector<qint16> readWav(const QString &path, int *rate = nullptr);
// Decodes an Opus file with opusdec at 48 kHz. False, with opusdec's words in *error, when it fails.
bool opusdec(const QString &path, std::vector<qint16> *samples, QString *error);

} // namespace vireo::test
