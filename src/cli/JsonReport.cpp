#include "cli/JsonReport.h"

#include "core/AnalysisRecord.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <sstream>

namespace zx::cli {

namespace {

using nlohmann::ordered_json;

ordered_json number(const Variant& v) { return v && std::isfinite(*v) ? ordered_json(*v) : ordered_json(nullptr); }
ordered_json number(double v) { return std::isfinite(v) ? ordered_json(v) : ordered_json(nullptr); }

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

const char* dataTypeWord(int datentyp)
{
    switch (datentyp) {
    case 1: return "einzelwerte";
    case 2: return "klassen";
    case 3: return "xsn";
    default: return "paare";
    }
}

// The descriptive parameters of sample k as the listing holds them; null
// where a parameter is not defined for the data.
ordered_json parameters(const AnalysisRecord& r, int k)
{
    const auto i = static_cast<std::size_t>(k);
    auto difference = [](Variant a, Variant b) { return a && b ? Variant(*a - *b) : Variant(); };
    ordered_json p;
    p["mittelwert"] = number(r.Mittelwert[i]);
    p["varianz"] = number(r.Varianz[i]);
    p["standardabweichung"] = number(r.StdAbw[i]);
    p["variabilitaetskoeffizient"] = number(r.VarKoeff[i]);
    p["standardfehler"] = number(r.StdFehler[i]);
    const bool summary = r.Datentyp == 3;
    auto unlessSummary = [&](const Variant& v) { return summary ? ordered_json(nullptr) : number(v); };
    p["median"] = unlessSummary(r.Median[i]);
    p["median_standardfehler"] = unlessSummary(r.MedianStdFehler[i]);
    p["modalwert"] = unlessSummary(r.Modalwert[i]);
    p["geometrischer_mittelwert"] = unlessSummary(r.GeomMittel[i]);
    p["harmonischer_mittelwert"] = unlessSummary(r.HarmMittel[i]);
    p["schiefe"] = unlessSummary(r.Schiefe[i]);
    p["exzess"] = unlessSummary(r.Exzess[i]);
    p["quartil1"] = unlessSummary(r.Quartil1[i]);
    p["quartil3"] = unlessSummary(r.Quartil3[i]);
    p["quartilsabstand"] = unlessSummary(difference(r.Quartil3[i], r.Quartil1[i]));
    p["minimum"] = number(static_cast<double>(r.Minimum[i]));
    p["maximum"] = number(static_cast<double>(r.Maximum[i]));
    p["spannweite"] = number(static_cast<double>(static_cast<Single>(r.Maximum[i] - r.Minimum[i])));
    p["umfang"] = r.Umfang[i];
    return p;
}

const char* measureKey(Measure m)
{
    switch (m) {
    case Measure::PValue: return "p_wert";
    case Measure::MeanDifference: return "differenz_der_mittelwerte";
    case Measure::MeanOfDifferences: return "mittelwert_der_differenzen";
    case Measure::CohensD: return "cohens_d";
    case Measure::HedgesG: return "hedges_g";
    case Measure::CohensDz: return "cohens_dz";
    case Measure::Shift: return "verschiebung_hodges_lehmann";
    case Measure::PseudoMedian: return "pseudomedian_hodges_lehmann";
    case Measure::RankBiserial: return "rangbiseriale_korrelation";
    case Measure::MatchedRankBiserial: return "rangbiseriale_korrelation_paare";
    case Measure::ShareOfPositives: return "anteil_positiver_differenzen";
    case Measure::OddsRatio: return "odds_ratio";
    }
    return "";
}

const char* methodKey(Method m)
{
    switch (m) {
    case Method::None: return "";
    case Method::StudentT: return "student_t";
    case Method::NoncentralT: return "nichtzentrale_t_verteilung";
    case Method::ExactRankSum: return "exakt_rangsumme";
    case Method::ExactSignedRank: return "exakt_vorzeichenrangsumme";
    case Method::NormalWithTies: return "normalapproximation_mit_bindungskorrektur";
    case Method::OrderExact: return "rangordnung_exakt";
    case Method::OrderNormal: return "rangordnung_normalapproximation";
    case Method::ExactBinomial: return "exakt_binomial";
    case Method::ClopperPearson: return "clopper_pearson";
    case Method::FisherExact: return "exakt_fisher";
    case Method::ConditionalExact: return "bedingt_exakt";
    }
    return "";
}

// The numbers behind the report's lines 5 to 10.
ordered_json figures(const TestFigures& f)
{
    ordered_json j;
    j["pruefgroesse"] = f.statistic;
    j["wert"] = number(f.value);
    j["wert_korrigiert"] = f.corrected ? number(*f.corrected) : ordered_json(nullptr);
    j["freiheitsgrade"] = f.df ? number(*f.df) : ordered_json(nullptr);
    j["signifikanzschranke"] = f.critical ? number(*f.critical) : ordered_json(nullptr);
    if (f.criticalUpper)
        j["signifikanzschranke_oben"] = number(*f.criticalUpper);
    ordered_json counts;
    for (const auto& [name, value] : f.counts)
        counts[name] = number(value);
    j["groessen"] = counts;
    j["urteil"] = f.verdict;
    return j;
}

// The additions below the report; infinite ends of one-sided intervals are null.
ordered_json supplement(const Supplement& s)
{
    ordered_json j;
    j["niveau"] = s.alpha;
    j["freiheitsgrade"] = s.df ? number(*s.df) : ordered_json(nullptr);
    j["bindungen"] = s.ties;
    ordered_json list = ordered_json::array();
    for (const Figure& f : s.figures) {
        ordered_json g;
        g["groesse"] = measureKey(f.measure);
        g["wert"] = f.value ? number(*f.value) : ordered_json(nullptr);
        g["intervall"] = f.interval ? ordered_json::array({ number(f.interval->lower), number(f.interval->upper) })
                                    : ordered_json(nullptr);
        g["verfahren"] = methodKey(f.method);
        if (!f.omitted.empty())
            g["ausgelassen"] = f.omitted;
        list.push_back(g);
    }
    j["angaben"] = list;
    return j;
}

const char* checkWord(const std::string& outcome)
{
    if (outcome == "J")
        return "bestanden";
    if (outcome == "N")
        return "nicht bestanden";
    return "nicht geprüft";
}

} // namespace

std::string JsonReport(const AnalysisRecord& r, const std::array<std::string, 3>& names, const std::string& report,
    const std::optional<CheckRun>& check, const std::string& checkText, const std::vector<std::string>& listings,
    const Options& o)
{
    ordered_json j;
    j["datentyp"] = dataTypeWord(r.Datentyp);
    j["test"] = r.TestName;
    j["hypothese"] = r.HaWahl;
    j["niveau_prozent"] = number(static_cast<double>(r.IrrtumTest));

    ordered_json samples = ordered_json::array();
    const int count = r.Datentyp == 4 ? 1 : 2;
    for (int k = 1; k <= count; ++k) {
        ordered_json s;
        s["name"] = names[static_cast<std::size_t>(k)];
        if (r.Datentyp == 4)
            s["beschreibt"] = "Paardifferenzen";
        s["zeilen"] = r.AnzahlWerte[static_cast<std::size_t>(k)];
        s["parameter"] = parameters(r, k);
        samples.push_back(s);
    }
    j["stichproben"] = samples;

    if (check) {
        ordered_json c;
        c["pruefung"] = o.checkName;
        c["niveau_prozent"] = number(static_cast<double>(r.Irrtum));
        c["normalverteilung"] = checkWord(r.NormPruef);
        c["varianzgleichheit"] = checkWord(r.VarPruef);
        c["bericht"] = lines(checkText);
        j["voraussetzungen"] = c;
    } else {
        j["voraussetzungen"] = nullptr;
    }

    j["ergebnis"] = r.Pruefgroessen ? figures(*r.Pruefgroessen) : ordered_json(nullptr);
    j["zusatzangaben"] = r.Zusatzangaben ? supplement(*r.Zusatzangaben) : ordered_json(nullptr);
    j["bericht"] = lines(report);
    if (o.parameters) {
        ordered_json l = ordered_json::array();
        for (const auto& listing : listings)
            l.push_back(lines(listing));
        j["parameterlisten"] = l;
    }
    return j.dump(2) + "\n";
}

} // namespace zx::cli
