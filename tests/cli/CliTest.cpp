// zerantix-cli: its arguments as read, and the program as a script runs it:
// exit statuses, messages, a failed check, JSON holding the report's numbers.
#include "cli/CommandLine.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace {

using zx::cli::Parsed;

// What the arguments ask for, in one line: data type, ranges, list/position,
// hypothesis, level, check@level, names, separator, format, parameters.
std::string Read(const std::string& arguments)
{
    std::istringstream in(arguments);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    const Parsed p = zx::cli::ParseArguments(words);
    const std::string help = " (Hilfe: zerantix-cli --help)"; // closes every message
    if (p.kind == Parsed::Kind::Error)
        return p.message.rfind(help) + help.size() == p.message.size() ? p.message.substr(0, p.message.size() - help.size()) : "no help: " + p.message;
    if (p.kind != Parsed::Kind::Run)
        return p.kind == Parsed::Kind::Help ? "help" : "version";
    const auto& o = p.options;
    return std::to_string(o.datentyp) + " " + o.ranges[1] + "," + o.ranges[2] + " " + std::to_string(o.testList) + "/" + std::to_string(o.testIndex) + " h"
        + std::to_string(o.hypothesis) + " " + o.level + " " + (o.check ? std::to_string(*o.check) : "-") + "@" + o.checkLevel + " " + o.names[1]
        + "|" + o.names[2] + " " + o.separator.value_or('-') + (o.format == zx::cli::OutputFormat::Json ? " json" : "") + (o.parameters ? " P" : "")
        + (o.workbook ? " " + *o.workbook : "");
}

TEST(Cli, Arguments)
{
    const std::string s = "--daten einzelwerte --stichprobe1 A2 --stichprobe2 B2 ";
    const std::pair<std::string, std::string> cases[] = {
        { s + "--test t", "1 A2,B2 1/0 h0 5 -@5 | -" },
        { s + "--test median --hypothese groesser --niveau 1 --namen Atlantik,Pazifik --trennzeichen , --format json --parameter",
            "1 A2,B2 1/5 h2 1 -@5 Atlantik|Pazifik , json P" },
        { "--daten=klassen --stichprobe1 D2 --stichprobe2=G2 --test weir --pruefung david --pruefniveau 1 --workbook x.ods --namen A",
            "2 D2,G2 2/3 h0 5 1@1 A| - x.ods" },
        { "--daten xsn --stichprobe1 J2 --stichprobe2 K2 --test lord --hypothese kleiner --pruefung david", "3 J2,K2 2/2 h1 5 0@5 | -" },
        { "--daten paare --stichprobe1 M2:N13 --test vorzeichen --pruefung shapiro-wilk --trennzeichen .", "4 M2:N13, 3/2 h0 5 1@5 | ." },
        { "--daten paare --stichprobe1 M2 --test t-paare --pruefniveau 10 --pruefung ks", "4 M2, 3/0 h0 5 0@10 | -" },
        { "--daten paare --stichprobe1 M2 --test wilcoxon", "4 M2, 3/1 h0 5 -@5 | -" },
        { s + "--help", "help" }, { "--version --frei", "version" },
        { s + "--test t --frei", "Unbekanntes Argument \u201E--frei\u201C." }, { s + "--test", "Zu \u201E--test\u201C fehlt der Wert." },
        { "--test t --stichprobe1 A2", "Der Datentyp fehlt: --daten einzelwerte|klassen|xsn|paare." },
        { s, "Der Test fehlt: --test t|welch|lord|weir|u|median|t-paare|wilcoxon|vorzeichen." },
        { s + "--test t --hypothese ungleich", "Unbekannte Hypothese \u201Eungleich\u201C: erlaubt sind zweiseitig, kleiner und groesser." },
        { s + "--test t --pruefung chi", "Unbekannte Prüfung \u201Echi\u201C: erlaubt sind ks, shapiro-wilk und david." },
        { "--daten zahlen --test t", "Unbekannter Datentyp \u201Ezahlen\u201C: erlaubt sind einzelwerte, klassen, xsn und paare." },
        { "--daten klassen --test t", "Der Bereich der 1. Stichprobe fehlt: --stichprobe1 A2:A15." },
        { "--daten klassen --stichprobe1 D2 --test t", "Der Bereich der 2. Stichprobe fehlt: --stichprobe2 B2:B13." },
        { "--daten paare --stichprobe1 M2 --stichprobe2 N2", "Wertepaare werden als ein Bereich aus zwei Spalten gelesen: nur --stichprobe1, z.B. M2:N13." },
        { s + "--test wilcoxon", "Der Test \u201Ewilcoxon\u201C passt nicht zum Datentyp \u201Eeinzelwerte\u201C: angeboten werden t, welch, lord, weir, u, median." },
        { "--daten klassen --stichprobe1 D2 --stichprobe2 G2 --test u", "Der Test \u201Eu\u201C passt nicht zum Datentyp \u201Eklassen\u201C: angeboten werden t, welch, lord, weir." },
        { "--daten paare --stichprobe1 M2 --test t", "Der Test \u201Et\u201C passt nicht zum Datentyp \u201Epaare\u201C: angeboten werden t-paare, wilcoxon, vorzeichen." },
        { s + "--test weir --hypothese kleiner", "Der WEIR-Test prüft nur zweiseitig." },
        { "--daten klassen --stichprobe1 D2 --stichprobe2 G2 --test t --pruefung shapiro-wilk",
            "Die Prüfung \u201Eshapiro-wilk\u201C wird für den Datentyp \u201Eklassen\u201C nicht angeboten." },
        { s + "--test t --pruefniveau 1", "--pruefniveau gilt nur zusammen mit --pruefung." },
        { s + "--test t --trennzeichen ;", "Das Trennzeichen ist \u201E,\u201C oder \u201E.\u201C, nicht \u201E;\u201C." },
        { s + "--test t --format xml", "Unbekanntes Format \u201Exml\u201C: erlaubt sind text und json." },
    };
    for (const auto& [arguments, expected] : cases)
        EXPECT_EQ(Read(arguments), expected) << arguments;
}

