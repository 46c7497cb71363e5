// The data manager through scripted ranges and answers: each data type's
// rules, every way a reading ends, and which workbook it reads.
#include "core/AnalysisRecord.h"
#include "core/NumberText.h"
#include "input/DataManager.h"
#include "workbook/StoredWorkbook.h"
#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <charconv>
#include <deque>
#include <map>
#include <sstream>

namespace zx {
namespace {

using Kind = test::ScriptedDialogs::Kind;
using Ranges = std::deque<std::optional<std::string>>; // nothing: "Abbrechen"

// A workbook whose first sheet holds lines of cells split by ';': numbers as
// C writes them, WAHR and FALSCH, errors ("#DIV/0!") and texts ("'" in front
// makes a number a text); the other sheets are empty.
std::unique_ptr<Workbook> book(const std::string& grid, const std::vector<std::string>& names = { "Tabelle1" })
{
    StoredBook b;
    b.frontSheet = 0;
    auto cells = std::make_shared<SheetCells>();
    std::istringstream lines(grid);
    unsigned row = 0;
    for (std::string line; std::getline(lines, line); ++row) {
        std::istringstream fields(line);
        unsigned column = 0;
        for (std::string f; std::getline(fields, f, ';'); ++column) {
            double v = 0;
            const auto r = std::from_chars(f.data(), f.data() + f.size(), v);
            if (!f.empty() && r.ec == std::errc() && r.ptr == f.data() + f.size())
                cells->putNumber(row, column, v);
            else if (f == "WAHR" || f == "FALSCH")
                cells->putBoolean(row, column, f == "WAHR");
            else if (!f.empty()) {
                b.texts.push_back(f[0] == '\'' ? f.substr(1) : f);
                ((*cells).*(f[0] == '#' ? &SheetCells::putErrorText : &SheetCells::putText))(row, column, static_cast<std::uint32_t>(b.texts.size() - 1));
            }
        }
    }
    cells->finish(b.texts);
    for (const std::string& name : names)
        b.sheets.push_back({ name, SheetVisibility::Visible, b.sheets.empty() ? cells : std::make_shared<SheetCells>() });
    return std::make_unique<StoredWorkbook>(std::move(b));
}

// Rows 1..n of i in column A and 100 + i in column B, each column as long as given.
std::string rows(int a, int b)
{
    std::string out;
    for (int i = 1; i <= std::max(a, b); ++i)
        out += (i <= a ? std::to_string(i) : "") + ";" + (i <= b ? std::to_string(100 + i) : "") + "\n";
    return out;
}

// The workbook window and its range question, answered from a script.
class ScriptedView : public WorkbookView {
public:
    Ranges ranges;
    Ranges files;
    std::vector<std::string> prompts;
    const Workbook* shown = nullptr;
    bool visible = false;
    int fileQuestions = 0;
    std::function<void()> duringQuestion;

