// The data manager read through scripted ranges and answers: the reading
// rules, every outcome, and that a reading changes the record whole or not at
// all.
#include "core/AnalysisRecord.h"
#include "core/NumberText.h"
#include "core/TestNames.h"
#include "input/DataManager.h"
#include "BiffBuilder.h"
#include "MemoryWorkbook.h"
#include "OleWriter.h"
#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <deque>
#include <functional>
#include <filesystem>
#include <map>
#include <memory>
#include <set>

namespace zx {
namespace {

using test::MemoryWorkbook;
using Kind = test::ScriptedDialogs::Kind;

// The workbook window and range question, answered from a script of ranges.
class ScriptedView : public WorkbookView {
public:
    std::deque<std::optional<std::string>> ranges; // nothing: "Abbrechen"
    std::deque<std::optional<std::string>> files;
    std::vector<std::string> prompts;
    std::vector<std::string> titles;
    const Workbook* shown = nullptr;
    bool visible = false;
    int fileQuestions = 0;
    std::function<void()> duringQuestion; // what else happens while a range question is open

    void showWorkbook(const Workbook* workbook, const std::string&) override { shown = workbook; }
    void setVisible(bool v) override { visible = v; }
    std::optional<CellRange> askRange(const std::string& prompt, const std::string& title) override
    {
        prompts.push_back(prompt);
        titles.push_back(title);
        if (duringQuestion)
            duringQuestion();
        if (ranges.empty()) {
            ADD_FAILURE() << "unprepared range question: " << prompt;
            return std::nullopt;
        }
        const auto r = ranges.front();
        ranges.pop_front();
        if (!r)
            return std::nullopt;
        const auto parsed = ParseRange(*r, shown, shown ? shown->frontSheet() : 0);
        EXPECT_TRUE(parsed) << *r;
        return parsed;
    }
    std::optional<std::string> chooseWorkbookFile(const std::string&) override
    {
        ++fileQuestions;
        if (files.empty())
            return std::nullopt;
        const auto f = files.front();
        files.pop_front();
        return f;
    }
};

class DataManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDecimalSeparator(',');
        rec = std::make_unique<AnalysisRecord>();
        rec->Verzeichnis = "/daten/";
        dialogs = std::make_unique<test::ScriptedDialogs>([](const std::string& w) { ADD_FAILURE() << w; });
    }
    void TearDown() override { EXPECT_TRUE(view.ranges.empty()) << "range answers left over"; }

    // Opens the manager on an in-memory workbook.
    DataManager& open(std::shared_ptr<MemoryWorkbook> book)
    {
        manager = std::make_unique<DataManager>(*rec, *dialogs, view);
        manager->opener = [book](const std::string&) {
            OpenResult r;
            r.workbook = std::make_unique<MemoryWorkbook>(*book);
            return r;
        };
        manager->Form_Load();
        return *manager;
    }

    std::vector<std::string> messages(const char* title = nullptr) const
    {
        std::vector<std::string> out;
        for (const auto& s : dialogs->shown(Kind::Message))
            if (!title || s.title == title)
                out.push_back(s.text);
        return out;
    }

    std::unique_ptr<AnalysisRecord> rec;
    std::unique_ptr<test::ScriptedDialogs> dialogs;
    ScriptedView view;
    std::unique_ptr<DataManager> manager;
};

std::vector<double> seq(int n, double start = 1)
{
    std::vector<double> v;
    for (int i = 0; i < n; ++i)
        v.push_back(start + i);
    return v;
}

TEST_F(DataManagerTest, SingleValuesAreReadDownToTheFirstEmptyCell)
{
    auto book = std::make_shared<MemoryWorkbook>();
    book->column("A1", seq(12)).column("B1", seq(7, 100));
    open(book);
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(rec->TestName, "");
    view.ranges = { "A1:A12", "$B$1:$B$3" }; // the marked height does not limit the reading
    dialogs->input("ATLANTIK").input(std::nullopt);
    manager->mnuEinzel_Click();
    ASSERT_TRUE(manager->closed());
    EXPECT_EQ(rec->TestName, "");
    EXPECT_EQ(rec->Datentyp, 1);
    EXPECT_EQ(rec->AnzahlWerte[1], 12);
    EXPECT_EQ(rec->AnzahlWerte[2], 7);
    EXPECT_EQ(rec->Werte(12, 1), 12);
    EXPECT_EQ(rec->Werte(7, 2), 106);
    EXPECT_EQ(rec->Haeufigkeit(5, 2), 1);
    EXPECT_EQ(rec->Bezeichnung[1], "ATLANTIK");
    EXPECT_EQ(rec->Bezeichnung[2], "") << "Abbrechen in the name question: no name";
    EXPECT_FALSE(view.visible) << "the workbook window is hidden at the end";

    const auto names = dialogs->shown(Kind::Input);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0].title, "BEZEICHNUNG");
    EXPECT_EQ(names[0].text, "Geben Sie einen Name für die 1.Stichprobe ein:\r\rBeispiel: ATLANTIK  Stichprobe 1\r\r(freiwillige Angabe)");
    EXPECT_EQ(names[1].text, "Geben Sie einen Name für die 2.Stichprobe ein:\r\rBeispiel: PAZIFIK  Stichprobe 2\r\r(freiwillige Angabe)");
    EXPECT_EQ(view.titles[0], "Daten Eingabe: Leere Zelle nicht erlaubt");
    EXPECT_EQ(view.prompts[0], "Markieren Sie den Bereich - richtig (vgl. Beispiel)\r\rEINZELNE WERTE (1 Spalte):\rMarkieren Sie eine Spalte: z.B. A1:A9   Stichprobe 1");
    EXPECT_EQ(view.prompts[1].substr(view.prompts[1].size() - 14), "  Stichprobe 2");
}

