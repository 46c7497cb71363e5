// Shared pieces of the tests of the two-sample tests and the results command:
// the record filled the way data input and "Wahl des TESTS" fill it, a
// recording fake of the main window.
#pragma once

#include "core/AnalysisRecord.h"
#include "core/NumberText.h"
#include "stats/Descriptive.h"
#include "workflow/ResultsCommand.h"
#include "ScriptedDialogs.h"

#include "ReferenceFile.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zx::test {

// The main window as the results command sees it.
class FakeResultsView : public ResultsCommandView {
public:
    void unloadResultsWindow() override { calls.push_back("unload"); }
    void disableDescriptiveAndGraphics() override { calls.push_back("disable"); }
    void setResultsButtonEnabled(bool enabled) override { calls.push_back(enabled ? "results on" : "results off"); }

    int count(const std::string& call) const
    {
        int c = 0;
        for (const auto& s : calls)
            c += s == call;
        return c;
    }
    std::vector<std::string> calls;
};

// Data input of each type, then the test choice's computation.
class RecordBuilder {
public:
    explicit RecordBuilder(AnalysisRecord& record)
        : r_(record)
    {
    }

    RecordBuilder& singleValues(const std::vector<double>& x, const std::vector<double>& y)
    {
        r_.Datentyp = 1;
        put(1, x, {});
        put(2, y, {});
        return *this;
    }

    RecordBuilder& classGroups(const std::vector<double>& mx, const std::vector<int>& fx, const std::vector<double>& my,
        const std::vector<int>& fy)
    {
        r_.Datentyp = 2;
        put(1, mx, fx);
        put(2, my, fy);
        return *this;
    }

    RecordBuilder& pairs(const std::vector<double>& first, const std::vector<double>& second)
    {
        r_.Datentyp = 4;
        put(1, first, {});
        put(2, second, {});
        for (std::size_t i = 0; i < first.size(); ++i)
            r_.Differenzen[i + 1] = first[i] - second[i];
        return *this;
    }

    // Paired values given by their differences (second column 0).
    RecordBuilder& differences(const std::vector<double>& d) { return pairs(d, std::vector<double>(d.size(), 0.0)); }

    RecordBuilder& summary(int k, double mean, double sd, Long n, Single maximum, Single minimum)
    {
        r_.Datentyp = 3;
        SetSummaryValues(r_, k, mean, sd, n, maximum, minimum);
        return *this;
    }

    // "Wahl des TESTS": the descriptive values of both samples; the choice
    // of a test and a hypothesis.
    RecordBuilder& choose(const char* testName, const std::string& haWahl)
    {
        ScriptedDialogs quiet([](const std::string& what) { ADD_FAILURE() << what; });
        EXPECT_TRUE(ComputeDescriptives(r_, quiet));
        EXPECT_TRUE(quiet.shown().empty()) << quiet.shown().front().text;
        r_.NormPruef = " ";
        r_.VarPruef = " ";
        r_.TestName = testName;
        r_.HaWahl = haWahl;
        return *this;
    }

private:
    void put(int k, const std::vector<double>& values, const std::vector<int>& frequencies)
    {
        r_.AnzahlWerte[static_cast<std::size_t>(k)] = static_cast<Integer>(values.size());
        for (std::size_t i = 0; i < values.size(); ++i) {
            r_.Werte(static_cast<int>(i) + 1, k) = values[i];
            r_.Haeufigkeit(static_cast<int>(i) + 1, k) = frequencies.empty() ? Integer(1) : static_cast<Integer>(frequencies[i]);
        }
    }
    AnalysisRecord& r_;
};

// The positions of the main window's lists for a test name.
inline TestListSelection ListsFor(const std::string& testName, int datentyp)
{
    static const std::map<std::string, int> single = { { "t-TEST für Zweistich.", 0 }, { "WELCH-TEST", 1 }, { "LORD-TEST", 2 },
        { "WEIR-TEST", 3 }, { "U-TEST", 4 }, { "MEDIAN-TEST", 5 } };
    static const std::map<std::string, int> paired = { { "t-TEST für Wertepaare", 0 }, { "WILCOXON-TEST", 1 },
        { "VORZEICHEN-TEST", 2 } };
    TestListSelection lists;
    if (datentyp == 4)
        lists.list3 = paired.at(testName);
    else if (datentyp == 1)
        lists.list1 = single.at(testName);
    else
        lists.list2 = single.at(testName);
    return lists;
}

// Fixture: a fresh record, scripted dialogs that fail the test on an
// unprepared question, a fake main window, and "." as decimal separator.
class ResultsTestBase : public ::testing::Test {
protected:
    void SetUp() override
    {
        rec = std::make_unique<AnalysisRecord>();
        dialogs = std::make_unique<ScriptedDialogs>([](const std::string& what) { ADD_FAILURE() << what; });
        view.calls.clear();
        SetDecimalSeparator('.');
    }
    void TearDown() override { SetDecimalSeparator('.'); }

    RecordBuilder data() { return RecordBuilder(*rec); }

    // Runs "Ergebnisse" with the lists that fit the chosen test.
    ResultsOutcome run()
    {
        return RunResults(*rec, *dialogs, ListsFor(rec->TestName, rec->Datentyp), view);
    }

    std::vector<std::string> messages(const char* title) const
    {
        std::vector<std::string> out;
        for (const auto& s : dialogs->shown(ScriptedDialogs::Kind::Message))
            if (s.title == title)
                out.push_back(s.text);
        return out;
    }
    std::vector<std::string> prompts() const
    {
        std::vector<std::string> out;
        for (const auto& s : dialogs->shown(ScriptedDialogs::Kind::Input)) {
            EXPECT_EQ(s.title, "Dateneingabe");
            out.push_back(s.text);
        }
        return out;
    }

    std::unique_ptr<AnalysisRecord> rec;
    std::unique_ptr<ScriptedDialogs> dialogs;
    FakeResultsView view;
};

} // namespace zx::test
