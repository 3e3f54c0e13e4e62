// Dates and the clock.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <ctime>

#include "classlib/SysUtils.h"
#include "classlib/SysUtilsInternal.h"

using sysutils_detail::AsciiLower;

// =============================================================================================
// Dates and the clock

namespace {

class TSystemClock : public TClockSource {
 public:
  TDateTime Now() override {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    std::tm tm{};
    localtime_r(&t, &tm);
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return EncodeDate(static_cast<Word>(tm.tm_year + 1900), static_cast<Word>(tm.tm_mon + 1),
                      static_cast<Word>(tm.tm_mday)) +
           EncodeTime(static_cast<Word>(tm.tm_hour), static_cast<Word>(tm.tm_min),
                      static_cast<Word>(std::min(tm.tm_sec, 59)), static_cast<Word>(ms));
  }
  Cardinal TickCount() override {
    using namespace std::chrono;
    return static_cast<Cardinal>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
  }
};

TSystemClock gSystemClock;
TClockSource* gClock = &gSystemClock;

constexpr int64_t kMSecsPerDay = 86400000;
// Days from 0001-01-01 (day 1) to 1899-12-30.
constexpr int64_t kDateDelta = 693594;

int64_t DaysBeforeYear(int64_t y) {  // days from 0001-01-01 to the first day of year y
  const int64_t p = y - 1;
  return p * 365 + p / 4 - p / 100 + p / 400;
}

constexpr Word kDaysBeforeMonth[2][13] = {{0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
                                          {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366}};

// Splits a date-time into whole days (sign included) and milliseconds of the day, rounding to
// the nearest millisecond first.
void SplitDateTime(TDateTime v, int64_t& days, int64_t& msOfDay) {
  const int64_t total = static_cast<int64_t>(std::nearbyint(std::fabs(v) * static_cast<double>(kMSecsPerDay)));
  days = total / kMSecsPerDay;
  msOfDay = total % kMSecsPerDay;
  if (v < 0) days = -days;
}

}  // namespace

void TManualClock::Advance(Cardinal Milliseconds) {
  ticks_ += Milliseconds;
  now_ += static_cast<double>(Milliseconds) / static_cast<double>(kMSecsPerDay);
}

void SetClockSource(TClockSource* Source) { gClock = Source ? Source : &gSystemClock; }
TClockSource* GetClockSource() { return gClock; }

TDateTime Now() { return gClock->Now(); }
TDateTime Date() { return std::trunc(Now()); }
TDateTime Time() {
  TDateTime n = Now();
  return n - std::trunc(n);
}
Cardinal GetTickCount() { return gClock->TickCount(); }

bool IsLeapYear(Word Year) { return (Year % 4 == 0) && ((Year % 100 != 0) || (Year % 400 == 0)); }

Word DaysInAMonth(Word Year, Word Month) {
  if (Month < 1 || Month > 12) return 0;
  const auto& t = kDaysBeforeMonth[IsLeapYear(Year) ? 1 : 0];
  return static_cast<Word>(t[Month] - t[Month - 1]);
}

bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Result) {
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInAMonth(Year, Month)) return false;
  const int64_t days =
      DaysBeforeYear(Year) + kDaysBeforeMonth[IsLeapYear(Year) ? 1 : 0][Month - 1] + Day - kDateDelta;
  Result = static_cast<TDateTime>(days);
  return true;
}

TDateTime EncodeDate(Word Year, Word Month, Word Day) {
  TDateTime r;
  if (!TryEncodeDate(Year, Month, Day, r)) throw EConvertError("Invalid argument to date encode");
  return r;
}

bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Result) {
  if (Hour > 23 || Min > 59 || Sec > 59 || MSec > 999) return false;
  Result = static_cast<double>((Hour * 3600000LL) + (Min * 60000LL) + (Sec * 1000LL) + MSec) /
           static_cast<double>(kMSecsPerDay);
  return true;
}

TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec) {
  TDateTime r;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, r)) throw EConvertError("Invalid argument to time encode");
  return r;
}

void DecodeDate(TDateTime Value, Word& Year, Word& Month, Word& Day) {
  int64_t days, ms;
  SplitDateTime(Value, days, ms);
  int64_t d = days + kDateDelta;  // 1 = 0001-01-01
  if (d <= 0) {
    Year = Month = Day = 0;
    return;
  }
  // Find the year by estimate and correction, then the month from the table.
  int64_t y = (d * 400) / 146097 + 1;
  while (DaysBeforeYear(y) >= d) --y;
  while (DaysBeforeYear(y + 1) < d) ++y;
  int64_t dayOfYear = d - DaysBeforeYear(y);  // 1-based
  const auto& t = kDaysBeforeMonth[IsLeapYear(static_cast<Word>(y)) ? 1 : 0];
  int m = 1;
  while (m < 12 && t[m] < dayOfYear) ++m;
  Year = static_cast<Word>(y);
  Month = static_cast<Word>(m);
  Day = static_cast<Word>(dayOfYear - t[m - 1]);
}

void DecodeTime(TDateTime Value, Word& Hour, Word& Min, Word& Sec, Word& MSec) {
  int64_t days, ms;
  SplitDateTime(Value, days, ms);
  Hour = static_cast<Word>(ms / 3600000);
  Min = static_cast<Word>(ms / 60000 % 60);
  Sec = static_cast<Word>(ms / 1000 % 60);
  MSec = static_cast<Word>(ms % 1000);
}

Word DayOfWeek(TDateTime Value) {
  int64_t days, ms;
  SplitDateTime(Value, days, ms);
  // 1899-12-30 was a Saturday (7).
  int64_t r = ((days + 6) % 7 + 7) % 7;  // 0 = Sunday
  return static_cast<Word>(r + 1);
}

