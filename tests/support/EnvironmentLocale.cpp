// Each test executable takes its environment's locale, as the program does
// under Qt, so that ctest can run the number texts under C and under German.
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const bool kLocaleSet = [] {
    if (!std::setlocale(LC_ALL, "")) {
        std::fprintf(stderr, "The locale of the environment is not installed (LC_ALL=%s).\n", std::getenv("LC_ALL"));
        std::exit(2);
    }
    // A German run that silently fell back to C would prove nothing.
    const char* expected = std::getenv("ZX_EXPECT_DECIMAL_POINT");
    if (expected && std::strcmp(std::localeconv()->decimal_point, expected) != 0) {
        std::fprintf(stderr, "The environment's locale has the decimal point '%s', not '%s'.\n",
            std::localeconv()->decimal_point, expected);
        std::exit(2);
    }
    return true;
}();

} // namespace