    void showWorkbook(const Workbook* workbook, const std::string&) override { shown = workbook; }
    void setVisible(bool v) override { visible = v; }
    std::optional<CellRange> askRange(const std::string& prompt, const std::string& title) override
    {
        prompts.push_back(prompt);
        EXPECT_EQ(title, "Daten Eingabe: Leere Zelle nicht erlaubt");
        if (duringQuestion)
            duringQuestion();
        if (ranges.empty())
            ADD_FAILURE() << "unprepared range question: " << prompt;
        const auto r = take(ranges);
        return r ? ParseRange(*r, shown, 0) : std::nullopt;
    }
    std::optional<std::string> chooseWorkbookFile(const std::string&) override
    {
        ++fileQuestions;
        return take(files);
    }
    static std::optional<std::string> take(Ranges& answers)
    {
        const auto a = answers.empty() ? std::nullopt : answers.front();
        return answers.empty() ? a : (answers.pop_front(), a);
    }
};

// What the record holds: the data type, then per sample its name and values
// ("1 |ATLANTIK 3: 1 2 3 |PAZIFIK 2: 4 5", frequencies other than 1 as
// "10x2", long samples as "1 2 3 .. 12"), or mean, s, n, maximum, minimum.
std::string recordOf(const AnalysisRecord& r)
{
    std::ostringstream out;
    out << r.Datentyp;
    for (int k = 1; k <= 2; ++k) {
        out << " |" << r.Bezeichnung[k] << ' ';
        if (r.Datentyp == 3) {
            out << r.Mittelwert[k] << ' ' << r.StdAbw[k] << ' ' << r.Umfang[k] << ' ' << r.Maximum[k] << ' ' << r.Minimum[k];
            continue;
        }
        const int n = r.AnzahlWerte[k];
        out << n << ':';
        for (int i = 1; i <= n; ++i) {
            if (n > 6 && i == 4) {
                out << " ..";
                i = n;
            }
            out << ' ' << r.Werte(i, k);
            if (r.Haeufigkeit(i, k) != 1)
                out << 'x' << r.Haeufigkeit(i, k);
        }
    }
    return out.str();
}

class Manager : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDecimalSeparator(',');
        rec.Verzeichnis = "/daten/";
        // An earlier reading, which a reading that fails or is left must keep.
        rec.Datentyp = 2;
        rec.AnzahlWerte[1] = 1;
        rec.Werte(1, 1) = 99;
        rec.Bezeichnung[1] = "ALT";
    }
    void TearDown() override { EXPECT_TRUE(view.ranges.empty()) << "range answers left over"; }

    // Opens the manager on the grid's workbook (a fresh one at every opening),
    // "example": on examples/blatt.xls as the program opens it, or on what `opener` gives.
    void open(const std::string& grid, std::function<OpenResult(const std::string&)> opener = {})
    {
        manager = std::make_unique<DataManager>(rec, dialogs, view);
        if (grid == "example")
            rec.Verzeichnis = ZX_EXAMPLES_DIR "/";
        else
            manager->opener = opener ? opener : [grid](const std::string&) { return OpenResult{ book(grid), {} }; };
        manager->Form_Load();
    }

    // Reads the data type with the ranges and answers: n an empty name, A
    // "ATLANTIK", c "Abbrechen" in the name question, o and a "OK" and
    // "Abbrechen" in the repeat question.
    void read(int datentyp, Ranges ranges, const std::string& answers)
    {
        view.ranges = std::move(ranges);
        for (const char a : answers)
            a == 'o' || a == 'a' ? dialogs.okCancel(a == 'o') : dialogs.input(a == 'c' ? std::nullopt : std::optional<std::string>(a == 'A' ? "ATLANTIK" : ""));
        void (DataManager::*menus[])() = { &DataManager::mnuEinzel_Click, &DataManager::mnuKlassen_Click, &DataManager::mnuXquerSN_Click,
            &DataManager::mnuWertepaare_Click };
        ((*manager).*menus[datentyp - 1])();
    }

    // How the manager ended: open, the record it committed, or the TestName;
    // then every message and repeat question, in order.
    std::string outcome() const
    {
        std::string out = !manager->closed() ? "open" : rec.TestName.empty() ? recordOf(rec) : rec.TestName;
        for (const auto& s : dialogs.shown())
            if (s.kind == Kind::Message || s.kind == Kind::OkCancel) {
                EXPECT_EQ(s.title, s.kind == Kind::Message ? "Fehler" : "Bitte Eingaben wiederholen!");
                out += " / " + s.text;
            }
        return out;
    }

    AnalysisRecord rec;
    test::ScriptedDialogs dialogs{ [](const std::string& w) { ADD_FAILURE() << w; } };
    ScriptedView view;
    std::unique_ptr<DataManager> manager;
};

struct Reading {
    const char* name;
    int datentyp;
    std::string grid; // the front sheet; "example": examples/blatt.xls
    Ranges ranges;
    std::string answers;
    std::string expected; // outcome()
};