struct CliRun { int status; std::string out, err; };

// Runs the program with the example workbook's folder as the program folder.
CliRun Cli(const std::string& arguments)
{
    const std::string out = testing::TempDir() + "/cli-out.txt", err = testing::TempDir() + "/cli-err.txt";
    const int status = std::system(("cd '" ZX_EXAMPLES_DIR "' && HOME=/nonexistent LC_ALL=C.UTF-8 '" ZX_CLI "' " + arguments + " >'" + out + "' 2>'" + err + "'").c_str());
    auto read = [](const std::string& file) { std::ifstream in(file); return std::string(std::istreambuf_iterator<char>(in), {}); };
    return { WIFEXITED(status) ? WEXITSTATUS(status) : -1, read(out), read(err) };
}

const std::string kSingle = "--daten einzelwerte --stichprobe1 A2:A15 --stichprobe2 B2:B13 ";

// Refusals end with status 2 and a message on stderr, nothing on stdout.
TEST(Cli, Refusals)
{
    const std::pair<std::string, const char*> cases[] = {
        { "--daten zahlen", "Unbekannter Datentyp \u201Ezahlen\u201C" },
        { "--daten einzelwerte --stichprobe1 A2 --stichprobe2 B2 --test t --niveau 60", "\u201E60\u201C wird nicht angenommen" },
        { "--daten einzelwerte --stichprobe1 A1 --stichprobe2 B2 --test t", "Die Zelle Daten!A1 enthält keine Zahl" },
        { "--daten einzelwerte --stichprobe1 A2:A15 --stichprobe2 ZZ --test t", "\u201EZZ\u201C der 2. Stichprobe ist kein Zellbereich" },
        { "--daten paare --stichprobe1 ZZ --test wilcoxon", "\u201EZZ\u201C der Wertepaare ist kein Zellbereich" },
        { "--workbook /gibt/es/nicht.xls " + kSingle + "--test t", "\u201E/gibt/es/nicht.xls\u201C wurde nicht gefunden" },
        { kSingle + "--test median --pruefung ks", "nur vor den parametrischen Tests" },
    };
    for (const auto& [arguments, says] : cases) {
        const CliRun r = Cli(arguments);
        EXPECT_TRUE(r.status == 2 && r.out.empty() && r.err.rfind("zerantix-cli: ", 0) == 0 && r.err.find(says) != std::string::npos)
            << arguments << ": " << r.status << " " << r.out << r.err;
    }
    EXPECT_EQ(Cli("--version").status, 0);
    EXPECT_EQ(Cli("--daten paare --stichprobe1 M2:N13 --test wilcoxon --niveau 5 --hypothese groesser").status, 0);
}