TEST_F(DataManagerTest, ReadingStartsAtTheFirstMarkedRow)
{
    auto book = std::make_shared<MemoryWorkbook>();
    book->set("A1", "Atlantik").column("A2", seq(12)).set("B1", "Pazifik").column("B2", seq(5, 10));
    open(book);
    view.ranges = { "A2:A5", "B2" };
    dialogs->input("").input("");
    manager->mnuEinzel_Click();
    EXPECT_EQ(rec->AnzahlWerte[1], 12);
    EXPECT_EQ(rec->AnzahlWerte[2], 5);
    EXPECT_EQ(rec->Werte(1, 1), 1);
}

TEST_F(DataManagerTest, ClassGroupsStopAtTheFirstEmptyFrequency)
{
    auto book = std::make_shared<MemoryWorkbook>();
    book->column("A1", { 10, 20, 30, 40, 50, 60, 70, 80 }).column("B1", { 1, 2, 3, 4, 5, 6 });
    book->column("D1", { 5, 15, 25 }).column("E1", { 2, 2, 2 });
    open(book);
    view.ranges = { "A1:B8", "D1:E3" };
    dialogs->input("X").input("Y");
    manager->mnuKlassen_Click();
    EXPECT_EQ(rec->Datentyp, 2);
    EXPECT_EQ(rec->AnzahlWerte[1], 6);
    EXPECT_EQ(rec->Haeufigkeit(6, 1), 6);
    EXPECT_EQ(rec->Werte(6, 1), 60);
    EXPECT_EQ(view.prompts[0], "Markieren Sie den Bereich - richtig (vgl. Beispiel)\r\rKLASSENGRUPPEN (2 Spalten):\rMarkieren Sie zwei Spalten: z.B. A1:B9   Stichprobe 1");
}

TEST_F(DataManagerTest, PairedValuesInOneRangeWithOneName)
{
    auto book = std::make_shared<MemoryWorkbook>();
    book->column("C3", { 152, 148, 160, 141 }).column("D3", { 143, 145, 149, 140 });
    open(book);
    view.ranges = { "C3:D6" };
    dialogs->input("Blutdruck");
    manager->mnuWertepaare_Click();
    EXPECT_EQ(rec->Datentyp, 4);
    EXPECT_EQ(rec->AnzahlWerte[1], 4);
    EXPECT_EQ(rec->AnzahlWerte[2], 4);
    EXPECT_EQ(rec->Werte(3, 1), 160);
    EXPECT_EQ(rec->Werte(3, 2), 149);
    EXPECT_EQ(rec->Haeufigkeit(4, 1), 1);
    EXPECT_EQ(rec->Haeufigkeit(4, 2), 1);
    EXPECT_EQ(rec->Bezeichnung[1], "Blutdruck");
    ASSERT_EQ(dialogs->shown(Kind::Input).size(), 1u);
    EXPECT_EQ(dialogs->shown(Kind::Input)[0].text, "Geben Sie einen Name für die Stichprobe ein:\r\rBeispiel: ATLANTIK\r\r(freiwillige Angabe)");
    EXPECT_EQ(view.prompts[0], "Markieren Sie den Bereich - richtig (vgl. Beispiel)\rWERTEPAARE (2 Spalten)\r\r\rMarkieren Sie zwei Spalten: z.B. A1:B9 ");
}

TEST_F(DataManagerTest, SummaryValues)
{
    auto book = std::make_shared<MemoryWorkbook>();
    book->column("J2", { 10, 2, 25, 14, 6 }).column("K2", { 0, 1.5, 12, 2.5, -3 });
    open(book);
    view.ranges = { "J2:J6", "K2:K6" };
    dialogs->input("").input("");
    manager->mnuXquerSN_Click();
    EXPECT_EQ(rec->Datentyp, 3);
    EXPECT_EQ(rec->Maximum[1], 14.0f);
    EXPECT_EQ(rec->Minimum[1], 6.0f);
    EXPECT_EQ(rec->QuotientWS[1], 4.0);
    EXPECT_EQ(rec->Umfang[1], 25);
    EXPECT_EQ(rec->Varianz[1], 4);
    EXPECT_EQ(rec->Mittelwert[2], 0) << "a mean of 0 is data";
    EXPECT_FALSE(rec->VarKoeff[2].has_value());
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(view.prompts[0], "Markieren Sie den Bereich - richtig (vgl. Beispiel)\r\rXQUER/S/n/Max/Min (5 Werte in 1 Spalte):\rMarkieren Sie eine Spalte: z.B. A1:A5   Stichprobe 1");
}

TEST_F(DataManagerTest, NumbersInTextCellsWithEitherSeparator)
{
    auto book = std::make_shared<MemoryWorkbook>();
    book->set("A1", "2,5").set("A2", " 3.25 ").set("A3", "-4").set("A4", "+1,0");
    book->column("B1", { 1, 2, 3 });
    open(book);
    view.ranges = { "A1", "B1" };
    dialogs->input("").input("");
    manager->mnuEinzel_Click();
    EXPECT_EQ(rec->AnzahlWerte[1], 4);
    EXPECT_EQ(rec->Werte(1, 1), 2.5);
    EXPECT_EQ(rec->Werte(2, 1), 3.25);
    EXPECT_EQ(rec->Werte(3, 1), -4);
    EXPECT_EQ(rec->Werte(4, 1), 1);
}

