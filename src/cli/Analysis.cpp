#include "cli/Analysis.h"

#include "cli/JsonReport.h"
#include "core/AnalysisRecord.h"
#include "core/DateText.h"
#include "core/Dialogs.h"
#include "core/NumberText.h"
#include "core/ProgramDirectory.h"
#include "core/TestNames.h"
#include "input/DataManager.h"
#include "stats/Descriptive.h"
#include "workflow/AssumptionCheck.h"
#include "workflow/Confirmation.h"
#include "workflow/ParametersListing.h"
#include "workflow/ResultsCommand.h"
#include "workflow/ResultsReport.h"
#include "workflow/TestChoice.h"

#include <filesystem>
#include <memory>
#include <stdexcept>

namespace zx::cli {

namespace {

// Ends the analysis with an exit status and a message for stderr.
struct Stop {
    int status;
    std::string message;
};

std::string inQuotes(const std::string& s) { return "\u201E" + s + "\u201C"; }

// The questions of the windows, answered from the command line: the names,
// the level of the step under way, and "Abbrechen" where the windows would
// wait for a correction.
class AnsweringDialogs : public Dialogs {
public:
    explicit AnsweringDialogs(const Options& o)
        : options_(o)
    {
    }

    // The answer for the level questions of the next step ("Ergebnisse" or
    // the check); a second question means the first answer was refused.
    void answerLevels(std::optional<std::string> answer)
    {
        level_ = std::move(answer);
        levelQuestions_ = 0;
        lastError.clear();
    }

    void ShowMessage(const std::string& text, const std::string& title) override
    {
        if (title == "Fehler")
            lastError = text;
        else
            notices.push_back(text);
    }

    std::optional<std::string> InputBox(const std::string& prompt, const std::string& title) override
    {
        if (title == kNameTitle)
            return options_.names[static_cast<std::size_t>(++nameQuestions_ > 2 ? 2 : nameQuestions_)];
        if (title == kInputTitle && level_) {
            if (++levelQuestions_ > 1)
                throw Stop { kRefusedInput,
                    !lastError.empty() ? lastError
                                       : "Die Irrtumswahrscheinlichkeit " + inQuotes(*level_)
                            + " wird nicht angenommen: erlaubt sind Werte über 0 bis 50 %." };
            return *level_;
        }
        throw Stop { kRefusedInput, "Unerwartete Frage: " + WithLineFeeds(prompt) };
    }

    bool AskYesNo(const std::string&, const std::string&) override { return true; }

    bool AskOkCancel(const std::string& text, const std::string&) override
    {
        repeatProblem = text;
        return false;
    }

    std::string lastError;
    std::vector<std::string> notices;
    std::optional<std::string> repeatProblem;

private:
    const Options& options_;
    std::optional<std::string> level_;
    int levelQuestions_ = 0;
    int nameQuestions_ = 0;
};

// The workbook as the manager sees it: the ranges of the command line in
// place of the marked cells.
class RangesView : public WorkbookView {
public:
    explicit RangesView(const Options& o)
        : options_(o)
    {
    }

    void showWorkbook(const Workbook* workbook, const std::string&) override { workbook_ = workbook; }
    void setVisible(bool) override { }

    std::optional<CellRange> askRange(const std::string& prompt, const std::string&) override
    {
        // The same question again: the manager refused the answer.
        if (prompt == lastPrompt_)
            throw Stop { kRefusedInput, "Der Bereich " + inQuotes(options_.ranges[static_cast<std::size_t>(sample_)]) + " der "
                    + sampleName() + " beginnt mit einer leeren Zelle." };
        lastPrompt_ = prompt;
        ++sample_;
        const std::string& text = options_.ranges[static_cast<std::size_t>(sample_)];
        const auto range = ParseRange(text, workbook_, workbook_ ? std::max(workbook_->frontSheet(), 0) : 0);
        if (!range)
            throw Stop { kRefusedInput, "Der Bereich " + inQuotes(text) + " der " + sampleName()
                    + " ist kein Zellbereich dieser Arbeitsmappe (z.B. A2:A15 oder Daten!$A$2:$A$15)." };
        return range;
    }

    std::optional<std::string> chooseWorkbookFile(const std::string&) override { return std::nullopt; }

private:
    std::string sampleName() const
    {
        return options_.datentyp == 4 ? std::string("Wertepaare") : std::to_string(sample_) + ". Stichprobe";
    }