// A failed check refuses the test (status 3) and says why and what to choose.
TEST(Cli, FailedCheckRefusesTheTest)
{
    // The herring lengths pass KOLMOGOROFF-SMIRNOV at 10 %, but their
    // variances differ there (F = 2.2733 against 2.1930).
    const CliRun r = Cli(kSingle + "--test t --pruefung ks --pruefniveau 10");
    EXPECT_TRUE(r.status == 3 && r.out.empty() && r.err.find("F-Wert (berechnet)                  = 2.2733") != std::string::npos
        && r.err.find("WÄHLEN SIE EINEN DER EMPFOHLENEN TESTS\nEs wird bei den zu vergleichenden") != std::string::npos) << r.status << r.err;
    // WELCH, which the advice names, runs on the same check, which needs no equal variances.
    const CliRun welch = Cli(kSingle + "--test welch --pruefung ks --pruefniveau 10 --format json");
    ASSERT_EQ(welch.status, 0);
    const auto check = nlohmann::json::parse(welch.out).at("voraussetzungen");
    EXPECT_EQ(check.at("pruefung").get<std::string>() + "|" + check.at("normalverteilung").get<std::string>() + "|"
            + check.at("varianzgleichheit").get<std::string>(), "ks|bestanden|nicht geprüft");
}

TEST(Cli, JsonHoldsTheReportAndItsNumbers)
{
    const CliRun text = Cli(kSingle + "--test t --namen Atlantik,Pazifik --parameter --trennzeichen .");
    const CliRun json = Cli(kSingle + "--test t --namen Atlantik,Pazifik --parameter --trennzeichen . --format json");
    ASSERT_EQ(json.status, 0) << json.err;
    const auto j = nlohmann::json::parse(json.out);
    // The report lines are those of the text output, date line aside.
    std::string joined;
    for (const auto& line : j.at("bericht"))
        joined += line.get<std::string>() + "\n";
    EXPECT_EQ(joined.substr(0, joined.rfind("DATUM:")), text.out.substr(0, text.out.rfind("DATUM:")));
    EXPECT_EQ(j.at("test"), "t-TEST für Zweistich.");
    EXPECT_EQ(j.at("niveau_prozent"), 5.0);
    // Each listed parameter is the number the listing prints.
    ASSERT_EQ(j.at("stichproben").size(), 2u);
    EXPECT_EQ(j.at("stichproben")[1].at("name"), "Pazifik");
    auto printed = [&](const char* label) {
        for (const auto& line : j.at("parameterlisten")[0])
            if (line.get<std::string>().find(label) != std::string::npos)
                return std::stod(line.get<std::string>().substr(39));
        return -1.0;
    };
    const auto& p = j.at("stichproben")[0].at("parameter");
    for (const auto& [key, label] : { std::pair { "mittelwert", "MITTELWERT" }, std::pair { "standardabweichung", "STANDARDABWEICHUNG" },
             std::pair { "median", "6) MEDIAN " }, std::pair { "quartilsabstand", "QUARTILSABSTAND" }, std::pair { "umfang", "UMFANG" } })
        EXPECT_NEAR(p.at(key).get<double>(), printed(label), 5e-5) << key;
    // The test's numbers are those of its lines; the additions are numbers too.
    const auto& result = j.at("ergebnis");
    auto reportNumber = [&](const char* label) { return std::stod(text.out.substr(text.out.find('=', text.out.find(label)) + 1)); };
    EXPECT_EQ(result.at("pruefgroesse"), "t");
    EXPECT_NEAR(result.at("wert").get<double>(), reportNumber("t-Wert (berechnet)"), 5e-5);
    EXPECT_NEAR(result.at("signifikanzschranke").get<double>(), reportNumber("Signifikanzschranke"), 5e-5);
    EXPECT_EQ(result.at("freiheitsgrade").get<double>(), reportNumber("Freiheitsgrade"));
    EXPECT_EQ(result.at("urteil"), "signifikant");
    EXPECT_EQ(j.at("zusatzangaben").at("angaben").at(0).at("groesse"), "p_wert");
    EXPECT_LT(j.at("zusatzangaben").at("angaben").at(0).at("wert").get<double>(), 0.001);
    // Paired values: one sample, their differences.
    const auto paired = nlohmann::json::parse(Cli("--daten paare --stichprobe1 M2:N13 --test wilcoxon --format json").out);
    EXPECT_EQ(paired.at("stichproben").size(), 1u);
    EXPECT_EQ(paired.at("stichproben")[0].at("beschreibt"), "Paardifferenzen");
    EXPECT_TRUE(paired.at("voraussetzungen").is_null());
}

} // namespace