TEST(CellNumber, WhatCountsAsANumber)
{
    EXPECT_EQ(CellNumber(Cell::number(7.5)), 7.5);
    EXPECT_EQ(CellNumber(Cell::text("7,5")), 7.5);
    EXPECT_EQ(CellNumber(Cell::text(".5")), 0.5);
    EXPECT_EQ(CellNumber(Cell::text("12")), 12);
    for (const char* t : { "abc", "1e3", "1.000,5", "2,5 kg", "", "-", ",", "1 000", "0x10", "1,2,3" })
        EXPECT_FALSE(CellNumber(Cell::text(t))) << '"' << t << '"';
    EXPECT_FALSE(CellNumber(Cell::boolean(true)));
    EXPECT_FALSE(CellNumber(Cell::error("#DIV/0!")));
    EXPECT_FALSE(CellNumber(Cell()));
    EXPECT_FALSE(CellNumber(Cell::number(std::numeric_limits<double>::quiet_NaN())));
}

// A cell that is no number ends the reading with a message naming the cell;
// the manager closes with "UNENDE" and the record keeps the earlier data.
TEST_F(DataManagerTest, NotANumberSaysWhichCellAndKeepsTheRecord)
{
    struct Case { Cell bad; std::string shown; };
    const Case cases[] = { { Cell::text("abc"), "abc" }, { Cell::boolean(true), "WAHR" }, { Cell::error("#DIV/0!"), "#DIV/0!" } };
    for (const auto& c : cases) {
        SetUp();
        rec->Datentyp = 2;
        rec->Werte(1, 1) = 99;
        rec->AnzahlWerte[1] = 5;
        auto book = std::make_shared<MemoryWorkbook>();
        book->column("A1", seq(10)).column("B1", seq(10)).set(0, "B7", c.bad);
        open(book);
        view.ranges = { "A1:A10", "B1:B10" };
        dialogs->input("").input("");
        manager->mnuEinzel_Click();
        EXPECT_TRUE(manager->closed());
        EXPECT_EQ(rec->TestName, "UNENDE");
        ASSERT_EQ(messages("Fehler").size(), 1u);
        EXPECT_EQ(messages("Fehler")[0], "Fehler beim Lesen der 2. Stichprobe: Die Zelle Tabelle1!B7 enthält keine Zahl (\u201E" + c.shown
                + "\u201C). Bitte korrigieren Sie die Daten und wiederholen Sie die Eingabe.");
        EXPECT_EQ(rec->Datentyp, 2) << "nothing of the failed reading reaches the record";
        EXPECT_EQ(rec->Werte(1, 1), 99);
        EXPECT_EQ(rec->AnzahlWerte[1], 5);
    }
}

TEST_F(DataManagerTest, MoreThanFiveHundredRows)
{
    auto book = std::make_shared<MemoryWorkbook>();
    book->column("A1", seq(501)).column("B1", seq(500));
    open(book);
    view.ranges = { "B1", "A1" };
    dialogs->input("").input("");
    manager->mnuEinzel_Click();
    EXPECT_EQ(rec->TestName, "UNENDE");
    ASSERT_EQ(messages("Fehler").size(), 1u);
    EXPECT_EQ(messages("Fehler")[0], "Fehler beim Lesen der 2. Stichprobe: Ab Zelle Tabelle1!A1 stehen mehr als 500 Zeilen. Es "
                                     "können höchstens 500 Zeilen je Stichprobe gelesen werden.");
    EXPECT_EQ(rec->Datentyp, 0);
}

TEST_F(DataManagerTest, FiveHundredRowsAreFine)
{
    auto book = std::make_shared<MemoryWorkbook>();
    book->column("A1", seq(500)).column("B1", seq(3));
    open(book);
    view.ranges = { "A1", "B1" };
    dialogs->input("").input("");
    manager->mnuEinzel_Click();
    EXPECT_EQ(rec->AnzahlWerte[1], 500);
    EXPECT_EQ(rec->Werte(500, 1), 500);
}

TEST_F(DataManagerTest, ClassFrequenciesMustBeWholeAndInRange)
{
    for (double bad : { -1.0, 2.5, 32768.0, 40000.0 }) {
        SetUp();
        auto book = std::make_shared<MemoryWorkbook>();
        book->column("A1", { 1, 2, 3 }).column("B1", { 4, 5, bad });
        open(book);
        view.ranges = { "A1" };
        dialogs->input("");
        manager->mnuKlassen_Click();
        EXPECT_EQ(rec->TestName, "UNENDE") << bad;
        ASSERT_EQ(messages("Fehler").size(), 1u);
        EXPECT_NE(messages("Fehler")[0].find("Die Häufigkeit in Zelle Tabelle1!B3"), std::string::npos) << messages("Fehler")[0];
        EXPECT_NE(messages("Fehler")[0].find("keine ganze Zahl von 0 bis 32767"), std::string::npos);
    }
    SetUp();
    auto book = std::make_shared<MemoryWorkbook>();
    book->column("A1", { 1, 2, 3 }).column("B1", { 1, 0, 1 });
    open(book);
    view.ranges = { "A1" };
    dialogs->input("");
    manager->mnuKlassen_Click();
    EXPECT_EQ(rec->TestName, "UNENDE");
    EXPECT_EQ(messages("Fehler").at(0), "Fehler beim Lesen der 1. Stichprobe: Die Häufigkeiten ergeben zusammen nur 2 "
                                        "Werte; es werden mindestens 3 gebraucht.");
    SetUp();
    book = std::make_shared<MemoryWorkbook>();
    book->column("A1", { 1, 2, 3 }).column("B1", { 32767, 0, 1 }).column("D1", { 1, 2, 3 }).column("E1", { 1, 1, 1 });
    open(book);
    view.ranges = { "A1", "D1" };
    dialogs->input("").input("");
    manager->mnuKlassen_Click();
    EXPECT_EQ(rec->TestName, "");
    EXPECT_EQ(rec->Haeufigkeit(1, 1), 32767);
}