    const Options& options_;
    const Workbook* workbook_ = nullptr;
    std::string lastPrompt_;
    int sample_ = 0;
};

// "Ergebnisse" without a window to change.
class NoView : public ResultsCommandView {
public:
    void unloadResultsWindow() override { }
    void disableDescriptiveAndGraphics() override { }
    void setResultsButtonEnabled(bool) override { }
};

void readSamples(AnalysisRecord& rec, AnsweringDialogs& dialogs, const Options& o)
{
    RangesView view(o);
    DataManager manager(rec, dialogs, view);
    if (o.workbook)
        manager.opener = [path = *o.workbook](const std::string&) { return OpenWorkbook(path); };
    manager.Form_Load();
    if (!manager.workbook())
        throw Stop { kRefusedInput, dialogs.lastError };
    switch (o.datentyp) {
    case 1: manager.mnuEinzel_Click(); break;
    case 2: manager.mnuKlassen_Click(); break;
    case 3: manager.mnuXquerSN_Click(); break;
    default: manager.mnuWertepaare_Click(); break;
    }
    if (!manager.closed()) {
        // The manager waits for a corrected range: say what it said.
        std::string problem = dialogs.repeatProblem.value_or(dialogs.lastError);
        problem = problem.substr(0, problem.find(std::string(kCrLf) + kCrLf));
        throw Stop { kRefusedInput, problem };
    }
    if (!rec.TestName.empty())
        throw Stop { kRefusedInput, dialogs.lastError };
    if (rec.Datentyp == 4)
        FillDifferences(rec);
}

} // namespace

Outcome RunAnalysis(const Options& o, const std::string& programFolder, const std::string& builtInExamples)
{
    auto rec = std::make_unique<AnalysisRecord>();
    AnsweringDialogs dialogs(o);
    Outcome outcome;
    auto notices = [&] {
        for (const auto& n : dialogs.notices)
            outcome.err += "Hinweis: " + WithLineFeeds(n) + "\n";
    };
    try {
        rec->CrLf = kCrLf;
        rec->Verzeichnis = FindProgramDirectory(programFolder, std::nullopt, builtInExamples,
            std::filesystem::current_path().string());
        readSamples(*rec, dialogs, o);
        const std::array<std::string, 3> names = rec->Bezeichnung;

        if (!StartTestChoice(*rec, dialogs))
            throw Stop { kNotPossible, dialogs.lastError };
        const auto list = static_cast<TestList>(o.testList);
        dialogs.lastError.clear();
        if (ChooseTest(*rec, dialogs, list, o.testIndex) == TestChosen::NeedsHypothesis)
            ChooseHypothesis(*rec, o.hypothesis);
        if (!dialogs.lastError.empty()) // the U-test's exchange of the samples: a notice, not an error
            dialogs.notices.push_back(dialogs.lastError);

        std::optional<CheckRun> check;
        if (o.check) {
            if (AssumptionStepFor(rec->TestName) != AssumptionStep::Check)
                throw Stop { kRefusedInput, "Eine Prüfung der Voraussetzungen gibt es nur vor den parametrischen Tests "
                                            "(t, welch, lord, weir, t-paare)." };
            const NormalityTest test = OfferedNormalityTests(rec->Datentyp).at(static_cast<std::size_t>(*o.check));
            dialogs.answerLevels(o.checkLevel);
            const float level = AskCheckLevel(*rec, dialogs, test);
            dialogs.answerLevels(std::nullopt);
            check = RunAssumptionCheck(*rec, dialogs, test, level);
            if (check->refused)
                throw Stop { kNotPossible, dialogs.lastError };
        }

        dialogs.answerLevels(o.level);
        TestListSelection lists;
        (list == TestList::Single ? lists.list1 : list == TestList::Grouped ? lists.list2 : lists.list3) = o.testIndex;
        NoView view;
        std::string checkText;
        if (check) {
            checkText = WithLineFeeds(check->normalityReport) + "\n";
            if (check->varianceReport)
                checkText += "\n" + WithLineFeeds(*check->varianceReport) + "\n";
        }
        switch (RunResults(*rec, dialogs, lists, view)) {
        case ResultsOutcome::Refused: {
            std::string advice;
            for (const Advice* a : { check ? check->normalityAdvice : nullptr, check ? check->varianceAdvice : nullptr })
                if (a)
                    advice += WithLineFeeds(a->text);
            const std::string refusal = dialogs.notices.back(); // "WÄHLEN SIE EINEN DER EMPFOHLENEN TESTS"
            dialogs.notices.pop_back();
            throw Stop { kNotPossible, checkText + "\n" + refusal + "\n" + advice };
        }
        case ResultsOutcome::NotPossible:
        case ResultsOutcome::NoTest: throw Stop { kNotPossible, dialogs.lastError };
        case ResultsOutcome::Shown: break;
        }
        CompleteReportLines(*rec);
        const std::string report = WithLineFeeds(ResultsReportText(*rec, ReportDateTime()));

        std::vector<std::string> listings;
        if (o.parameters || o.format == OutputFormat::Json) {
            rec->StichprobeNr = 2;
            for (int k = 1; k <= (rec->Datentyp == 4 ? 1 : 2); ++k) {
                if (!parameter(*rec, dialogs))
                    throw Stop { kNotPossible, dialogs.lastError };
                listings.push_back(WithLineFeeds(ParametersText(*rec, ReportDate())));
            }
        }

        if (o.format == OutputFormat::Json) {
            outcome.out = JsonReport(*rec, names, report, check, checkText, listings, o);
        } else {
            outcome.out = checkText.empty() ? "" : checkText + "\n";
            outcome.out += report + "\n";
            if (o.parameters)
                for (const auto& l : listings)
                    outcome.out += "\n" + l + "\n";
        }
        notices();
        return outcome;
    } catch (const Stop& stop) {
        notices();
        outcome.status = stop.status;
        outcome.out.clear();
        outcome.err += WithLineFeeds(stop.message.empty() ? "Die Analyse ist nicht möglich." : stop.message) + "\n";
        return outcome;
    } catch (const std::exception& e) {
        outcome.status = kNotPossible;
        outcome.out.clear();
        outcome.err += std::string("Die Analyse ist nicht möglich: ") + e.what() + "\n";
        return outcome;
    }
}

} // namespace zx::cli
