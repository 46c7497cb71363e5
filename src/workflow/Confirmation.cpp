#include "workflow/Confirmation.h"

#include "core/AnalysisRecord.h"
#include "core/NumberText.h"

#include <algorithm>

namespace zx {

namespace {

constexpr int kShownRows = 4;

std::string values(const AnalysisRecord& r, int k)
{
    std::string s;
    for (int i = 1; i <= std::min<int>(kShownRows, r.AnzahlWerte[k]); ++i)
        s += Str(r.Werte(i, k));
    return s + " ...";
}

std::string classes(const AnalysisRecord& r, int k)
{
    std::string s;
    for (int i = 1; i <= std::min<int>(kShownRows, r.AnzahlWerte[k]); ++i)
        s += Str(r.Werte(i, k)) + Str(static_cast<int>(r.Haeufigkeit(i, k))) + ",";
    return s + " ...";
}

std::string summary(const AnalysisRecord& r, int k)
{
    return "XQUER = " + Str(r.Mittelwert[k]) + "  Standardabw. = " + Str(r.StdAbw[k]) + "  Umfang = "
        + Str(static_cast<long long>(r.Umfang[k])) + " ...";
}

} // namespace

std::optional<std::string> ConfirmationListing(const AnalysisRecord& r)
{
    const std::string crlf = kCrLf;
    auto head = [](const char* line) { return std::string(line) + kCr + "Gewählt wurden folgende Stichproben:" + kCr + kCr; };
    switch (r.Datentyp) {
    case 1:
        return head("Datentyp: Einzelne Werte") + "1.Stichprobe: n=" + Str(static_cast<int>(r.AnzahlWerte[1])) + crlf
            + values(r, 1) + crlf + crlf + "2.Stichprobe: n=" + Str(static_cast<int>(r.AnzahlWerte[2])) + crlf
            + values(r, 2);
    case 2:
        return head("Datentyp: Klassengruppen (Klassenmitte)") + "1.Stichprobe:" + crlf + classes(r, 1) + crlf + crlf
            + "2.Stichprobe:" + crlf + classes(r, 2);
    case 3:
        return head("Datentyp: XQUER/STANDARDABWEICHUNG/UMFANG") + "1.Stichprobe:" + crlf + summary(r, 1) + crlf + crlf
            + "2.Stichprobe:" + crlf + summary(r, 2);
    case 4:
        return head("Datentyp: Verbunden / Wertepaare") + "Wertepaare: n=" + Str(static_cast<int>(r.AnzahlWerte[1]))
            + crlf + values(r, 1) + crlf + crlf + values(r, 2);
    default:
        return std::nullopt;
    }
}

void FillDifferences(AnalysisRecord& r)
{
    for (int i = 1; i <= r.AnzahlWerte[1]; ++i)
        r.Differenzen[static_cast<std::size_t>(i)] = r.Werte(i, 1) - r.Werte(i, 2);
}

} // namespace zx