void PrintTo(const Reading& r, std::ostream* os) { *os << r.name; }

class Readings : public Manager, public ::testing::WithParamInterface<Reading> {};

TEST_P(Readings, EndAsTheRulesSay)
{
    const Reading& c = GetParam();
    const std::string before = recordOf(rec);
    open(c.grid);
    ASSERT_TRUE(view.visible);
    read(c.datentyp, c.ranges, c.answers);
    EXPECT_EQ(outcome(), c.expected);
    if (!manager->closed() || !rec.TestName.empty())
        EXPECT_EQ(recordOf(rec), before) << "nothing of an unfinished reading reaches the record";
    else
        EXPECT_FALSE(view.visible);
}

const std::string kAgain = "\r\n\r\nOK: Bereich neu markieren     Abbrechen: Eingabe beenden";
const std::string kTooLarge = " ist zu groß: Beträge über 1E+38 können nicht verarbeitet werden.";
// The end of a reading that failed at sample k, with the request to correct the data where the data are wrong.
std::string failed(int k, const std::string& why, bool correct = true)
{
    return "UNENDE / Fehler beim Lesen der " + std::to_string(k) + ". Stichprobe: " + why
        + (correct ? " Bitte korrigieren Sie die Daten und wiederholen Sie die Eingabe." : "");
}
std::string noNumber(int k, const std::string& cell, const std::string& text)
{
    return failed(k, "Die Zelle Tabelle1!" + cell + " enthält keine Zahl (\u201E" + text + "\u201C).");
}
std::string tooFew(const std::string& what) { return what + ": nur 2 (ab Zelle Tabelle1!A1); es werden mindestens 3 gebraucht." + kAgain; }
const std::string kFrequency = " ist keine ganze Zahl von 0 bis 32767.", kSize = " muss eine ganze Zahl von mindestens 3 sein.";
const std::string kMean = "liegt nicht zwischen dem Minimum in Zelle Tabelle1!A5 (5) und dem Maximum in Zelle Tabelle1!A4 (15).";

