// The data manager: takes the samples of one data type from ranges the user
// marks in the workbook "blatt.xls" (or another the user opens) and hands
// them to the analysis record.
//
// Its outcome goes back through TestName: empty when the samples were read,
// "ENDE" when the input was cancelled or the manager closed without a
// complete reading, "UNENDE" when a reading failed and must be offered again.
// A reading is committed whole: Datentyp and the samples in the record change
// together, and only when every sample of the data type has been read.
#pragma once

#include "workbook/Workbook.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zx {

struct AnalysisRecord;
class Dialogs;

// A rectangle of cells in one sheet, rows and columns from 0.
struct CellRange {
    int sheet = 0;
    CellPosition first;
    CellPosition last;
    friend bool operator==(const CellRange&, const CellRange&) = default;
};

// Parses "A1:A9", "$A$1:$B$9", "B3", "a1:a9" and, with a sheet in front,
// "Daten!A1:A9" or "'Mein Blatt'!A1" (sheet names as in the workbook, compared
// without regard to case). Without a sheet the range lies in defaultSheet.
// Nothing for anything else. The corners may be given in any order.
std::optional<CellRange> ParseRange(const std::string& text, const Workbook* workbook, int defaultSheet);

// "$A$1:$A$12" (a single cell "$B$3"), with "Sheet!" in front when the range
// lies in another sheet than frontSheet.
std::string RangeText(const CellRange& range, const Workbook* workbook, int frontSheet);

// The spreadsheet side of the manager: the window that shows the workbook
// and lets the user mark cells.
class WorkbookView {
public:
    virtual ~WorkbookView() = default;
    // Shows the workbook (nothing: none is open) in the window.
    virtual void showWorkbook(const Workbook* workbook, const std::string& fileName) = 0;
    virtual void setVisible(bool visible) = 0;
    // The range question: the user marks cells or types a reference.
    // Nothing when they choose "Abbrechen" or close the question.
    virtual std::optional<CellRange> askRange(const std::string& prompt, const std::string& title) = 0;
    // Lets the user choose another workbook file; nothing when cancelled.
    virtual std::optional<std::string> chooseWorkbookFile(const std::string& folder) = 0;
};

class DataManager {
public:
    DataManager(AnalysisRecord& record, Dialogs& dialogs, WorkbookView& view);
    ~DataManager();

    // How a workbook file is opened; tests put workbooks of their own here.
    std::function<OpenResult(const std::string& path)> opener = OpenWorkbook;

    // Opens Verzeichnis & "blatt.xls"; where there is none, "blatt.xlsx",
    // "blatt.ods" or "blatt.csv". When that fails, says why (about
    // blatt.xls) and offers to choose another workbook. Empties TestName.
    void Form_Load();

    // "Arbeitsmappe öffnen…": the user chooses a workbook, starting in the
    // program folder; it replaces the shown one for the following readings.
    // When it cannot be read, the shown one stays.
    void mnuOeffnen_Click();

    void mnuEinzel_Click();
    void mnuKlassen_Click();
    void mnuWertepaare_Click();
    void mnuXquerSN_Click();
    void mnuAbbruch_Click();
    void mnuArbeitschritte_Click();
    void mnuHilfe_Click();
    // The user closed the manager's window. During a reading the close waits
    // until the question on screen returns, so that the workbook the reading
    // uses stays open until then; the reading then ends without a result.
    void windowClosed();

    // True once the manager has finished and its window must close.
    bool closed() const { return closed_; }
    const Workbook* workbook() const { return workbook_.get(); }

private:
    struct Reading;
    enum class Step { Done, Again, Stop };

    void CmdStichprobenWahl(int datentyp);
    Step readSample(Reading& reading, int k, int& attempts);
    bool readRows(Reading& reading, int k, const CellRange& range, std::string& problem);
    bool readSummary(Reading& reading, int k, const CellRange& range, std::string& problem);
    void commit(const Reading& reading);
    void fail(const std::string& message);
    void close(const char* testName);
    bool openWorkbook(const std::string& path);
    OpenResult openDefaultWorkbook();
    void sayNotOpened(const OpenResult& result);
    void show(OpenResult result, const std::string& path);

    AnalysisRecord& rec_;
    Dialogs& dialogs_;
    WorkbookView& view_;
    std::unique_ptr<Workbook> workbook_;
    bool closed_ = false;
    bool reading_ = false;
    bool closeRequested_ = false;
};

// Texts of the manager that other parts show or test.
std::string RangePrompt(int datentyp, int k);
std::string NamePrompt(int datentyp, int k);
inline constexpr const char* kRangeTitle = "Daten Eingabe: Leere Zelle nicht erlaubt";
inline constexpr const char* kNameTitle = "BEZEICHNUNG";
inline constexpr const char* kRepeatTitle = "Bitte Eingaben wiederholen!";
// The workbook's names in the program folder, in the order they are looked for.
inline constexpr const char* kDefaultWorkbooks[] = { "blatt.xls", "blatt.xlsx", "blatt.ods", "blatt.csv" };

// A cell's value as a number, the way the manager reads data: a number cell,
// or a text cell that holds a plain decimal number with "." or "," as its
// separator. Nothing for any other text, booleans, errors and empty cells.
std::optional<double> CellNumber(const Cell& cell);

// The magnitudes data may have. Minimum, maximum and ranges are kept in
// single precision, as they always were, which carries about 3.4E+38 down
// to 1.2E-38 at full precision; within these decades every other
// intermediate (squares, fourth powers of deviations in the excess, sums of
// up to 16 million weighted rows) stays far inside the range of a double.
inline constexpr double kLargestMagnitude = 1e38;
inline constexpr double kSmallestMagnitude = 1e-37;

// Why a number cannot be taken as data ("ist zu groß ..."), or nothing.
std::optional<std::string> OutOfRange(double value);

// "Daten!A3", "'Mein Blatt'!B2": a cell with the name of its sheet.
std::string CellName(const Workbook* workbook, int sheet, int row, int column);

} // namespace zx
