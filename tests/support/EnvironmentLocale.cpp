// Every test executable runs in the locale its environment names, as the
// program does (Qt sets the C library's locale from the desktop at start), so
// that ctest can run the number texts once under C and once under German.
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