TEST_F(DataManagerTest, SummaryValuesThatCannotBe)
{
    struct Case { std::vector<double> cells; std::string expected; };
    const Case cases[] = {
        { { 10, 0, 25, 14, 6 }, "Die Standardabweichung in Zelle Tabelle1!A2 muss größer als 0 sein." },
        { { 10, -1, 25, 14, 6 }, "Die Standardabweichung in Zelle Tabelle1!A2 muss größer als 0 sein." },
        { { 10, 2, 2, 14, 6 }, "Der Umfang in Zelle Tabelle1!A3 muss eine ganze Zahl von mindestens 3 sein." },
        { { 10, 2, 25.5, 14, 6 }, "Der Umfang in Zelle Tabelle1!A3 muss eine ganze Zahl von mindestens 3 sein." },
        { { 10, 2, 25, 5, 15 }, "Das Maximum in Zelle Tabelle1!A4 (5) ist kleiner als das Minimum in Zelle Tabelle1!A5 (15). "
                                "Bitte korrigieren Sie die Daten und wiederholen Sie die Eingabe." },
        { { 20, 2, 25, 15, 5 }, "Der Mittelwert in Zelle Tabelle1!A1 (20) liegt nicht zwischen dem Minimum in Zelle "
                                "Tabelle1!A5 (5) und dem Maximum in Zelle Tabelle1!A4 (15). Bitte korrigieren Sie die "
                                "Daten und wiederholen Sie die Eingabe." },
        { { 10, 1e39, 25, 0, 0 }, "Die Zahl in Zelle Tabelle1!A2 (Standardabweichung, \u201E1E+39\u201C) ist zu groß: Beträge "
                                  "über 1E+38 können nicht verarbeitet werden. Bitte korrigieren Sie die Daten und "
                                  "wiederholen Sie die Eingabe." },
    };
    for (const auto& c : cases) {
        SetUp();
        auto book = std::make_shared<MemoryWorkbook>();
        book->column("A1", c.cells);
        open(book);
        view.ranges = { "A1:A5" };
        dialogs->input("");
        manager->mnuXquerSN_Click();
        EXPECT_EQ(rec->TestName, "UNENDE");
        ASSERT_EQ(messages("Fehler").size(), 1u);
        EXPECT_EQ(messages("Fehler")[0], "Fehler beim Lesen der 1. Stichprobe: " + c.expected);
        EXPECT_EQ(rec->Datentyp, 0);
    }
}

// Numbers whose squares or single-precision extremes the computations could
// not carry are refused with the cell; the bounds themselves are data.
TEST_F(DataManagerTest, NumbersOutsideTheCarriedRange)
{
    struct Case { double value; const char* why; };
    const Case cases[] = {
        { 1e200, "ist zu groß: Beträge über 1E+38" },
        { -1e39, "ist zu groß: Beträge über 1E+38" },
        { 1e-308, "ist zu klein: von 0 verschiedene Beträge unter 1E-37" },
        { -5e-38, "ist zu klein: von 0 verschiedene Beträge unter 1E-37" },
        { 1e38, nullptr },
        { -1e-37, nullptr },
        { 0, nullptr },
    };
    for (const auto& c : cases) {
        SetUp();
        auto book = std::make_shared<MemoryWorkbook>();
        book->column("A1", { 1, 2, 3, 4 }).column("B1", { 1, 2, c.value, 4 });
        open(book);
        view.ranges = { "A1", "B1" };
        dialogs->input("").input("");
        manager->mnuEinzel_Click();
        if (!c.why) {
            EXPECT_EQ(rec->TestName, "") << c.value;
            EXPECT_EQ(rec->Werte(3, 2), c.value);
            continue;
        }
        EXPECT_EQ(rec->TestName, "UNENDE") << c.value;
        ASSERT_EQ(messages("Fehler").size(), 1u) << c.value;
        const std::string m = messages("Fehler")[0];
        EXPECT_EQ(m.rfind("Fehler beim Lesen der 2. Stichprobe: Die Zahl in Zelle Tabelle1!B3 (", 0), 0u) << m;
        EXPECT_NE(m.find(c.why), std::string::npos) << m;
    }
}

// The window closed while a range question is open: the reading still has
// its workbook when the question returns, then ends without a result.
TEST_F(DataManagerTest, ClosedDuringTheRangeQuestion)
{
    rec->Datentyp = 2;
    auto book = std::make_shared<MemoryWorkbook>();
    book->column("A1", seq(10)).column("B1", seq(10));
    open(book);
    view.ranges = { "A1:A10" };
    view.duringQuestion = [this] { manager->windowClosed(); };
    manager->mnuEinzel_Click();
    EXPECT_TRUE(manager->closed());
    EXPECT_EQ(rec->TestName, "ENDE");
    EXPECT_EQ(rec->Datentyp, 2) << "nothing of the broken-off reading reaches the record";
    EXPECT_FALSE(manager->workbook());
}

