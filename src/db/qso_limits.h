#pragma once
// The longest value, in characters, that each column of the log holds where the grid and the
// reports show it. A file read into the log keeps to these.
//
//   freq   12  kHz digits: up to 10 GHz in kHz with a fraction ("10368100.5"); Cabrillo and
//              ADIF use 4 to 6 digits, the grid column shows about 6
//   mode    2  the two-letter code (the first two characters of the mode box); Cabrillo's
//              mode column is two characters wide
//   data   10  dd.mm.yyyy, the date field's mask
//   time    5  hh:mm, the time field's mask
//   call   13  Cabrillo's call columns are 13 characters wide
//   rst    10  the widest part of a Cabrillo exchange a report fills (format 2)
//   nr     20  the widest Cabrillo exchange ("up to 20 characters")
//   band    8  band names are at most 4 ("160M", "1.2G")
//   tur     5  tour numbers
//   radio   1  "1" or "2"

namespace vireo::qsolimits {

constexpr int Freq = 12;
constexpr int Mode = 2;
constexpr int Date = 10;
constexpr int Time = 5;
constexpr int Call = 13;
constexpr int Rst = 10;
constexpr int Nr = 20;
constexpr int Band = 8;
constexpr int Tour = 5;
constexpr int Radio = 1;

} // namespace vireo::qsolimits
