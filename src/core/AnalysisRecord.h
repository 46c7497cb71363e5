// The one analysis record of a run: two samples of one data type, what was
// computed from them, the choices of the user and the lines of the current
// report. Every window and every statistics routine gets a reference to the
// same instance; nothing travels between windows except through it.
#pragma once

#include "core/Supplement.h"
#include "core/TestFigures.h"

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace zx {

// The widths the values have always had: results must not depend on the
// machine's int size.
using Integer = std::int16_t;
using Long = std::int32_t;
using Single = float;
// Empty or a number.
using Variant = std::optional<double>;

// Fixed two-dimensional table with inclusive bounds 0..Rows-1 and 0..Cols-1,
// addressed as t(i, k) like the fields it holds. An index outside the bounds
// throws std::out_of_range instead of touching foreign memory.
template <typename T, int Rows, int Cols>
class Table {
public:
    static constexpr int rows = Rows;
    static constexpr int cols = Cols;

    T& operator()(int i, int k) { return cells_.at(index(i, k)); }
    const T& operator()(int i, int k) const { return cells_.at(index(i, k)); }

    void swapColumns(int a, int b)
    {
        for (int i = 0; i < Rows; ++i)
            std::swap((*this)(i, a), (*this)(i, b));
    }

private:
    static std::size_t index(int i, int k)
    {
        if (i < 0 || i >= Rows || k < 0 || k >= Cols)
            throw std::out_of_range("Tabellenindex außerhalb der Grenzen");
        return static_cast<std::size_t>(i) * Cols + static_cast<std::size_t>(k);
    }
    std::array<T, static_cast<std::size_t>(Rows) * Cols> cells_{};
};

// Per-sample values, index k = 1 or 2; index 0 is never data.
template <typename T>
using PerSample = std::array<T, 3>;

struct AnalysisRecord {
    static constexpr int MaxRows = 500;
    static constexpr int ReportLines = 52;

    // Data type: 0 before the first input, 1 single values, 2 class groups
    // (midpoint and frequency), 3 summary values, 4 paired values.
    Integer Datentyp = 0;

    // Raw samples, rows 1..AnzahlWerte(k). Rows above the count keep older
    // values and are never read.
    Table<double, MaxRows + 1, 3> Werte;
    Table<Integer, MaxRows + 1, 3> Haeufigkeit;
    PerSample<Integer> AnzahlWerte{};
    std::array<double, MaxRows + 1> Differenzen{};
    PerSample<std::string> Bezeichnung;
    // Working table of the sort and rank routine; column k+2 holds sample k
    // in ascending order once it has been sorted.
    Table<Variant, MaxRows + 1, 5> SortWerte;

    // Per-sample descriptive values.
    PerSample<Long> Umfang{};
    PerSample<double> Summe{};
    PerSample<double> QuadSumme{};
    PerSample<double> AbwQuadSumme{};
    PerSample<double> SummeXY{};
    PerSample<double> Mittelwert{};
    PerSample<double> Varianz{};
    PerSample<double> StdAbw{};
    // Empty where it is not defined (a mean of 0).
    PerSample<Variant> VarKoeff{};
    PerSample<double> StdFehler{};
    PerSample<Single> Minimum{};
    PerSample<Single> Maximum{};
    PerSample<Variant> Median{};
    PerSample<Variant> MedianStdFehler{};
    PerSample<Variant> Modalwert{};
    PerSample<Variant> GeomMittel{};
    PerSample<Variant> HarmMittel{};
    PerSample<Variant> Schiefe{};
    PerSample<Variant> Exzess{};
    PerSample<Variant> Quartil1{};
    PerSample<Variant> Quartil3{};
    PerSample<Variant> QuotientWS{};

    // Choices and outcomes of the current analysis.
    std::string TestName;
    std::string HaWahl;
    std::string NormPruef;
    std::string VarPruef;
    Single Irrtum = 0;
    Single IrrtumTest = 0;
    std::array<std::string, ReportLines> ErgText;
    // What the report adds below its verdict: p-value, estimates and effect
    // sizes of the test that ran; nothing before a test ran or when it refused.
    std::optional<Supplement> Zusatzangaben;
    // The numbers behind the report's lines of the test that ran; nothing
    // before a test ran or when it refused.
    std::optional<TestFigures> Pruefgroessen;

    // Working fields of one routine call.
    Integer LaufIndex = 0;
    Integer StichprobeNr = 0;
    Integer TabN = 0;
    Integer TabN2 = 0;
    double TabAlpha = 0;
    double TabWert = 0;
    double Tausch = 0;

    // Environment.
    std::string Verzeichnis;
    std::string CrLf;
    std::string Meldung;

    // Calls f on every per-sample field, so that code which must treat all of
    // them alike (the exchange of the two samples) cannot forget one. A new
    // per-sample field belongs in this list.
    template <typename F>
    void forEachPerSampleField(F&& f)
    {
        f(AnzahlWerte);
        f(Bezeichnung);
        f(Umfang);
        f(Summe);
        f(QuadSumme);
        f(AbwQuadSumme);
        f(SummeXY);
        f(Mittelwert);
        f(Varianz);
        f(StdAbw);
        f(VarKoeff);
        f(StdFehler);
        f(Minimum);
        f(Maximum);
        f(Median);
        f(MedianStdFehler);
        f(Modalwert);
        f(GeomMittel);
        f(HarmMittel);
        f(Schiefe);
        f(Exzess);
        f(Quartil1);
        f(Quartil3);
        f(QuotientWS);
    }
};

// Carriage return and line feed, the joint of every multi-line message, and
// the bare carriage return that some prompts use instead.
inline constexpr const char* kCrLf = "\r\n";
inline constexpr const char* kCr = "\r";

// A text of the program's with a bare line feed at each of its line breaks
// (CR LF or CR), as windows and terminals show them.
inline std::string WithLineFeeds(std::string text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r')
            out += text[i];
        else {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        }
    }
    return out;
}

} // namespace zx