// Too few rows: "Bitte Eingaben wiederholen!" says what is wrong; "OK" asks
// for the same sample again, and the third question closes the manager.
TEST_F(DataManagerTest, TwoRowsOnlyAndTheThirdAttempt)
{
    rec->Datentyp = 1;
    rec->AnzahlWerte[1] = 9;
    auto book = std::make_shared<MemoryWorkbook>();
    book->column("A1", { 1, 2 }).column("B1", { 1, 2, 3 });
    open(book);
    view.ranges = { "A1", "A1", "B1" };
    dialogs->input("").okCancel(true).input("").okCancel(true);
    manager->mnuEinzel_Click();
    const auto repeats = dialogs->shown(Kind::OkCancel);
    ASSERT_EQ(repeats.size(), 2u);
    EXPECT_EQ(repeats[0].title, "Bitte Eingaben wiederholen!");
    EXPECT_EQ(repeats[0].text, "Zu wenige Zeilen für die 1. Stichprobe: nur 2 (ab Zelle Tabelle1!A1); es werden mindestens 3 gebraucht.\r\n\r\n"
                               "OK: Bereich neu markieren     Abbrechen: Eingabe beenden");
    EXPECT_EQ(view.prompts.size(), 3u);
    EXPECT_TRUE(manager->closed());
    EXPECT_EQ(rec->TestName, "ENDE") << "no complete reading";
    ASSERT_EQ(messages("Fehler").size(), 1u);
    EXPECT_EQ(messages("Fehler")[0], "Zu viele Versuche für die 1. Stichprobe: Die Eingabe wird beendet. Bitte starten Sie sie erneut.");
    EXPECT_EQ(rec->AnzahlWerte[1], 9) << "the record keeps its data";
    EXPECT_EQ(rec->Datentyp, 1);
}

TEST_F(DataManagerTest, AbbrechenInTheRepeatBoxKeepsTheManagerOpen)
{
    auto book = std::make_shared<MemoryWorkbook>();
    book->column("A1", { 1, 2 }).column("B1", { 1, 2, 3 }).column("C1", { 4, 5, 6 });
    open(book);
    view.ranges = { "A1" };
    dialogs->input("").okCancel(false);
    manager->mnuEinzel_Click();
    EXPECT_FALSE(manager->closed());
    EXPECT_EQ(rec->Datentyp, 0);
    // Another menu choice reads.
    view.ranges = { "B1", "C1" };
    dialogs->input("").input("");
    manager->mnuEinzel_Click();
    EXPECT_TRUE(manager->closed());
    EXPECT_EQ(rec->Datentyp, 1);
    EXPECT_EQ(rec->Werte(1, 2), 4);
}

TEST_F(DataManagerTest, EmptySummaryCellAsksAgain)
{
    auto book = std::make_shared<MemoryWorkbook>();
    book->column("A1", { 10, 2, 25 }).column("A5", { 6 }).column("B1", { 10, 2, 25, 14, 6 }).column("C1", { 11, 3, 20, 15, 5 });
    open(book);
    view.ranges = { "A1", "B1", "C1" };
    dialogs->input("").okCancel(true).input("").input("");
    manager->mnuXquerSN_Click();
    const auto repeats = dialogs->shown(Kind::OkCancel);
    ASSERT_EQ(repeats.size(), 1u);
    EXPECT_EQ(repeats[0].text, "Für die 1. Stichprobe ist die Zelle Tabelle1!A4 (Maximum) leer. Gebraucht werden 5 Werte "
                               "untereinander: Mittelwert, Standardabweichung, Umfang, Maximum, Minimum.\r\n\r\n"
                               "OK: Bereich neu markieren     Abbrechen: Eingabe beenden");
    EXPECT_EQ(rec->TestName, "");
    EXPECT_EQ(rec->Mittelwert[1], 10);
    EXPECT_EQ(rec->Mittelwert[2], 11);
}

TEST_F(DataManagerTest, AnEmptyFirstRowIsAskedAgainWithoutAMessage)
{
    auto book = std::make_shared<MemoryWorkbook>();
    book->column("A2", { 1, 2, 3 }).column("B2", { 1, 1, 1 }); // A1 empty
    book->column("D1", { 9, 2, 3, 4 }).column("E2", { 1, 1, 1 }); // E1 empty
    open(book);
    view.ranges = { "A1", "A2", "D1", "D2" };
    dialogs->input("").input("");
    manager->mnuKlassen_Click();
    EXPECT_TRUE(manager->closed());
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(view.prompts.size(), 4u);
    EXPECT_EQ(rec->AnzahlWerte[1], 3);
    EXPECT_EQ(rec->AnzahlWerte[2], 3);
    EXPECT_EQ(rec->Werte(1, 2), 2);
}

// Abbrechen in the range question leaves the reading; the record holds the
// old data, never a new first sample beside an old second one.
TEST_F(DataManagerTest, CancelledSecondSampleLeavesTheRecordAsItWas)
{
    rec->Datentyp = 1;
    rec->AnzahlWerte[1] = 3;
    rec->AnzahlWerte[2] = 4;
    rec->Werte(1, 1) = -1;
    rec->Bezeichnung[1] = "ALT";
    auto book = std::make_shared<MemoryWorkbook>();
    book->column("A1", { 5, 6, 7, 8, 9 }, 0).column("B1", { 1, 2 });
    open(book);
    view.ranges = { "A1", std::nullopt };
    dialogs->input("NEU");
    manager->mnuEinzel_Click();
    EXPECT_FALSE(manager->closed());
    EXPECT_EQ(rec->Datentyp, 1);
    EXPECT_EQ(rec->AnzahlWerte[1], 3);
    EXPECT_EQ(rec->Werte(1, 1), -1);
    EXPECT_EQ(rec->Bezeichnung[1], "ALT");
    manager->windowClosed();
    EXPECT_EQ(rec->TestName, "ENDE");
}

