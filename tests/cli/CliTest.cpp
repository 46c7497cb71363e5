// zerantix-cli as a script runs it: exit statuses and messages for bad
// arguments and data, and JSON whose numbers are those of the report.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the command with the example workbook's folder as the program folder.
CliRun cli(const std::string& arguments)
{
    const std::string errFile = testing::TempDir() + "/cli-stderr.txt";
    const std::string command = std::string("cd '") + ZX_EXAMPLES_DIR + "' && HOME=/nonexistent LC_ALL=C.UTF-8 '" + ZX_CLI + "' "
        + arguments + " 2>'" + errFile + "'";
    CliRun r;
    FILE* pipe = ::popen(command.c_str(), "r");
    std::array<char, 4096> buffer;
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        r.out.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (FILE* e = std::fopen(errFile.c_str(), "r")) {
        for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), e)) > 0;)
            r.err.append(buffer.data(), n);
        std::fclose(e);
    }
    return r;
}

const std::string kSingle = "--daten einzelwerte --stichprobe1 A2:A15 --stichprobe2 B2:B13 ";

TEST(Cli, RefusalsHaveTheirStatusAndMessage)
{
    struct Case {
        const char* arguments;
        int status;
        const char* says;
    };
    const Case cases[] = {
        { "--daten einzelwerte --stichprobe1 A2:A15 --stichprobe2 B2:B13", 2, "Der Test fehlt" },
        { "--test t --stichprobe1 A2", 2, "Der Datentyp fehlt" },
        { "--daten zahlen --stichprobe1 A2 --test t", 2, "Unbekannter Datentyp \u201Ezahlen\u201C" },
        { "--daten einzelwerte --stichprobe1 A2:A15 --stichprobe2 B2:B13 --test x", 2, "Der Test \u201Ex\u201C passt nicht" },
        { "--daten klassen --stichprobe1 D2 --stichprobe2 G2 --test u", 2, "angeboten werden t, welch, lord, weir" },
        { "--daten einzelwerte --stichprobe1 A2 --stichprobe2 B2 --test t --frei", 2, "Unbekanntes Argument \u201E--frei\u201C" },
        { "--daten einzelwerte --stichprobe1 A2 --stichprobe2 B2 --test weir --hypothese kleiner", 2, "nur zweiseitig" },
        { "--daten einzelwerte --stichprobe1 A2 --stichprobe2 B2 --test t --niveau 60", 2, "\u201E60\u201C wird nicht angenommen" },
        { "--daten xsn --stichprobe1 J2 --stichprobe2 K2 --test lord --niveau 2", 2, "Bitte wählen Sie nur zwischen 1% und 5%" },
        { "--daten einzelwerte --stichprobe1 A1 --stichprobe2 B2 --test t", 2, "Die Zelle Daten!A1 enthält keine Zahl" },
        { "--daten einzelwerte --stichprobe1 A2:A15 --stichprobe2 ZZ --test t", 2, "\u201EZZ\u201C der 2. Stichprobe ist kein Zellbereich" },
        { "--workbook /gibt/es/nicht.xls --daten einzelwerte --stichprobe1 A2 --stichprobe2 B2 --test t", 2,
            "\u201E/gibt/es/nicht.xls\u201C wurde nicht gefunden" },
        { "--daten einzelwerte --stichprobe1 A2 --stichprobe2 B2 --test median --pruefung ks", 2,
            "nur vor den parametrischen Tests" },
        { "--daten paare --stichprobe1 M2:N13 --test wilcoxon --niveau 5 --hypothese groesser", 0, "" },
    };
    for (const auto& c : cases) {
        const CliRun r = cli(c.arguments);
        SCOPED_TRACE(c.arguments);
        EXPECT_EQ(r.status, c.status) << r.err;
        if (c.status != 0) {
            EXPECT_TRUE(r.out.empty()) << "no partial report on stdout: " << r.out;
            EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
            EXPECT_EQ(r.err.rfind("zerantix-cli: ", 0), 0u) << r.err;
        }
    }
}

// A failed check refuses the test (status 3) and says why and what to choose.
TEST(Cli, FailedCheckRefusesTheTest)
{
    // The herring lengths pass KOLMOGOROFF-SMIRNOV at 10 %, but their
    // variances differ there (F = 2.2733 against 2.1930).
    const CliRun r = cli(kSingle + "--test t --pruefung ks --pruefniveau 10");
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("F-Wert (berechnet)                  = 2.2733"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("WÄHLEN SIE EINEN DER EMPFOHLENEN TESTS\nEs wird bei den zu vergleichenden"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
    // WELCH, which the advice names, runs on the same check.
    EXPECT_EQ(cli(kSingle + "--test welch --pruefung ks --pruefniveau 10").status, 0);
}

TEST(Cli, JsonHoldsTheReportAndItsNumbers)
{
    const CliRun text = cli(kSingle + "--test t --namen Atlantik,Pazifik --parameter --trennzeichen .");
    const CliRun json = cli(kSingle + "--test t --namen Atlantik,Pazifik --parameter --trennzeichen . --format json");
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
    const auto& samples = j.at("stichproben");
    ASSERT_EQ(samples.size(), 2u);
    EXPECT_EQ(samples[0].at("name"), "Atlantik");
    const auto& listing = j.at("parameterlisten")[0];
    auto printed = [&](const char* label) {
        for (const auto& line : listing) {
            const std::string s = line.get<std::string>();
            if (s.find(label) != std::string::npos)
                return std::stod(s.substr(39));
        }
        return -1.0;
    };
    const auto& p = samples[0].at("parameter");
    EXPECT_NEAR(p.at("mittelwert").get<double>(), printed("MITTELWERT"), 5e-5);
    EXPECT_NEAR(p.at("standardabweichung").get<double>(), printed("STANDARDABWEICHUNG"), 5e-5);
    EXPECT_NEAR(p.at("median").get<double>(), printed("6) MEDIAN "), 5e-5);
    EXPECT_EQ(p.at("umfang").get<double>(), printed("UMFANG"));
    // The test's numbers are those of its lines; the additions are numbers too.
    const auto& result = j.at("ergebnis");
    auto reportNumber = [&](const char* label) {
        const auto at = text.out.find(label);
        return at == std::string::npos ? -1.0 : std::stod(text.out.substr(text.out.find('=', at) + 1));
    };
    EXPECT_EQ(result.at("pruefgroesse"), "t");
    EXPECT_NEAR(result.at("wert").get<double>(), reportNumber("t-Wert (berechnet)"), 5e-5);
    EXPECT_NEAR(result.at("signifikanzschranke").get<double>(), reportNumber("Signifikanzschranke"), 5e-5);
    EXPECT_EQ(result.at("freiheitsgrade").get<double>(), reportNumber("Freiheitsgrade"));
    EXPECT_EQ(result.at("urteil"), "signifikant");
    const auto& p0 = j.at("zusatzangaben").at("angaben").at(0);
    EXPECT_EQ(p0.at("groesse"), "p_wert");
    EXPECT_LT(p0.at("wert").get<double>(), 0.001);
}

} // namespace
