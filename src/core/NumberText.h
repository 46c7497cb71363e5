// Numbers as the program writes and reads them.
//
// Two forms of text exist, as users of the program have always seen them:
// the number-to-text form of messages and listings (a blank before
// non-negative numbers, always "." as the decimal point) and the regional
// form of reports (the decimal separator of the user's regional settings,
// fixed patterns such as "0.0000").
#pragma once

#include <string>
#include <string_view>

namespace zx {

// The decimal separator of the user's regional settings. The windows fill it
// from the system locale at start; tests set it to ',' or '.'.
void SetDecimalSeparator(char separator);
char DecimalSeparator();

// Number-to-text form: " 12", "-3", " 2.5"; 15 significant digits for a
// Double, 7 for a Single, scientific form ("1E+15") beyond that.
std::string Str(double value);
std::string Str(long long value);
std::string Str(int value);
std::string StrSingle(float value);

// Default text of a value with the regional decimal separator and no leading
// blank: 2.5 gives "2,5" in a German setting.
std::string CStr(double value);
std::string CStrSingle(float value);

// Fixed patterns: "#0.0000", "0.0000", "0.00", "0.0%", "#0" and their kin.
// Digits after the separator are the pattern's '0's; a trailing '%' scales by
// 100. Rounding is half away from zero on the value's 15-digit decimal form,
// so 2.675 gives "2.68" as its reader expects. From 1E+15 on, where a double
// has no more integer digits to show, the scientific form with the pattern's
// decimals: 2.5E+20 with "#0.0000" gives "2.5000E+20".
std::string Format(double value, std::string_view pattern);

// Leading-number rule for typed numbers: leading blanks are skipped, the
// longest numeric prefix counts, "." or "," is the decimal separator, and a
// text without a number gives 0. "2,5" is 2.5, "12abc" is 12, "abc" is 0.
double Val(std::string_view text);

// A typed error probability: an empty answer (also Cancel) counts as 5, a
// trailing "%" is dropped, the rest is read with the leading-number rule.
double LevelValue(std::string_view answer);

} // namespace zx