TEST_F(DataManagerTest, MenuAbbrechenAndClosingTheWindowReportEnde)
{
    auto book = std::make_shared<MemoryWorkbook>();
    open(book);
    manager->mnuAbbruch_Click();
    EXPECT_TRUE(manager->closed());
    EXPECT_EQ(rec->TestName, "ENDE");
    EXPECT_EQ(view.shown, nullptr);
    SetUp();
    open(book);
    manager->windowClosed();
    EXPECT_EQ(rec->TestName, "ENDE");
}

TEST_F(DataManagerTest, RowsAboveTheNewCountKeepOldValues)
{
    rec->Datentyp = 1;
    rec->AnzahlWerte[1] = 9;
    for (int i = 1; i <= 9; ++i)
        rec->Werte(i, 1) = 100 + i;
    auto book = std::make_shared<MemoryWorkbook>();
    book->column("A1", seq(5)).column("B1", seq(3));
    open(book);
    view.ranges = { "A1", "B1" };
    dialogs->input("").input("");
    manager->mnuEinzel_Click();
    EXPECT_EQ(rec->AnzahlWerte[1], 5);
    EXPECT_EQ(rec->Werte(6, 1), 106);
}

TEST_F(DataManagerTest, RangeOnAnotherSheet)
{
    auto book = std::make_shared<MemoryWorkbook>(std::vector<std::string> { "Daten", "Mein Blatt" }, 0);
    book->column("A1", seq(4)).column("A1", seq(3, 50), 1);
    open(book);
    view.ranges = { "A1", "'mein blatt'!A1" };
    dialogs->input("").input("");
    manager->mnuEinzel_Click();
    EXPECT_EQ(rec->Werte(1, 2), 50);
    EXPECT_EQ(rec->AnzahlWerte[2], 3);
}

TEST_F(DataManagerTest, WorkingStepsAndHelp)
{
    open(std::make_shared<MemoryWorkbook>());
    manager->mnuArbeitschritte_Click();
    manager->mnuHilfe_Click();
    const auto shown = dialogs->shown(Kind::Message);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].title, "Arbeitsschritte");
    EXPECT_EQ(shown[0].text,
        "1) Die Daten müssen sich spaltenweise in der aktivierten (vorderen) Tabelle befinden.\r\n"
        "2) Die Arbeitsmappe wird im Fenster \u201EArbeitsmappe\u201C neben dem MANAGER gezeigt; dort wählen Sie die Tabelle.\r\n"
        "3) Nachdem die Daten in der aktiven Tabelle stehen, wird der DATENTYP im MANAGER gewählt.\r\n"
        "4) Markieren Sie den Bereich mit dem Maus ein: z.B. A1:A9 für eine Spalte mit 9 Werten.\r\n"
        "5) Die Arbeitsmappe wird nur gelesen: Daten ändern und speichern Sie vor dem Start der Eingabe in Ihrem "
        "Tabellenprogramm.");
    EXPECT_EQ(shown[1].title, "Zerantix - Excel");
    EXPECT_EQ(shown[1].text.find("Excel-Programm"), std::string::npos) << "no Excel of the user's own";
    EXPECT_EQ(shown[1].text.find("Verbindung mit Excel"), std::string::npos);
    EXPECT_TRUE(shown[1].text.ends_with("Alle Daten für den Test müssen spaltenweise in die vordere Tabelle übertragen werden."));
    EXPECT_FALSE(manager->closed());
}

// ---- Which workbook ----------------------------------------------------------

// Files of the program folder as the opener sees them: missing, a workbook
// whose A1 tells which file it is, or unreadable.
struct Folder {
    std::map<std::string, double> workbooks; // file name, its A1
    std::set<std::string> damaged;
    std::vector<std::string> asked;

    OpenResult open(const std::string& path)
    {
        const std::string name = path.substr(path.find_last_of('/') + 1);
        asked.push_back(name);
        OpenResult r;
        if (const auto it = workbooks.find(name); it != workbooks.end()) {
            auto book = std::make_unique<MemoryWorkbook>();
            book->column("A1", { it->second, 2, 3, 4 });
            r.workbook = std::move(book);
        } else {
            const bool bad = damaged.count(name) > 0;
            r.error = OpenError{ bad ? OpenErrorCode::Damaged : OpenErrorCode::FileNotFound, name + (bad ? " kaputt" : " fehlt"), {} };
        }
        return r;
    }
};

struct DefaultCase {
    const char* name;
    std::map<std::string, double> workbooks;
    std::set<std::string> damaged;
    std::vector<std::string> asked;
    double a1;               // of the workbook opened, 0: none
    const char* message;     // the start of the message shown, or nothing
};

class DefaultWorkbook : public DataManagerTest, public ::testing::WithParamInterface<DefaultCase> {};

TEST_P(DefaultWorkbook, IsBlattXlsElseTheFirstNewerFormatThere)
{
    const DefaultCase& c = GetParam();
    auto folder = std::make_shared<Folder>(Folder{ c.workbooks, c.damaged, {} });
    manager = std::make_unique<DataManager>(*rec, *dialogs, view);
    manager->opener = [folder](const std::string& p) { return folder->open(p); };
    manager->Form_Load();
    EXPECT_EQ(folder->asked, c.asked);
    if (c.a1 != 0) {
        ASSERT_NE(manager->workbook(), nullptr);
        EXPECT_EQ(manager->workbook()->cell(0, "A1"), Cell::number(c.a1));
        EXPECT_TRUE(messages().empty());
    } else {
        EXPECT_EQ(manager->workbook(), nullptr);
        ASSERT_EQ(messages("Fehler").size(), 1u);
        EXPECT_EQ(messages("Fehler")[0], std::string("Error = ") + c.message + " 1004 Blatt.xls in Zerantix-Verzeichnis kopieren. Weiter mit OK.");
    }
}

