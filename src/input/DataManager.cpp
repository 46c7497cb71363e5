#include "input/DataManager.h"

#include "core/AnalysisRecord.h"
#include "core/Dialogs.h"
#include "core/NumberText.h"
#include "core/TestNames.h"
#include "stats/Descriptive.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace zx {

namespace {

std::string trimmed(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t");
    return std::string(s.substr(first, last - first + 1));
}

std::string lowerAscii(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// What a cell shows, for messages.
std::string shownText(const Cell& c)
{
    switch (c.kind()) {
    case CellKind::Text:
    case CellKind::Error: return c.textValue();
    case CellKind::Boolean: return c.booleanValue() ? "WAHR" : "FALSCH";
    case CellKind::Number: return CStr(c.numberValue());
    case CellKind::Empty: return {};
    }
    return {};
}

// "1. Stichprobe", or "Wertepaare" for paired values; the article goes in
// front ("der" after "beim Lesen", "die" after "für").
std::string sampleName(int datentyp, int k)
{
    return datentyp == 4 ? "Wertepaare" : std::to_string(k) + ". Stichprobe";
}

} // namespace

// ---- Ranges ----------------------------------------------------------------

std::optional<CellRange> ParseRange(const std::string& input, const Workbook* workbook, int defaultSheet)
{
    std::string text = trimmed(input);
    CellRange range;
    range.sheet = defaultSheet;
    const auto bang = text.rfind('!');
    if (bang != std::string::npos) {
        std::string sheet = trimmed(text.substr(0, bang));
        if (sheet.size() >= 2 && sheet.front() == '\'' && sheet.back() == '\'') {
            sheet = sheet.substr(1, sheet.size() - 2);
            for (std::size_t p = sheet.find("''"); p != std::string::npos; p = sheet.find("''", p + 1))
                sheet.erase(p, 1);
        }
        if (!workbook || sheet.empty())
            return std::nullopt;
        int found = -1;
        for (int s = 0; s < workbook->sheetCount(); ++s)
            if (lowerAscii(workbook->sheetName(s)) == lowerAscii(sheet))
                found = s;
        if (found < 0)
            return std::nullopt;
        range.sheet = found;
        text = trimmed(text.substr(bang + 1));
    }
    const auto colon = text.find(':');
    const auto a = ParseA1(trimmed(text.substr(0, colon)));
    const auto b = colon == std::string::npos ? a : ParseA1(trimmed(text.substr(colon + 1)));
    if (!a || !b)
        return std::nullopt;
    range.first = { std::min(a->row, b->row), std::min(a->column, b->column) };
    range.last = { std::max(a->row, b->row), std::max(a->column, b->column) };
    return range;
}

namespace {

// "Daten!" or "'Mein Blatt'!", as a reference names a sheet.
std::string sheetPrefix(const Workbook& workbook, int sheet)
{
    std::string name = workbook.sheetName(sheet);
    const bool plain = std::all_of(name.begin(), name.end(),
        [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'; });
    if (!plain) {
        for (std::size_t p = name.find('\''); p != std::string::npos; p = name.find('\'', p + 2))
            name.insert(p, 1, '\'');
        name = "'" + name + "'";
    }
    return name + "!";
}

} // namespace

std::string RangeText(const CellRange& range, const Workbook* workbook, int frontSheet)
{
    auto absolute = [](CellPosition p) { return "$" + ColumnLetters(p.column) + "$" + std::to_string(p.row + 1); };
    std::string text = absolute(range.first);
    if (!(range.first == range.last))
        text += ":" + absolute(range.last);
    if (workbook && range.sheet != frontSheet)
        text = sheetPrefix(*workbook, range.sheet) + text;
    return text;
}

std::string CellName(const Workbook* workbook, int sheet, int row, int column)
{
    return (workbook ? sheetPrefix(*workbook, sheet) : std::string()) + ToA1(row, column);
}

// ---- Cell values -----------------------------------------------------------

std::optional<double> CellNumber(const Cell& cell)
{
    if (cell.isNumber())
        return std::isfinite(cell.numberValue()) ? std::optional<double>(cell.numberValue()) : std::nullopt;
    if (!cell.isText())
        return std::nullopt;
    std::string s = trimmed(cell.textValue());
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0;
    bool separator = false;
    for (std::size_t j = i; j < s.size(); ++j) {
        if (s[j] >= '0' && s[j] <= '9') {
            ++digits;
        } else if ((s[j] == '.' || s[j] == ',') && !separator) {
            separator = true;
            s[j] = '.';
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    double value = 0;
    const char* begin = s.data() + (s[0] == '+' ? 1 : 0);
    const auto [end, ec] = std::from_chars(begin, s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::string> OutOfRange(double value)
{
    const double magnitude = std::fabs(value);
    if (magnitude > kLargestMagnitude)
        return "ist zu groß: Beträge über " + Str(kLargestMagnitude).substr(1) + " können nicht verarbeitet werden";
    if (magnitude != 0 && magnitude < kSmallestMagnitude)
        return "ist zu klein: von 0 verschiedene Beträge unter " + Str(kSmallestMagnitude).substr(1)
            + " können nicht verarbeitet werden";
    return std::nullopt;
}

// ---- Texts -----------------------------------------------------------------

std::string RangePrompt(int datentyp, int k)
{
    const std::string head = "Markieren Sie den Bereich - richtig (vgl. Beispiel)";
    const std::string sample = "  Stichprobe " + std::to_string(k);
    switch (datentyp) {
    case 1: return head + kCr + kCr + "EINZELNE WERTE (1 Spalte):" + kCr + "Markieren Sie eine Spalte: z.B. A1:A9 " + sample;
    case 2: return head + kCr + kCr + "KLASSENGRUPPEN (2 Spalten):" + kCr + "Markieren Sie zwei Spalten: z.B. A1:B9 " + sample;
    case 3:
        return head + kCr + kCr + "XQUER/S/n/Max/Min (5 Werte in 1 Spalte):" + kCr + "Markieren Sie eine Spalte: z.B. A1:A5 "
            + sample;
    default: return head + kCr + "WERTEPAARE (2 Spalten)" + kCr + kCr + kCr + "Markieren Sie zwei Spalten: z.B. A1:B9 ";
    }
}

std::string NamePrompt(int datentyp, int k)
{
    const std::string example = k == 1 ? "Beispiel: ATLANTIK" : "Beispiel: PAZIFIK";
    if (datentyp == 4)
        return std::string("Geben Sie einen Name für die Stichprobe ein:") + kCr + kCr + example + kCr + kCr
            + "(freiwillige Angabe)";
    return "Geben Sie einen Name für die " + std::to_string(k) + ".Stichprobe ein:" + kCr + kCr + example
        + "  Stichprobe " + std::to_string(k) + kCr + kCr + "(freiwillige Angabe)";
}

// ---- The manager -----------------------------------------------------------

struct DataManager::Reading {
    struct Sample {
        std::vector<double> values;
        std::vector<Integer> frequencies;
        std::vector<double> second; // paired values: the second column
        std::string name;
        double mean = 0, stdDev = 0;
        Long n = 0;
        Single maximum = 0, minimum = 0;
    };
    int datentyp = 0;
    Sample sample[3];
};

DataManager::DataManager(AnalysisRecord& record, Dialogs& dialogs, WorkbookView& view)
    : rec_(record)
    , dialogs_(dialogs)
    , view_(view)
{
}

DataManager::~DataManager() = default;

void DataManager::show(OpenResult result, const std::string& path)
{
    workbook_ = std::move(result.workbook);
    const auto slash = path.find_last_of("/\\");
    view_.showWorkbook(workbook_.get(), slash == std::string::npos ? path : path.substr(slash + 1));
}

// blatt.xls, or where it is missing, the first of the newer formats that is
// there; when none is, the answer about blatt.xls.
OpenResult DataManager::openDefaultWorkbook()
{
    OpenResult first;
    for (const char* name : kDefaultWorkbooks) {
        const std::string path = rec_.Verzeichnis + name;
        OpenResult result = opener(path);
        if (result) {
            show(std::move(result), path);
            return {};
        }
        if (!result.error || result.error->code != OpenErrorCode::FileNotFound)
            return result; // there, but unreadable: that is what the user must hear
        if (!first.error)
            first = std::move(result);
    }
    return first;
}

void DataManager::sayNotOpened(const OpenResult& result)
{
    rec_.Meldung = "Error = " + (result.error ? result.error->message : std::string()) + Str(1004)
        + " Blatt.xls in Zerantix-Verzeichnis kopieren. Weiter mit OK.";
    dialogs_.ShowMessage(rec_.Meldung, "Fehler");
}

bool DataManager::openWorkbook(const std::string& path)
{
    OpenResult result = opener(path);
    if (!result) {
        sayNotOpened(result);
        return false;
    }
    show(std::move(result), path);
    return true;
}

void DataManager::Form_Load()
{
    rec_.CrLf = kCrLf;
    const OpenResult failed = openDefaultWorkbook();
    if (!workbook_) {
        sayNotOpened(failed);
        // Another workbook may be chosen; without one the manager still opens,
        // and a reading says that no workbook is open.
        while (const auto other = view_.chooseWorkbookFile(rec_.Verzeichnis))
            if (openWorkbook(*other))
                break;
    }
    if (workbook_)
        view_.setVisible(true);
    rec_.TestName.clear();
}

void DataManager::mnuOeffnen_Click()
{
    if (closed_)
        return;
    const auto path = view_.chooseWorkbookFile(rec_.Verzeichnis);
    if (!path)
        return;
    OpenResult result = opener(*path);
    if (!result) {
        // The shown workbook stays for the next reading.
        dialogs_.ShowMessage(result.error ? result.error->message : std::string(), "Fehler");
        return;
    }
    show(std::move(result), *path);
    view_.setVisible(true);
}

void DataManager::mnuEinzel_Click() { CmdStichprobenWahl(1); }
void DataManager::mnuKlassen_Click() { CmdStichprobenWahl(2); }
void DataManager::mnuWertepaare_Click() { CmdStichprobenWahl(4); }
void DataManager::mnuXquerSN_Click() { CmdStichprobenWahl(3); }

void DataManager::mnuAbbruch_Click() { close(TestNames::Ende); }

void DataManager::windowClosed()
{
    if (reading_)
        closeRequested_ = true;
    else if (!closed_)
        close(TestNames::Ende);
}

void DataManager::mnuArbeitschritte_Click()
{
    const std::string& crlf = rec_.CrLf;
    rec_.Meldung = "1) Die Daten müssen sich spaltenweise in der aktivierten (vorderen) Tabelle befinden." + crlf
        + "2) Die Arbeitsmappe wird im Fenster \u201EArbeitsmappe\u201C neben dem MANAGER gezeigt; dort wählen Sie die Tabelle." + crlf
        + "3) Nachdem die Daten in der aktiven Tabelle stehen, wird der DATENTYP im MANAGER gewählt." + crlf
        + "4) Markieren Sie den Bereich mit dem Maus ein: z.B. A1:A9 für eine Spalte mit 9 Werten." + crlf
        + "5) Die Arbeitsmappe wird nur gelesen: Daten ändern und speichern Sie vor dem Start der Eingabe in Ihrem "
          "Tabellenprogramm.";
    dialogs_.ShowMessage(rec_.Meldung, "Arbeitsschritte");
}

void DataManager::mnuHilfe_Click()
{
    rec_.Meldung = "Gelesen werden Arbeitsmappen von Excel ab Version 5.0/95 (.xls, .xlsx), OpenDocument (.ods) und "
                   "Textdateien (.csv). Der Anwender muß eine "
                   "Arbeitsmappe unter dem Namen BLATT.xls im Verzeichnis Zerantix speichern. Eine "
                   "Arbeitsmappe besteht in der Regel aus mehreren Tabellen. Zerantix öffnet BLATT.XLS beim Start "
                   "in seinem Fenster \u201EArbeitsmappe\u201C, nur zum Lesen. Danach können weitere Arbeitsmappen geöffnet "
                   "werden. Alle Daten für den Test müssen spaltenweise in die vordere Tabelle übertragen werden.";
    dialogs_.ShowMessage(rec_.Meldung, "Zerantix - Excel");
}

void DataManager::close(const char* testName)
{
    view_.setVisible(false);
    view_.showWorkbook(nullptr, {});
    workbook_.reset();
    rec_.TestName = testName;
    closed_ = true;
}

void DataManager::fail(const std::string& message)
{
    view_.setVisible(false);
    rec_.Meldung = message;
    dialogs_.ShowMessage(message, "Fehler");
    close(TestNames::Unende);
}

void DataManager::CmdStichprobenWahl(int datentyp)
{
    if (closed_)
        return;
    if (!workbook_) {
        dialogs_.ShowMessage("Es ist keine Arbeitsmappe geöffnet, aus der die Daten gelesen werden können. Bitte "
                             "öffnen Sie eine mit \u201EDatei \u2013 Arbeitsmappe öffnen\u2026\u201C, kopieren Sie "
                             "blatt.xls in das Zerantix-Verzeichnis und starten Sie die Eingabe erneut, oder wählen Sie "
                             "\u201EAbbrechen\u201C.",
            "Fehler");
        return;
    }
    Reading reading;
    reading.datentyp = datentyp;
    const int last = datentyp == 4 ? 1 : 2;
    reading_ = true;
    bool complete = true;
    for (int k = 1; k <= last && complete; ++k) {
        int attempts = 0;
        complete = readSample(reading, k, attempts) == Step::Done;
    }
    reading_ = false;
    if (closeRequested_) {
        close(TestNames::Ende);
        return;
    }
    if (!complete)
        return; // left the reading; the record keeps what it held
    commit(reading);
    close("");
}

DataManager::Step DataManager::readSample(Reading& reading, int k, int& attempts)
{
    const int datentyp = reading.datentyp;
    for (;;) {
        ++attempts;
        view_.setVisible(true);
        const auto range = view_.askRange(RangePrompt(datentyp, k), kRangeTitle);
        if (!range || closeRequested_)
            return Step::Stop; // "Abbrechen": the manager stays open for another choice
        if (attempts == 3) {
            dialogs_.ShowMessage("Zu viele Versuche für die " + sampleName(datentyp, k)
                    + ": Die Eingabe wird beendet. Bitte starten Sie sie erneut.",
                "Fehler");
            close(TestNames::Ende);
            return Step::Stop;
        }
        const auto cellAt = [&](int i, int j) {
            return workbook_->cell(range->sheet, range->first.row + i - 1, range->first.column + j - 1);
        };
        const bool twoColumns = datentyp == 2 || datentyp == 4;
        if (cellAt(1, 1).isEmpty() || (twoColumns && cellAt(1, 2).isEmpty()))
            continue; // the first row must hold data

        reading.sample[k].name = dialogs_.InputBox(NamePrompt(datentyp, k), kNameTitle).value_or(std::string());
        if (closeRequested_)
            return Step::Stop;

        std::string problem;
        const bool ok = datentyp == 3 ? readSummary(reading, k, *range, problem) : readRows(reading, k, *range, problem);
        if (closed_)
            return Step::Stop;
        if (ok)
            return Step::Done;
        view_.setVisible(false);
        if (!dialogs_.AskOkCancel(problem, kRepeatTitle) || closeRequested_)
            return Step::Stop;
    }
}

// Rows from the first marked one downwards, below the marked range too, up to
// the first row whose checked cell is empty. False with the reason in
// `problem` when the sample must be entered again; a reading that cannot go
// on at all fails the manager.
bool DataManager::readRows(Reading& reading, int k, const CellRange& range, std::string& problem)
{
    const int datentyp = reading.datentyp;
    const bool twoColumns = datentyp == 2 || datentyp == 4;
    auto& s = reading.sample[k];
    s.values.clear();
    s.frequencies.clear();
    s.second.clear();
    const std::string who = "der " + sampleName(datentyp, k);
    const auto where = [&](int row, int column) { return CellName(workbook_.get(), range.sheet, row, column); };
    // A value of the sample: a number the computations can carry.
    auto value = [&](int row, int column, const Cell& c) -> std::optional<double> {
        const auto x = CellNumber(c);
        if (!x) {
            fail("Fehler beim Lesen " + who + ": Die Zelle " + where(row, column) + " enthält keine Zahl (\u201E"
                + shownText(c) + "\u201C). Bitte korrigieren Sie die Daten und wiederholen Sie die Eingabe.");
            return std::nullopt;
        }
        if (const auto why = OutOfRange(*x)) {
            fail("Fehler beim Lesen " + who + ": Die Zahl in Zelle " + where(row, column) + " (\u201E" + shownText(c)
                + "\u201C) " + *why + ". Bitte korrigieren Sie die Daten und wiederholen Sie die Eingabe.");
            return std::nullopt;
        }
        return x;
    };
    double frequencySum = 0;
    for (int i = 1;; ++i) {
        const int row = range.first.row + i - 1;
        const int column = range.first.column;
        const Cell c1 = workbook_->cell(range.sheet, row, column);
        const Cell c2 = twoColumns ? workbook_->cell(range.sheet, row, column + 1) : Cell();
        if (c1.isEmpty() || (twoColumns && c2.isEmpty()))
            break;
        if (i > AnalysisRecord::MaxRows) {
            fail("Fehler beim Lesen " + who + ": Ab Zelle " + where(range.first.row, column) + " stehen mehr als "
                + std::to_string(AnalysisRecord::MaxRows) + " Zeilen. Es können höchstens "
                + std::to_string(AnalysisRecord::MaxRows) + " Zeilen je Stichprobe gelesen werden.");
            return false;
        }
        const auto x = value(row, column, c1);
        if (!x)
            return false;
        s.values.push_back(*x);
        if (datentyp == 2) {
            const auto f = value(row, column + 1, c2);
            if (!f)
                return false;
            if (*f < 0 || *f > std::numeric_limits<Integer>::max() || std::floor(*f) != *f) {
                fail("Fehler beim Lesen " + who + ": Die Häufigkeit in Zelle " + where(row, column + 1) + " (\u201E"
                    + shownText(c2) + "\u201C) ist keine ganze Zahl von 0 bis 32767.");
                return false;
            }
            s.frequencies.push_back(static_cast<Integer>(*f));
            frequencySum += *f;
        } else if (datentyp == 4) {
            const auto y = value(row, column + 1, c2);
            if (!y)
                return false;
            s.second.push_back(*y);
        }
    }
    const auto rows = s.values.size();
    if (rows < 3) {
        problem = "Zu wenige Zeilen für die " + sampleName(datentyp, k) + ": nur " + std::to_string(rows) + " (ab Zelle "
            + where(range.first.row, range.first.column) + "); es werden mindestens 3 gebraucht."
            + kCrLf + kCrLf + "OK: Bereich neu markieren     Abbrechen: Eingabe beenden";
        return false;
    }
    if (datentyp == 2 && frequencySum < 3) {
        fail("Fehler beim Lesen " + who + ": Die Häufigkeiten ergeben zusammen nur "
            + std::to_string(static_cast<long>(frequencySum)) + " Werte; es werden mindestens 3 gebraucht.");
        return false;
    }
    return true;
}

// The five cells of summary values: mean, standard deviation, size, maximum,
// minimum, one below the other.
bool DataManager::readSummary(Reading& reading, int k, const CellRange& range, std::string& problem)
{
    static constexpr const char* names[] = { "Mittelwert", "Standardabweichung", "Umfang", "Maximum", "Minimum" };
    const std::string who = "der " + sampleName(3, k);
    const auto cellOf = [&](int j) { return CellName(workbook_.get(), range.sheet, range.first.row + j, range.first.column); };
    double v[5] = {};
    for (int j = 0; j < 5; ++j) {
        const int row = range.first.row + j;
        const Cell c = workbook_->cell(range.sheet, row, range.first.column);
        const std::string where = cellOf(j);
        if (c.isEmpty()) {
            problem = "Für die " + sampleName(3, k) + " ist die Zelle " + where + " (" + names[j]
                + ") leer. Gebraucht werden 5 Werte untereinander: Mittelwert, Standardabweichung, Umfang, "
                  "Maximum, Minimum."
                + kCrLf + kCrLf + "OK: Bereich neu markieren     Abbrechen: Eingabe beenden";
            return false;
        }
        const auto x = CellNumber(c);
        if (!x) {
            fail("Fehler beim Lesen " + who + ": Die Zelle " + where + " (" + names[j] + ") enthält keine Zahl (\u201E"
                + shownText(c) + "\u201C). Bitte korrigieren Sie die Daten und wiederholen Sie die Eingabe.");
            return false;
        }
        if (const auto why = OutOfRange(*x)) {
            fail("Fehler beim Lesen " + who + ": Die Zahl in Zelle " + where + " (" + names[j] + ", \u201E" + shownText(c)
                + "\u201C) " + *why + ". Bitte korrigieren Sie die Daten und wiederholen Sie die Eingabe.");
            return false;
        }
        v[j] = *x;
    }
    const std::string sCell = cellOf(1);
    const std::string nCell = cellOf(2);
    if (!(v[1] > 0)) {
        fail("Fehler beim Lesen " + who + ": Die Standardabweichung in Zelle " + sCell + " muss größer als 0 sein.");
        return false;
    }
    if (!(v[2] >= 3) || std::floor(v[2]) != v[2] || v[2] > std::numeric_limits<Long>::max()) {
        fail("Fehler beim Lesen " + who + ": Der Umfang in Zelle " + nCell
            + " muss eine ganze Zahl von mindestens 3 sein.");
        return false;
    }
    // Minimum and maximum are optional (both 0); entered, they must agree
    // with each other and with the mean.
    const double mean = v[0], maximum = v[3], minimum = v[4];
    if (!(maximum == 0 && minimum == 0)) {
        if (maximum < minimum) {
            fail("Fehler beim Lesen " + who + ": Das Maximum in Zelle " + cellOf(3) + " (" + CStr(maximum)
                + ") ist kleiner als das Minimum in Zelle " + cellOf(4) + " (" + CStr(minimum)
                + "). Bitte korrigieren Sie die Daten und wiederholen Sie die Eingabe.");
            return false;
        }
        if (mean < minimum || mean > maximum) {
            fail("Fehler beim Lesen " + who + ": Der Mittelwert in Zelle " + cellOf(0) + " (" + CStr(mean)
                + ") liegt nicht zwischen dem Minimum in Zelle " + cellOf(4) + " (" + CStr(minimum)
                + ") und dem Maximum in Zelle " + cellOf(3) + " (" + CStr(maximum)
                + "). Bitte korrigieren Sie die Daten und wiederholen Sie die Eingabe.");
            return false;
        }
    }
    auto& s = reading.sample[k];
    s.mean = v[0];
    s.stdDev = v[1];
    s.n = static_cast<Long>(v[2]);
    s.maximum = static_cast<Single>(v[3]);
    s.minimum = static_cast<Single>(v[4]);
    return true;
}

void DataManager::commit(const Reading& reading)
{
    rec_.Datentyp = static_cast<Integer>(reading.datentyp);
    const int last = reading.datentyp == 4 ? 1 : 2;
    for (int k = 1; k <= last; ++k) {
        const auto& s = reading.sample[k];
        rec_.Bezeichnung[k] = s.name;
        if (reading.datentyp == 3) {
            SetSummaryValues(rec_, k, s.mean, s.stdDev, s.n, s.maximum, s.minimum);
            continue;
        }
        const int rows = static_cast<int>(s.values.size());
        for (int i = 1; i <= rows; ++i) {
            const auto at = static_cast<std::size_t>(i - 1);
            rec_.Werte(i, k) = s.values[at];
            rec_.Haeufigkeit(i, k) = reading.datentyp == 2 ? s.frequencies[at] : Integer(1);
            if (reading.datentyp == 4) {
                rec_.Werte(i, 2) = s.second[at];
                rec_.Haeufigkeit(i, 2) = 1;
            }
        }
        rec_.AnzahlWerte[k] = static_cast<Integer>(rows);
        if (reading.datentyp == 4)
            rec_.AnzahlWerte[2] = rec_.AnzahlWerte[1];
    }
}

} // namespace zx
