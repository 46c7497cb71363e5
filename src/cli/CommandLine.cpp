#include "cli/CommandLine.h"

#include "workflow/AssumptionCheck.h"

#include <map>

namespace zx::cli {

namespace {

struct TestWord {
    const char* word;
    int list; // 0: single values and grouped data alike
    int index;
};

// The tests by their command-line words, at their places in the main
// window's lists.
constexpr TestWord kTests[] = {
    { "t", 0, 0 },
    { "welch", 0, 1 },
    { "lord", 0, 2 },
    { "weir", 0, 3 },
    { "u", 1, 4 },
    { "median", 1, 5 },
    { "t-paare", 3, 0 },
    { "wilcoxon", 3, 1 },
    { "vorzeichen", 3, 2 },
};

const std::map<std::string, int> kDataTypes = { { "einzelwerte", 1 }, { "klassen", 2 }, { "xsn", 3 }, { "paare", 4 } };
const std::map<std::string, int> kHypotheses = { { "zweiseitig", 0 }, { "kleiner", 1 }, { "groesser", 2 } };
const std::map<std::string, NormalityTest> kChecks = { { "ks", NormalityTest::KolmogorovSmirnov },
    { "shapiro-wilk", NormalityTest::ShapiroWilk }, { "david", NormalityTest::David } };

std::string offeredTests(int datentyp)
{
    std::string out;
    for (const auto& t : kTests) {
        const bool fits = datentyp == 4 ? t.list == 3 : (t.list == 0 || (t.list == 1 && datentyp == 1));
        if (fits)
            out += (out.empty() ? "" : ", ") + std::string(t.word);
    }
    return out;
}

Parsed error(std::string message)
{
    Parsed p;
    p.kind = Parsed::Kind::Error;
    p.message = std::move(message) + " (Hilfe: zerantix-cli --help)";
    return p;
}

} // namespace

Parsed ParseArguments(const std::vector<std::string>& arguments)
{
    Parsed parsed;
    Options& o = parsed.options;
    std::string data, hypothesis = "zweiseitig", check, format = "text", separator;
    std::map<std::string, std::string*> valued = {
        { "--workbook", nullptr }, { "--daten", &data }, { "--stichprobe1", &o.ranges[1] }, { "--stichprobe2", &o.ranges[2] },
        { "--namen", nullptr }, { "--test", &o.test }, { "--hypothese", &hypothesis }, { "--niveau", &o.level },
        { "--pruefung", &check }, { "--pruefniveau", &o.checkLevel }, { "--trennzeichen", &separator },
        { "--format", &format } };
    std::string workbook, names;
    valued["--workbook"] = &workbook;
    valued["--namen"] = &names;
    std::map<std::string, bool> given;

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string arg = arguments[i];
        std::optional<std::string> inlineValue;
        if (const auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
        }
        if (arg == "--help" || arg == "-h") {
            parsed.kind = Parsed::Kind::Help;
            return parsed;
        }
        if (arg == "--version") {
            parsed.kind = Parsed::Kind::Version;
            return parsed;
        }
        if (arg == "--parameter") {
            o.parameters = true;
            continue;
        }
        const auto it = valued.find(arg);
        if (it == valued.end())
            return error("Unbekanntes Argument \u201E" + arguments[i] + "\u201C.");
        if (!inlineValue && i + 1 >= arguments.size())
            return error("Zu \u201E" + arg + "\u201C fehlt der Wert.");
        *it->second = inlineValue ? *inlineValue : arguments[++i];
        given[arg] = true;
    }

    if (given["--workbook"])
        o.workbook = workbook;
    if (!given["--daten"])
        return error("Der Datentyp fehlt: --daten einzelwerte|klassen|xsn|paare.");
    const auto type = kDataTypes.find(data);
    if (type == kDataTypes.end())
        return error("Unbekannter Datentyp \u201E" + data + "\u201C: erlaubt sind einzelwerte, klassen, xsn und paare.");
    o.datentyp = type->second;
    if (o.ranges[1].empty())
        return error("Der Bereich der 1. Stichprobe fehlt: --stichprobe1 A2:A15.");
    if (o.datentyp == 4 && !o.ranges[2].empty())
        return error("Wertepaare werden als ein Bereich aus zwei Spalten gelesen: nur --stichprobe1, z.B. M2:N13.");
    if (o.datentyp != 4 && o.ranges[2].empty())
        return error("Der Bereich der 2. Stichprobe fehlt: --stichprobe2 B2:B13.");
    if (given["--namen"]) {
        const auto comma = names.find(',');
        o.names[1] = names.substr(0, comma);
        if (comma != std::string::npos)
            o.names[2] = names.substr(comma + 1);
    }

    if (!given["--test"])
        return error("Der Test fehlt: --test t|welch|lord|weir|u|median|t-paare|wilcoxon|vorzeichen.");
    const TestWord* test = nullptr;
    for (const auto& t : kTests)
        if (o.test == t.word)
            test = &t;
    const bool fits = test
        && (o.datentyp == 4 ? test->list == 3 : (test->list == 0 || (test->list == 1 && o.datentyp == 1)));
    if (!fits)
        return error("Der Test \u201E" + o.test + "\u201C passt nicht zum Datentyp \u201E" + data + "\u201C: angeboten werden "
            + offeredTests(o.datentyp) + ".");
    o.testList = o.datentyp == 4 ? 3 : (o.datentyp == 1 ? 1 : 2);
    o.testIndex = test->index;

