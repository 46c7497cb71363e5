#include "stats/TestOutcome.h"

namespace zx {

std::optional<Alternative> AlternativeOf(std::string_view haWahl)
{
    if (haWahl == "N")
        return Alternative::TwoSided;
    if (haWahl == "J2")
        return Alternative::Less;
    if (haWahl == "J3")
        return Alternative::Greater;
    return std::nullopt;
}

Verdict Decide(bool reached, Alternative alternative, double effect)
{
    // A one-sided test must not call a difference significant that lies the
    // other way: its statistics are absolute values and cannot tell.
    if (alternative == Alternative::Less && !(effect < 0))
        return Verdict::AgainstDirection;
    if (alternative == Alternative::Greater && !(effect > 0))
        return Verdict::AgainstDirection;
    return reached ? Verdict::Significant : Verdict::Random;
}

std::string VerdictSentence(Verdict verdict, const char* significant, const char* random)
{
    switch (verdict) {
    case Verdict::Significant: return significant;
    case Verdict::Random: return random;
    case Verdict::AgainstDirection: return kAgainstDirectionSentence;
    }
    return {};
}

Refusal NotPossible(std::string_view test, std::string_view cause)
{
    return { std::string(test) + " nicht möglich: " + std::string(cause) + "." };
}

std::string Whole(long long value) { return std::to_string(value); }

} // namespace zx