INSTANTIATE_TEST_SUITE_P(Folders, DefaultWorkbook,
    ::testing::Values(
        DefaultCase{ "BlattXlsFirst", { { "blatt.xls", 1 }, { "blatt.xlsx", 2 } }, {}, { "blatt.xls" }, 1, nullptr },
        DefaultCase{ "ThenXlsx", { { "blatt.xlsx", 2 }, { "blatt.ods", 3 } }, {}, { "blatt.xls", "blatt.xlsx" }, 2, nullptr },
        DefaultCase{ "ThenOds", { { "blatt.ods", 3 }, { "blatt.csv", 4 } }, {}, { "blatt.xls", "blatt.xlsx", "blatt.ods" }, 3, nullptr },
        DefaultCase{ "ThenCsv", { { "blatt.csv", 4 } }, {}, { "blatt.xls", "blatt.xlsx", "blatt.ods", "blatt.csv" }, 4, nullptr },
        DefaultCase{ "NoneThereSaysWhyAboutBlattXls", {}, {}, { "blatt.xls", "blatt.xlsx", "blatt.ods", "blatt.csv" }, 0,
            "blatt.xls fehlt" },
        DefaultCase{ "ADamagedBlattXlsIsNotPassedOver", { { "blatt.ods", 3 } }, { "blatt.xls" }, { "blatt.xls" }, 0,
            "blatt.xls kaputt" },
        DefaultCase{ "NorADamagedNewerOne", { { "blatt.csv", 4 } }, { "blatt.xlsx" }, { "blatt.xls", "blatt.xlsx" }, 0,
            "blatt.xlsx kaputt" }),
    [](const ::testing::TestParamInfo<DefaultCase>& info) { return std::string(info.param.name); });

TEST_F(DataManagerTest, OpenedWorkbookReplacesTheShownOneForTheNextReadings)
{
    auto folder = std::make_shared<Folder>(Folder{ { { "blatt.xls", 1 }, { "andere.ods", 7 } }, { "kaputt.xlsx" }, {} });
    manager = std::make_unique<DataManager>(*rec, *dialogs, view);
    manager->opener = [folder](const std::string& p) { return folder->open(p); };
    manager->Form_Load();
    const Workbook* first = manager->workbook();

    view.files = { std::nullopt, "/anderswo/kaputt.xlsx", "/anderswo/andere.ods" };
    manager->mnuOeffnen_Click(); // cancelled
    manager->mnuOeffnen_Click(); // unreadable: said, and the shown one stays
    EXPECT_EQ(manager->workbook(), first);
    EXPECT_EQ(messages("Fehler"), std::vector<std::string>{ "kaputt.xlsx kaputt" });
    manager->mnuOeffnen_Click();
    EXPECT_EQ(view.fileQuestions, 3);
    ASSERT_NE(manager->workbook(), first);
    EXPECT_EQ(view.shown, manager->workbook());
    EXPECT_TRUE(view.visible);

    view.ranges = { "A1", "A1" };
    dialogs->input("").input("");
    manager->mnuEinzel_Click();
    EXPECT_EQ(rec->Werte(1, 1), 7);
    EXPECT_EQ(rec->AnzahlWerte[2], 4);
}

// ---- Real files ------------------------------------------------------------

