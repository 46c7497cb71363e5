// A computed result, or a test failure where the data was refused (and back).
#pragma once

#include "stats/TestOutcome.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace zx::test {

template <typename R>
R ok(const Computed<R>& c)
{
    if (const auto* refusal = std::get_if<Refusal>(&c)) {
        ADD_FAILURE() << "refused: " << refusal->message;
        return R {};
    }
    return std::get<R>(c);
}

template <typename R>
std::string refused(const Computed<R>& c)
{
    if (const auto* refusal = std::get_if<Refusal>(&c))
        return refusal->message;
    ADD_FAILURE() << "not refused";
    return {};
}

inline constexpr const char* kWrongWay =
    "Die beobachteten Unterschiede sind als zufällig anzusehen, da sie nicht in der Richtung der Alternativ-Hypothese liegen.";

} // namespace zx::test
