// Cell values written as text, as the XML formats and text files store them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zx {

// The double nearest to a decimal number ("0.30000000000000004", "-1.5E-3",
// "5e-324", "+7", blanks around it allowed), as std::from_chars reads it; a
// number too small for a double is 0. Nothing for anything else, also for
// "inf", "nan" and a number too large for a double (then *overflow is set).
std::optional<double> ParseDecimal(std::string_view text, bool* overflow = nullptr);

// A day count: days from 1970-01-01 to the given date of the proleptic
// Gregorian calendar.
long long DaysFromCivil(long long year, unsigned month, unsigned day);

// The serial number of an ISO 8601 date or date and time ("2013-02-26",
// "2013-02-26T12:30:00.5", a time zone is ignored) counted in days from
// nullDate (the day whose serial number is 0). Nothing when it is no such
// text.
std::optional<double> SerialFromIsoDate(std::string_view text, long long nullDate);

// An ISO 8601 duration ("PT12H30M15.5S", "P1DT2H", "-PT1H") in days.
std::optional<double> DaysFromIsoDuration(std::string_view text);

// Office Open XML writes characters XML cannot hold as "_xHHHH_" (and a
// literal "_x" as "_x005F_x"); this turns them back.
std::string UnescapeOoxml(std::string_view text);

} // namespace zx