INSTANTIATE_TEST_SUITE_P(Manager, Readings,
    ::testing::Values(
        // Rows are read from the first marked one down to the first empty cell, whatever the marked height.
        Reading{ "SingleValues", 1, rows(12, 7), { "A1:A12", "$B$1:$B$3" }, "Ac", "1 |ATLANTIK 12: 1 2 3 .. 12 | 7: 101 102 103 .. 107" },
        Reading{ "NumbersInTexts", 1, "'2,5;1\n 3.25 ;2\n'-4;3\n+1,0\n", { "A1", "B1" }, "nn", "1 | 4: 2.5 3.25 -4 1 | 3: 1 2 3" },
        Reading{ "FiveHundredRows", 1, rows(500, 3), { "A1", "B1" }, "nn", "1 | 500: 1 2 3 .. 500 | 3: 101 102 103" },
        Reading{ "MoreThanFiveHundredRows", 1, rows(501, 500), { "B1", "A1" }, "nn",
            failed(2, "Ab Zelle Tabelle1!A1 stehen mehr als 500 Zeilen. Es können höchstens 500 Zeilen je Stichprobe gelesen werden.", false) },
        Reading{ "AText", 1, rows(10, 10) + ";abc", { "A1:A10", "B1:B11" }, "nn", noNumber(2, "B11", "abc") },
        Reading{ "ABoolean", 1, "WAHR\n2\n3\n", { "A1" }, "n", noNumber(1, "A1", "WAHR") },
        Reading{ "AnError", 1, "1;1\n2;#DIV/0!\n3;3\n", { "A1", "B1" }, "nn", noNumber(2, "B2", "#DIV/0!") },
        Reading{ "TooLargeNegative", 1, "1\n-1.0000001e38\n3\n", { "A1" }, "n", failed(1, "Die Zahl in Zelle Tabelle1!A2 (\u201E-1,0000001E+38\u201C)" + kTooLarge) },
        Reading{ "TooSmall", 1, "1\n2\n-9.9e-38\n", { "A1" }, "n",
            failed(1, "Die Zahl in Zelle Tabelle1!A3 (\u201E-9,9E-38\u201C) ist zu klein: von 0 verschiedene Beträge unter 1E-37 können nicht verarbeitet werden.") },
        Reading{ "LimitsOfTheCarriedRange", 1, "1e38;-1e38\n-1e-37;1e-37\n0;0\n", { "A1", "B1" }, "nn", "1 | 3: 1e+38 -1e-37 0 | 3: -1e+38 1e-37 0" },
        // Class groups end with the first empty frequency.
        Reading{ "ClassGroups", 2, "10;1;;5;2\n20;2;;15;2\n30;3;;25;0\n40;4;;35;1\n50\n", { "A1:B8", "D1:E3" }, "nn", "2 | 4: 10 20x2 30x3 40x4 | 4: 5x2 15x2 25x0 35" },
        Reading{ "LargestFrequency", 2, "1;32767\n2;0\n3;0\n", { "A1", "A1" }, "nn", "2 | 3: 1x32767 2x0 3x0 | 3: 1x32767 2x0 3x0" },
        Reading{ "FrequencyBeyond", 2, "1;1\n2;1\n3;32768\n", { "A1" }, "n", failed(1, "Die Häufigkeit in Zelle Tabelle1!B3 (\u201E32768\u201C)" + kFrequency, false) },
        Reading{ "FrequencyNegative", 2, "1;1\n2;-1\n3;1\n", { "A1" }, "n", failed(1, "Die Häufigkeit in Zelle Tabelle1!B2 (\u201E-1\u201C)" + kFrequency, false) },
        Reading{ "FrequencyNotWhole", 2, "1;1\n2;2.5\n3;1\n", { "A1" }, "n", failed(1, "Die Häufigkeit in Zelle Tabelle1!B2 (\u201E2,5\u201C)" + kFrequency, false) },
        Reading{ "FrequenciesTooFew", 2, "1;1\n2;0\n3;1\n", { "A1" }, "n", failed(1, "Die Häufigkeiten ergeben zusammen nur 2 Werte; es werden mindestens 3 gebraucht.", false) },
        Reading{ "FrequencyNoNumber", 2, "1;1\n2;x\n3;1\n", { "A1" }, "n", noNumber(1, "B2", "x") },
        // An empty first row is asked again without a word.
        Reading{ "EmptyFirstRow", 2, ";1;;9\n1;1;;2;1\n2;1;;3;1\n3;1;;4;1\n", { "A1", "A2", "D1", "D2" }, "nn", "2 | 3: 1 2 3 | 3: 2 3 4" },
        Reading{ "Summary", 3, "10;0\n2;1.5\n25;12\n14;2.5\n6;-3\n", { "A1:A5", "B1:B5" }, "nn", "3 | 10 2 25 14 6 | 0 1.5 12 2.5 -3" },
        Reading{ "SummaryWithoutExtremes", 3, "10;1\n2;1\n3;3\n0;0\n0;0\n", { "A1", "B1" }, "nn", "3 | 10 2 3 0 0 | 1 1 3 0 0" },
        Reading{ "SummaryEmptyCell", 3, "10;10;11\n2;2;3\n25;25;20\n;14;15\n6;6;5\n", { "A1", "B1", "C1" }, "nonn",
            "3 | 10 2 25 14 6 | 11 3 20 15 5 / Für die 1. Stichprobe ist die Zelle Tabelle1!A4 (Maximum) leer. Gebraucht werden 5 "
            "Werte untereinander: Mittelwert, Standardabweichung, Umfang, Maximum, Minimum." + kAgain },
        Reading{ "SummaryNoNumber", 3, "10\nzwei\n25\n14\n6\n", { "A1" }, "n", failed(1, "Die Zelle Tabelle1!A2 (Standardabweichung) enthält keine Zahl (\u201Ezwei\u201C).") },
        Reading{ "SummaryTooLarge", 3, "10\n1e39\n25\n0\n0\n", { "A1" }, "n", failed(1, "Die Zahl in Zelle Tabelle1!A2 (Standardabweichung, \u201E1E+39\u201C)" + kTooLarge) },
        Reading{ "SummaryStdDevZero", 3, "10\n0\n25\n14\n6\n", { "A1" }, "n", failed(1, "Die Standardabweichung in Zelle Tabelle1!A2 muss größer als 0 sein.", false) },
        Reading{ "SummarySizeTwo", 3, "10\n2\n2\n14\n6\n", { "A1" }, "n", failed(1, "Der Umfang in Zelle Tabelle1!A3" + kSize, false) },
        Reading{ "SummarySizeNotWhole", 3, "10\n2\n25.5\n14\n6\n", { "A1" }, "n", failed(1, "Der Umfang in Zelle Tabelle1!A3" + kSize, false) },
        Reading{ "SummaryMaximumBelowMinimum", 3, "10\n2\n25\n5\n15\n", { "A1" }, "n",
            failed(1, "Das Maximum in Zelle Tabelle1!A4 (5) ist kleiner als das Minimum in Zelle Tabelle1!A5 (15).") },
        Reading{ "SummaryMeanAboveMaximum", 3, "20\n2\n25\n15\n5\n", { "A1" }, "n", failed(1, "Der Mittelwert in Zelle Tabelle1!A1 (20) " + kMean) },
        Reading{ "SummaryMeanBelowMinimum", 3, "4\n2\n25\n15\n5\n", { "A1" }, "n", failed(1, "Der Mittelwert in Zelle Tabelle1!A1 (4) " + kMean) },
        Reading{ "SummaryMeanAtTheExtremes", 3, "5;15\n2;2\n3;3\n15;15\n5;5\n", { "A1", "B1" }, "nn", "3 | 5 2 3 15 5 | 15 2 3 15 5" },
        Reading{ "Pairs", 4, ";;152;143\n;;148;145\n;;160;149\n;;141;140\n", { "C1:D4" }, "A", "4 |ATLANTIK 4: 152 148 160 141 | 4: 143 145 149 140" },
        Reading{ "PairsEndWithTheShorterColumn", 4, "1;2\n3;4\n5;6\n7\n", { "A1" }, "n", "4 | 3: 1 3 5 | 3: 2 4 6" },
        // Too few rows: "OK" asks for the same sample again, the third question ends the input.
        Reading{ "TwoRowsThenTheThirdAttempt", 1, rows(2, 3), { "A1", "A1", "B1" }, "nono",
            "ENDE / " + tooFew("Zu wenige Zeilen für die 1. Stichprobe") + " / " + tooFew("Zu wenige Zeilen für die 1. Stichprobe")
                + " / Zu viele Versuche für die 1. Stichprobe: Die Eingabe wird beendet. Bitte starten Sie sie erneut." },
        Reading{ "TwoPairsThenAbbrechen", 4, "1;2\n3;4\n", { "A1" }, "na", "open / " + tooFew("Zu wenige Zeilen für die Wertepaare") },
        // "Abbrechen" in the range question leaves the reading, never a new first sample beside an old second one.
        Reading{ "SecondSampleAbbrechen", 1, rows(5, 5), { "A1", std::nullopt }, "n", "open" },
        Reading{ "ExampleSingleValues", 1, "example", { "A2:A15", "B2:B13" }, "nn", "1 | 14: 24.3 25.1 23.8 .. 25.5 | 12: 23.1 22.8 24 .. 23.7" },
        Reading{ "ExampleClassGroups", 2, "example", { "D2:E9", "G2:H9" }, "nn", "2 | 8: 85x2 95x5 105x9 .. 155 | 8: 85 95x3 105x6 .. 155x2" },
        Reading{ "ExampleSummary", 3, "example", { "J2:J6", "K2:K6" }, "nn", "3 | 24.93 0.9 14 26.4 23.5 | 23.44 0.59 12 24.4 22.5" },
        Reading{ "ExamplePairs", 4, "example", { "M2:N13" }, "n", "4 | 12: 152 148 160 .. 157 | 12: 143 145 149 .. 150" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Manager, AsksWithTheTextsOfEachDataType)
{
    open("1;1\n2;2\n3;3\n4;4\n5;5\n");
    read(2, { "A1", "A1" }, "nn");
    open("1;1\n2;2\n3;3\n");
    read(4, { "A1" }, "n");
    const std::string head = "Markieren Sie den Bereich - richtig (vgl. Beispiel)\r";
    const std::string classes = head + "\rKLASSENGRUPPEN (2 Spalten):\rMarkieren Sie zwei Spalten: z.B. A1:B9   Stichprobe ";
    EXPECT_EQ(view.prompts, (std::vector<std::string>{ classes + "1", classes + "2", head + "WERTEPAARE (2 Spalten)\r\r\rMarkieren Sie zwei Spalten: z.B. A1:B9 " }));
    EXPECT_EQ(RangePrompt(1, 1), head + "\rEINZELNE WERTE (1 Spalte):\rMarkieren Sie eine Spalte: z.B. A1:A9   Stichprobe 1");
    EXPECT_EQ(RangePrompt(3, 2), head + "\rXQUER/S/n/Max/Min (5 Werte in 1 Spalte):\rMarkieren Sie eine Spalte: z.B. A1:A5   Stichprobe 2");
    std::vector<std::string> names;
    for (const auto& s : dialogs.shown(Kind::Input)) {
        EXPECT_EQ(s.title, "BEZEICHNUNG");
        names.push_back(s.text);
    }
    EXPECT_EQ(names, (std::vector<std::string>{ "Geben Sie einen Name für die 1.Stichprobe ein:\r\rBeispiel: ATLANTIK  Stichprobe 1\r\r(freiwillige Angabe)",
                         "Geben Sie einen Name für die 2.Stichprobe ein:\r\rBeispiel: PAZIFIK  Stichprobe 2\r\r(freiwillige Angabe)",
                         "Geben Sie einen Name für die Stichprobe ein:\r\rBeispiel: ATLANTIK\r\r(freiwillige Angabe)" }));
}

TEST_F(Manager, ClosingTheWindowOrAbbrechenEndTheInput)
{
    const std::string before = recordOf(rec);
    open(rows(5, 5));
    read(1, { "A1", std::nullopt }, "n");
    manager->windowClosed();
    EXPECT_EQ(outcome(), "ENDE");
    EXPECT_EQ(view.shown, nullptr);
    open(rows(5, 5));
    manager->mnuAbbruch_Click();
    EXPECT_EQ(outcome(), "ENDE");
    read(1, {}, ""); // a closed manager reads nothing
    // Closed while a range question is open: the reading keeps its workbook
    // until the question returns, then ends without a result.
    open(rows(10, 10));
    view.duringQuestion = [this] { manager->windowClosed(); };
    read(1, { "A1:A10" }, "");
    EXPECT_EQ(outcome(), "ENDE");
    EXPECT_FALSE(manager->workbook());
    EXPECT_EQ(recordOf(rec), before);
}

// The program folder as the opener sees it: workbooks whose A1 tells which
// file they are, and damaged files; everything else is missing.
struct Folder {
    std::map<std::string, int> workbooks;
    std::vector<std::string> damaged = {};
    std::vector<std::string> asked = {};

    OpenResult open(const std::string& path)
    {
        const std::string name = path.substr(path.find_last_of('/') + 1);
        asked.push_back(name);
        if (workbooks.count(name))
            return { book(std::to_string(workbooks[name]) + "\n2\n3\n4\n"), {} };
        const bool bad = std::find(damaged.begin(), damaged.end(), name) != damaged.end();
        return { nullptr, OpenError{ bad ? OpenErrorCode::Damaged : OpenErrorCode::FileNotFound, name + (bad ? " kaputt" : " fehlt"), {} } };
    }
};

struct DefaultCase {
    const char* name;
    Folder folder;
    std::vector<std::string> asked = {};
    std::string expected; // A1 of the workbook opened, or the message
};

void PrintTo(const DefaultCase& c, std::ostream* os) { *os << c.name; }

class DefaultWorkbook : public Manager, public ::testing::WithParamInterface<DefaultCase> {};

TEST_P(DefaultWorkbook, IsBlattXlsElseTheFirstNewerFormatThere)
{
    auto folder = std::make_shared<Folder>(GetParam().folder);
    open("", [folder](const std::string& p) { return folder->open(p); });
    EXPECT_EQ(folder->asked, GetParam().asked);
    EXPECT_EQ(view.fileQuestions, manager->workbook() ? 0 : 1);
    if (!manager->workbook())
        read(1, {}, ""); // says why it cannot
    EXPECT_EQ(manager->workbook() ? std::to_string(static_cast<int>(manager->workbook()->cell(0, "A1").numberValue())) : outcome(), GetParam().expected);
}

const std::vector<std::string> kAll{ "blatt.xls", "blatt.xlsx", "blatt.ods", "blatt.csv" };
const std::string kCopy = " 1004 Blatt.xls in Zerantix-Verzeichnis kopieren. Weiter mit OK.";
const std::string kNoBook = " / Es ist keine Arbeitsmappe geöffnet, aus der die Daten gelesen werden können. Bitte öffnen Sie eine mit "
                            "\u201EDatei \u2013 Arbeitsmappe öffnen\u2026\u201C, kopieren Sie blatt.xls in das Zerantix-Verzeichnis und "
                            "starten Sie die Eingabe erneut, oder wählen Sie \u201EAbbrechen\u201C.";

INSTANTIATE_TEST_SUITE_P(Folders, DefaultWorkbook,
    ::testing::Values(DefaultCase{ "BlattXlsFirst", { { { "blatt.xls", 1 }, { "blatt.xlsx", 2 } } }, { "blatt.xls" }, "1" },
        DefaultCase{ "ThenXlsx", { { { "blatt.xlsx", 2 }, { "blatt.ods", 3 } } }, { "blatt.xls", "blatt.xlsx" }, "2" },
        DefaultCase{ "ThenOds", { { { "blatt.ods", 3 }, { "blatt.csv", 4 } } }, { "blatt.xls", "blatt.xlsx", "blatt.ods" }, "3" },
        DefaultCase{ "ThenCsv", { { { "blatt.csv", 4 } } }, kAll, "4" },
        DefaultCase{ "NoneThereSaysWhyAboutBlattXls", {}, kAll, "open / Error = blatt.xls fehlt" + kCopy + kNoBook },
        DefaultCase{ "ADamagedBlattXlsIsNotPassedOver", { { { "blatt.ods", 3 } }, { "blatt.xls" } }, { "blatt.xls" }, "open / Error = blatt.xls kaputt" + kCopy + kNoBook },
        DefaultCase{ "NorADamagedNewerOne", { { { "blatt.csv", 4 } }, { "blatt.xlsx" } }, { "blatt.xls", "blatt.xlsx" }, "open / Error = blatt.xlsx kaputt" + kCopy + kNoBook }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Manager, AnotherWorkbookIsOfferedAndReplacesTheShownOne)
{
    auto folder = std::make_shared<Folder>(Folder{ { { "andere.ods", 7 }, { "dritte.csv", 8 } }, { "kaputt.xlsx" }, {} });
    // Without blatt.xls: why, then other files until one opens.
    view.files = { "/anderswo/fehlt.xls", "/anderswo/andere.ods" };
    open("", [folder](const std::string& p) { return folder->open(p); });
    EXPECT_EQ(view.fileQuestions, 2);
    ASSERT_NE(manager->workbook(), nullptr);
    EXPECT_TRUE(view.visible);
    // From the menu: cancelled, unreadable (the shown one stays), then another.
    const Workbook* first = manager->workbook();
    view.files = { std::nullopt, "/anderswo/kaputt.xlsx", "/anderswo/dritte.csv" };
    manager->mnuOeffnen_Click();
    manager->mnuOeffnen_Click();
    EXPECT_EQ(manager->workbook(), first);
    manager->mnuOeffnen_Click();
    EXPECT_EQ(view.shown, manager->workbook());
    read(1, { "A1", "A1" }, "nn");
    EXPECT_EQ(outcome(), "1 | 4: 8 2 3 4 | 4: 8 2 3 4 / Error = blatt.xls fehlt" + kCopy + " / Error = fehlt.xls fehlt" + kCopy + " / kaputt.xlsx kaputt");
}

TEST(Ranges, ParseAndText)
{
    const auto b = book("", { "Daten", "Mein Blatt", "It's" });
    struct Case { const char* text; CellRange range; };
    for (const Case& c : { Case{ "A1:A9", { 0, { 0, 0 }, { 8, 0 } } }, Case{ "$A$1:$B$9", { 0, { 0, 0 }, { 8, 1 } } }, Case{ "A3", { 0, { 2, 0 }, { 2, 0 } } },
             Case{ " b9:a1 ", { 0, { 0, 0 }, { 8, 1 } } }, Case{ "Daten!C2", { 0, { 1, 2 }, { 1, 2 } } }, Case{ "'mein blatt'!$A$1:$A$5", { 1, { 0, 0 }, { 4, 0 } } },
             Case{ "'It''s'!A1", { 2, { 0, 0 }, { 0, 0 } } } })
        EXPECT_EQ(ParseRange(c.text, b.get(), 0), c.range) << c.text;
    for (const char* bad : { "", "A", "1A", "A1:", "A1:B", "Fehlt!A1", "!A1", "''!A1", "'!A1", "A0", "A1 B2", "A1;A9" })
        EXPECT_FALSE(ParseRange(bad, b.get(), 0)) << bad;
    EXPECT_FALSE(ParseRange("Daten!A1", nullptr, 0));
    EXPECT_EQ(RangeText({ 0, { 0, 0 }, { 11, 0 } }, b.get(), 0), "$A$1:$A$12");
    EXPECT_EQ(RangeText({ 0, { 2, 1 }, { 2, 1 } }, b.get(), 1), "Daten!$B$3");
    EXPECT_EQ(RangeText({ 1, { 0, 26 }, { 3, 27 } }, b.get(), 0), "'Mein Blatt'!$AA$1:$AB$4");
    EXPECT_EQ(RangeText({ 2, { 0, 0 }, { 0, 0 } }, b.get(), 0), "'It''s'!$A$1");
}

TEST(CellNumber, NumbersAndPlainDecimalTexts)
{
    for (const auto& [text, number] : std::initializer_list<std::pair<const char*, double>>{
             { "7,5", 7.5 }, { ".5", 0.5 }, { "12", 12 }, { " -3 ", -3 }, { "+0,25", 0.25 }, { "5.", 5 } })
        EXPECT_EQ(CellNumber(Cell::text(text)), number) << text;
    for (const char* t : { "abc", "1e3", "1.000,5", "2,5 kg", "-", "+", ",", "1 000", "0x10", "1,2,3", "--1", "1-" })
        EXPECT_FALSE(CellNumber(Cell::text(t))) << '"' << t << '"';
    EXPECT_FALSE(CellNumber(Cell::text(std::string(400, '9')))) << "beyond the doubles";
    // Numbers, truth values and errors in cells: the readings above.
    EXPECT_FALSE(CellNumber(Cell::number(std::numeric_limits<double>::infinity())));
    EXPECT_FALSE(CellNumber(Cell()));
}

} // namespace
} // namespace zx