namespace {

String Pad2(int v) {
  String text = v < 10 ? "0" : "";
  text += std::to_string(v);
  return text;
}

void AppendDateTime(String& out, const String& pat, TDateTime v, const TFormatSettings& fs, int depth) {
  Word year, month, day, hour, minute, sec, msec;
  DecodeDate(v, year, month, day);
  DecodeTime(v, hour, minute, sec, msec);
  bool lastWasHour = false;
  const size_t n = pat.size();
  auto lowerAt = [&](size_t k) { return k < n ? AsciiLower(pat[k]) : '\0'; };
  auto startsWithCI = [&](size_t k, const char* w) {
    size_t len = std::strlen(w);
    return k + len <= n && SameText(pat.substr(k, len), w);
  };
  // 12-hour clock when an am/pm specifier follows an hour specifier.
  auto twelveHourAfter = [&](size_t k) {
    for (size_t j = k; j < n; ++j) {
      if (startsWithCI(j, "am/pm") || startsWithCI(j, "a/p") || startsWithCI(j, "ampm")) return true;
      if (lowerAt(j) == 'h') return false;
    }
    return false;
  };
  size_t i = 0;
  while (i < n) {
    const char c = pat[i];
    const char lc = AsciiLower(c);
    size_t run = 1;
    while (i + run < n && AsciiLower(pat[i + run]) == lc) ++run;
    // "m" means minutes when the letter before it (separators aside) was an hour.
    const bool minutes = lc == 'm' && lastWasHour;
    if (lc >= 'a' && lc <= 'z') lastWasHour = lc == 'h';
    switch (lc) {
      case '"':
      case '\'': {
        size_t j = i + 1;
        while (j < n && pat[j] != c) out += pat[j++];
        i = j + 1;
        continue;
      }
      case 'c':
        if (depth < 2) {
          AppendDateTime(out, fs.ShortDateFormat, v, fs, depth + 1);
          if (hour || minute || sec || msec) {
            out += ' ';
            AppendDateTime(out, fs.LongTimeFormat, v, fs, depth + 1);
          }
        }
        i += 1;
        continue;
      case 'y':
        out += run <= 2 ? Pad2(year % 100) : std::to_string(year);
        break;
      case 'm':
        if (minutes && run <= 2) {
          out += run == 1 ? std::to_string(minute) : Pad2(minute);
        } else if (run == 1) {
          out += std::to_string(month);
        } else if (run == 2) {
          out += Pad2(month);
        } else if (run == 3) {
          out += fs.ShortMonthNames[month - 1];
        } else {
          run = std::min<size_t>(run, 4);
          out += fs.LongMonthNames[month - 1];
        }
        break;
      case 'd':
        if (run == 1) out += std::to_string(day);
        else if (run == 2) out += Pad2(day);
        else if (run == 3) out += fs.ShortDayNames[DayOfWeek(v) - 1];
        else if (run == 4) out += fs.LongDayNames[DayOfWeek(v) - 1];
        else if (run == 5) {
          if (depth < 2) AppendDateTime(out, fs.ShortDateFormat, v, fs, depth + 1);
        } else {
          run = std::min<size_t>(run, 6);
          if (depth < 2) AppendDateTime(out, fs.LongDateFormat, v, fs, depth + 1);
        }
        break;
      case 'h': {
        run = std::min<size_t>(run, 2);
        int h = hour;
        if (twelveHourAfter(i + run)) {
          h = hour % 12;
          if (h == 0) h = 12;
        }
        out += run == 1 ? std::to_string(h) : Pad2(h);
        break;
      }
      case 'n':
        run = std::min<size_t>(run, 2);
        out += run == 1 ? std::to_string(minute) : Pad2(minute);
        break;
      case 's':
        run = std::min<size_t>(run, 2);
        out += run == 1 ? std::to_string(sec) : Pad2(sec);
        break;
      case 'z': {
        String z = std::to_string(msec);
        if (run >= 3) {
          run = 3;
          z.insert(0, 3 - z.size(), '0');
        }
        out += z;
        break;
      }
      case 't':
        run = std::min<size_t>(run, 2);
        if (depth < 2) AppendDateTime(out, run == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, v, fs, depth + 1);
        break;
      case 'a':
        if (startsWithCI(i, "am/pm")) {
          String w = pat.substr(hour >= 12 ? i + 3 : i, 2);
          out += w;
          run = 5;
        } else if (startsWithCI(i, "a/p")) {
          out += pat[hour >= 12 ? i + 2 : i];
          run = 3;
        } else if (startsWithCI(i, "ampm")) {
          out += hour >= 12 ? fs.TimePMString : fs.TimeAMString;
          run = 4;
        } else {
          out += c;
          run = 1;
        }
        break;
      case '/':
        out += fs.DateSeparator;
        run = 1;
        break;
      case ':':
        out += fs.TimeSeparator;
        run = 1;
        break;
      default:
        out += c;
        run = 1;
    }
    i += run;
  }
}

}  // namespace

String FormatDateTime(const String& Pattern, TDateTime Value, const TFormatSettings& Settings) {
  // 0001-01-01 .. 9999-12-31 23:59:59.999
  if (!(Value > -693594.0 && Value < 2958466.0)) throw EConvertError("Invalid argument to date encode");
  String out;
  AppendDateTime(out, Pattern.empty() ? String("c") : Pattern, Value, Settings, 0);
  return out;
}

String FormatDateTime(const String& Pattern, TDateTime Value) {
  return FormatDateTime(Pattern, Value, FormatSettings);
}

String DateToStr(TDateTime Value) { return FormatDateTime("ddddd", Value); }
String TimeToStr(TDateTime Value) { return FormatDateTime("tt", Value); }
String DateTimeToStr(TDateTime Value) { return FormatDateTime("c", Value); }

