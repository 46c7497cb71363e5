#include "core/DateText.h"

#include <ctime>

namespace zx {

namespace {

std::string now(const char* format)
{
    const std::time_t t = std::time(nullptr);
    std::tm local {};
    localtime_r(&t, &local);
    char text[32];
    // Only numeric fields: strftime writes them alike in every locale.
    return std::string(text, std::strftime(text, sizeof text, format, &local));
}

} // namespace

std::string ReportDateTime() { return now("%d.%m.%Y %H:%M:%S"); }

std::string ReportDate() { return now("%d.%m.%Y"); }

} // namespace zx
