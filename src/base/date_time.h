#pragma once
// Calendar dates as the program counts them.

namespace wmb {

// A date-time as days since 30 December 1899; the fraction is the time of day. 0 means "none".
using TDateTime = double;

// The date-time of a calendar date (Gregorian) and a time of day.
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond);
// The days of a month (1-12) of a Gregorian year.
int DaysInMonth(int year, int month);

}  // namespace wmb
