// What every two-sample test has in common: the alternative hypothesis, the
// verdict, the refusal of data a test cannot work on, and the report lines.
//
// Each test computes into a small result struct (statistic, degrees of
// freedom or sizes, critical value, verdict) or a Refusal; a separate step
// writes the report lines. The numbers can so be checked without the texts,
// and the texts without a dialog.
#pragma once

#include "core/Alternative.h"
#include "core/AnalysisRecord.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace zx {

// The report lines ErgText(0..51).
using Report = std::array<std::string, AnalysisRecord::ReportLines>;

// HaWahl: "N" two-sided, "J2" one-sided µ1 < µ2, "J3" one-sided µ1 > µ2.
std::optional<Alternative> AlternativeOf(std::string_view haWahl);

enum class Verdict {
    Significant,
    Random,
    // One-sided test whose observed effect is absent or points against the
    // alternative hypothesis: never significant, whatever the statistic.
    AgainstDirection,
};

// The verdict of a statistic that has (reached) or has not reached its
// critical value. `effect` is negative when sample 1 lies lower than
// sample 2, positive when it lies higher, 0 when there is no effect; a
// one-sided alternative counts only an effect in its own direction.
Verdict Decide(bool reached, Alternative alternative, double effect);

// Line 10 of a one-sided test whose effect points the other way.
inline constexpr const char* kAgainstDirectionSentence =
    "Die beobachteten Unterschiede sind als zufällig anzusehen, da sie nicht in der Richtung der Alternativ-Hypothese liegen.";

// The verdict sentence: `significant` or `random` as the verdict says, the
// direction sentence for AgainstDirection.
std::string VerdictSentence(Verdict verdict, const char* significant, const char* random);

// The verdict sentences of the tests that compare a t value with its
// critical value (two-sample, WELCH, LORD and paired t-tests).
inline constexpr const char* kTSignificant =
    "Die beobachteten Unterschiede sind als signifikant anzusehen, da der t-Wert größer/gleich als die Signifikanzschranke ist.";
inline constexpr const char* kTRandom =
    "Die beobachteten Unterschiede sind als zufällig anzusehen, da der t-Wert kleiner als die Signifikanzschranke ist.";

// Why a test cannot run on the data: the text of its "Fehler" box, naming
// the test and the cause.
struct Refusal {
    std::string message;
};

template <typename Result>
using Computed = std::variant<Result, Refusal>;

// "<test> nicht möglich: <cause>."
Refusal NotPossible(std::string_view test, std::string_view cause);

// The texts of the refusals several tests share.
inline constexpr const char* kNoAlternative = "keine Alternativ-Hypothese gewählt";
inline constexpr const char* kNoCriticalValue = "die Signifikanzschranke ist für diese Irrtumswahrscheinlichkeit nicht bestimmbar";
inline constexpr const char* kNoStatistic = "die Prüfgröße ist für diese Daten nicht berechenbar (Zahlenüberlauf)";

// The end every test with a looked-up critical value shares: the refusal
// when the table or distribution has no value for the level, else the
// result with its critical value and verdict. `reached(critical)` tells
// whether the statistic reached it.
template <typename Result, typename Reached>
Computed<Result> Judge(Result result, std::string_view test, std::optional<double> critical, Alternative alternative,
    double effect, Reached reached)
{
    if (!critical)
        return NotPossible(test, kNoCriticalValue);
    result.critical = *critical;
    result.verdict = Decide(reached(*critical), alternative, effect);
    return result;
}

// The significance level as the tables and distribution procedures take it:
// the typed percentage over 100 in double precision, so that 2.5 % gives
// exactly the 0.025 the table lookups compare with.
inline double Fraction(float levelPercent) { return static_cast<double>(levelPercent) / 100; }

// The text a whole number gets when it is joined into a report line
// ("18", "-1"; no leading blank).
std::string Whole(long long value);

} // namespace zx