class DataManagerFiles : public DataManagerTest {
protected:
    void SetUp() override
    {
        DataManagerTest::SetUp();
        dir = std::filesystem::temp_directory_path() / ("zx-manager-" + std::to_string(::getpid()) + "-"
                  + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
        rec->Verzeichnis = dir.string() + "/";
    }
    void TearDown() override
    {
        DataManagerTest::TearDown();
        std::filesystem::remove_all(dir);
    }
    DataManager& openFiles()
    {
        manager = std::make_unique<DataManager>(*rec, *dialogs, view);
        manager->Form_Load();
        return *manager;
    }
    std::filesystem::path dir;
};

TEST_F(DataManagerFiles, MissingWorkbookSaysWhyAndOffersAnother)
{
    openFiles();
    ASSERT_EQ(messages("Fehler").size(), 1u);
    EXPECT_EQ(messages("Fehler")[0], "Error = Die Datei \u201E" + dir.string() + "/blatt.xls\u201C wurde nicht gefunden. 1004 "
                                     "Blatt.xls in Zerantix-Verzeichnis kopieren. Weiter mit OK.");
    EXPECT_EQ(view.fileQuestions, 1);
    EXPECT_FALSE(manager->closed());
    EXPECT_EQ(rec->TestName, "");
    // Without a workbook a reading says so, and the manager stays open.
    manager->mnuEinzel_Click();
    ASSERT_EQ(messages("Fehler").size(), 2u);
    EXPECT_NE(messages("Fehler")[1].find("keine Arbeitsmappe geöffnet"), std::string::npos);
    EXPECT_FALSE(manager->closed());
}

TEST_F(DataManagerFiles, AnotherWorkbookCanBeChosen)
{
    view.files = { (dir / "fehlt.xls").string(), std::string(ZX_EXAMPLES_DIR) + "/blatt.xls" };
    openFiles();
    EXPECT_EQ(messages("Fehler").size(), 2u) << "blatt.xls and the first chosen file are missing";
    ASSERT_NE(manager->workbook(), nullptr);
    EXPECT_EQ(view.shown, manager->workbook());
}

// The example workbook: every data type where the README says it stands.
TEST_F(DataManagerFiles, ExampleWorkbook)
{
    struct Case { void (DataManager::*menu)(); std::deque<std::optional<std::string>> ranges; int datentyp; int n1, n2; };
    const Case cases[] = {
        { &DataManager::mnuEinzel_Click, { "A2:A15", "B2:B13" }, 1, 14, 12 },
        { &DataManager::mnuKlassen_Click, { "D2:E9", "G2:H9" }, 2, 8, 8 },
        { &DataManager::mnuXquerSN_Click, { "J2:J6", "K2:K6" }, 3, 14, 12 },
        { &DataManager::mnuWertepaare_Click, { "M2:N13" }, 4, 12, 12 },
    };
    for (const auto& c : cases) {
        DataManagerFiles::TearDown();
        SetUp();
        std::filesystem::copy_file(std::string(ZX_EXAMPLES_DIR) + "/blatt.xls", dir / "blatt.xls");
        openFiles();
        ASSERT_NE(manager->workbook(), nullptr);
        view.ranges = c.ranges;
        for (std::size_t i = 0; i < c.ranges.size(); ++i)
            dialogs->input("");
        ((*manager).*(c.menu))();
        EXPECT_EQ(rec->TestName, "") << c.datentyp;
        EXPECT_EQ(rec->Datentyp, c.datentyp);
        if (c.datentyp == 3) {
            EXPECT_EQ(rec->Umfang[1], c.n1);
            EXPECT_EQ(rec->Umfang[2], c.n2);
            EXPECT_EQ(rec->Mittelwert[1], 24.93);
        } else {
            EXPECT_EQ(rec->AnzahlWerte[1], c.n1);
            EXPECT_EQ(rec->AnzahlWerte[2], c.n2);
        }
    }
    EXPECT_EQ(rec->Werte(1, 1), 152);
    EXPECT_EQ(rec->Werte(12, 2), 150);
}

// Formula cells are read by their computed results.
TEST_F(DataManagerFiles, FormulasInADataColumn)
{
    using namespace test;
    SheetLayout sheet { "Tabelle1", 0, 0, {} };
    for (unsigned i = 0; i < 4; ++i) {
        const ByteVector a = numberRecord(i, 0, 1.5 + i);
        const ByteVector b = formulaNumber(i, 1, 2 * (1.5 + i)); // =A*2 with its cached result
        sheet.records.insert(sheet.records.end(), a.begin(), a.end());
        sheet.records.insert(sheet.records.end(), b.begin(), b.end());
    }
    BookLayout book;
    book.sheets = { sheet };
    writeFile((dir / "blatt.xls").string(), oleFile({ { "Workbook", buildStream(book) } }));
    openFiles();
    ASSERT_NE(manager->workbook(), nullptr) << (messages().empty() ? "" : messages()[0]);
    view.ranges = { "A1:B4" };
    dialogs->input("");
    manager->mnuWertepaare_Click();
    EXPECT_EQ(rec->TestName, "");
    EXPECT_EQ(rec->AnzahlWerte[1], 4);
    EXPECT_EQ(rec->Werte(4, 2), 9);
}

TEST(Ranges, ParseAndText)
{
    MemoryWorkbook book({ "Daten", "Mein Blatt", "It's" }, 0);
    struct Case { const char* text; int sheet; int r1, c1, r2, c2; };
    const Case good[] = {
        { "A1:A9", 0, 0, 0, 8, 0 }, { "$A$1:$B$9", 0, 0, 0, 8, 1 }, { "A3", 0, 2, 0, 2, 0 }, { " b9:a1 ", 0, 0, 0, 8, 1 },
        { "Daten!C2", 0, 1, 2, 1, 2 }, { "'Mein Blatt'!$A$1:$A$5", 1, 0, 0, 4, 0 }, { "'It''s'!A1", 2, 0, 0, 0, 0 },
    };
    for (const auto& c : good) {
        const auto r = ParseRange(c.text, &book, 0);
        ASSERT_TRUE(r) << c.text;
        EXPECT_EQ(*r, (CellRange { c.sheet, { c.r1, c.c1 }, { c.r2, c.c2 } })) << c.text;
    }
    for (const char* bad : { "", "A", "1A", "A1:", "A1:B", "Fehlt!A1", "!A1", "A0", "A1 B2", "A1;A9" })
        EXPECT_FALSE(ParseRange(bad, &book, 0)) << bad;
    EXPECT_EQ(RangeText({ 0, { 0, 0 }, { 11, 0 } }, &book, 0), "$A$1:$A$12");
    EXPECT_EQ(RangeText({ 0, { 2, 1 }, { 2, 1 } }, &book, 0), "$B$3");
    EXPECT_EQ(RangeText({ 1, { 0, 26 }, { 3, 27 } }, &book, 0), "'Mein Blatt'!$AA$1:$AB$4");
    EXPECT_EQ(RangeText({ 2, { 0, 0 }, { 0, 0 } }, &book, 0), "'It''s'!$A$1");
    // Round trip through the text.
    const CellRange r { 1, { 4, 3 }, { 9, 4 } };
    EXPECT_EQ(ParseRange(RangeText(r, &book, 0), &book, 0), r);
}

} // namespace
} // namespace zx