    const auto ha = kHypotheses.find(hypothesis);
    if (ha == kHypotheses.end())
        return error("Unbekannte Hypothese \u201E" + hypothesis + "\u201C: erlaubt sind zweiseitig, kleiner und groesser.");
    o.hypothesis = ha->second;
    if (o.test == "weir" && o.hypothesis != 0)
        return error("Der WEIR-Test prüft nur zweiseitig.");

    if (given["--pruefung"]) {
        const auto c = kChecks.find(check);
        if (c == kChecks.end())
            return error("Unbekannte Prüfung \u201E" + check + "\u201C: erlaubt sind ks, shapiro-wilk und david.");
        const auto offered = OfferedNormalityTests(o.datentyp);
        int position = 0;
        while (position < static_cast<int>(offered.size()) && offered[static_cast<std::size_t>(position)] != c->second)
            ++position;
        if (position == static_cast<int>(offered.size()))
            return error("Die Prüfung \u201E" + check + "\u201C wird für den Datentyp \u201E" + data + "\u201C nicht angeboten.");
        o.check = position;
        o.checkName = check;
    } else if (given["--pruefniveau"]) {
        return error("--pruefniveau gilt nur zusammen mit --pruefung.");
    }

    if (given["--trennzeichen"]) {
        if (separator != "," && separator != ".")
            return error("Das Trennzeichen ist \u201E,\u201C oder \u201E.\u201C, nicht \u201E" + separator + "\u201C.");
        o.separator = separator[0];
    }
    if (format == "json")
        o.format = OutputFormat::Json;
    else if (format != "text")
        return error("Unbekanntes Format \u201E" + format + "\u201C: erlaubt sind text und json.");

    parsed.kind = Parsed::Kind::Run;
    return parsed;
}

std::string HelpText()
{
    return R"(zerantix-cli – Vergleich zweier Stichproben ohne Fenster (Zerantix, Modul KAPA21)

Aufruf:
  zerantix-cli [--workbook DATEI] --daten TYP --stichprobe1 BEREICH [--stichprobe2 BEREICH]
               [--namen NAME1,NAME2] --test TEST [--hypothese H] [--niveau PROZENT]
               [--pruefung ks|shapiro-wilk|david [--pruefniveau PROZENT]]
               [--trennzeichen ,|.] [--format text|json] [--parameter]

  --workbook DATEI     Arbeitsmappe (Vorgabe: blatt.xls im Zerantix-Verzeichnis)
  --daten TYP          einzelwerte, klassen (Klassenmitte und Häufigkeit), xsn (Mittelwert,
                       Standardabweichung, Umfang, Maximum, Minimum) oder paare
  --stichprobe1/2      Bereich wie in der Bereichsfrage: A2:A15, Daten!$A$2:$A$15;
                       gelesen wird ab der ersten Zeile bis zur ersten leeren Zelle
  --namen N1,N2        Namen der Stichproben (freiwillig)
  --test TEST          einzelwerte: t, welch, lord, weir, u, median
                       klassen, xsn: t, welch, lord, weir
                       paare: t-paare, wilcoxon, vorzeichen
  --hypothese H        zweiseitig (Vorgabe), kleiner (µ1 < µ2), groesser (µ1 > µ2)
  --niveau PROZENT     Irrtumswahrscheinlichkeit des Tests (Vorgabe 5)
  --pruefung P         Prüfung der Voraussetzungen vor einem parametrischen Test
  --pruefniveau PROZ.  Irrtumswahrscheinlichkeit der Prüfung (Vorgabe 5)
  --trennzeichen       Dezimaltrennzeichen der Berichte (Vorgabe: das der Region)
  --format             text (der Bericht wie im Fenster) oder json
  --parameter          die deskriptiven Parameter beider Stichproben dazu

Beispiele (auf blatt.xls aus dem Zerantix-Verzeichnis):
  zerantix-cli --daten einzelwerte --stichprobe1 A2:A15 --stichprobe2 B2:B13 --test t
  zerantix-cli --daten klassen --stichprobe1 D2:E9 --stichprobe2 G2:H9 --test welch --pruefung ks
  zerantix-cli --daten xsn --stichprobe1 J2:J6 --stichprobe2 K2:K6 --test lord --niveau 1
  zerantix-cli --daten paare --stichprobe1 M2:N13 --test wilcoxon --hypothese kleiner --format json

Rückgabewert: 0 ein Ergebnis; 3 der Test ist nicht möglich oder nach einer nicht
bestandenen Prüfung abgelehnt; 2 falsche Argumente oder Daten, die die Eingabe ablehnt.
)";
}

std::string VersionText() { return "zerantix-cli " ZX_VERSION "\n"; }

} // namespace zx::cli
