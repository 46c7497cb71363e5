// A record filled as the input and the test choice fill it; a recording main window.
#pragma once

#include "core/NumberText.h"
#include "core/TestNames.h"
#include "stats/Descriptive.h"
#include "workflow/ResultsCommand.h"
#include "workflow/TestChoice.h"
#include "Samples.h"
#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <memory>

namespace zx::test {

class ResultsTestBase : public ::testing::Test, public ResultsCommandView {
protected:
    void SetUp() override
    {
        rec = std::make_unique<AnalysisRecord>();
        dialogs = std::make_unique<ScriptedDialogs>([](const std::string& what) { ADD_FAILURE() << what; });
        calls.clear();
        lists = {};
        SetDecimalSeparator('.');
    }
    void TearDown() override { SetDecimalSeparator('.'); }

    // The main window as "Ergebnisse" changes it.
    void unloadResultsWindow() override { calls.push_back("unload"); }
    void disableDescriptiveAndGraphics() override { calls.push_back("disable"); }
    void setResultsButtonEnabled(bool enabled) override { calls.push_back(enabled ? "results on" : "results off"); }

    void single(const std::vector<double>& x, const std::vector<double>& y) { SetSingleValues(*rec, 1, x), SetSingleValues(*rec, 2, y); }
    void differences(const std::vector<double>& d) { SetPairs(*rec, d, std::vector<double>(d.size(), 0.0)); }
    void summary(int k, double mean, double sd, Long n, Single maximum, Single minimum) { rec->Datentyp = 3, SetSummaryValues(*rec, k, mean, sd, n, maximum, minimum); }

    // "Wahl des TESTS", a click on the test in its list and one on the
    // hypothesis ("N", "J2" or "J3"), as the main window makes them.
    void choose(const std::string& testName, const std::string& haWahl)
    {
        ASSERT_TRUE(StartTestChoice(*rec, *dialogs));
        const TestList list = ListFor(rec->Datentyp);
        int index = 0;
        while (TestAt(list, index) && TestAt(list, index) != testName)
            ++index;
        (list == TestList::Single ? lists.list1 : list == TestList::Grouped ? lists.list2 : lists.list3) = index;
        if (ChooseTest(*rec, *dialogs, list, index) == TestChosen::NeedsHypothesis)
            ChooseHypothesis(*rec, haWahl == "N" ? 0 : haWahl == "J2" ? 1 : 2);
    }

    ResultsOutcome run() { return RunResults(*rec, *dialogs, lists, *this); }

    std::vector<std::string> shown(ScriptedDialogs::Kind kind, const std::string& title) const
    {
        std::vector<std::string> out;
        for (const auto& s : dialogs->shown(kind))
            if (s.title == title)
                out.push_back(s.text);
        return out;
    }
    std::vector<std::string> messages(const std::string& title) const { return shown(ScriptedDialogs::Kind::Message, title); }
    std::vector<std::string> prompts() const { return shown(ScriptedDialogs::Kind::Input, "Dateneingabe"); }

    std::unique_ptr<AnalysisRecord> rec;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::vector<std::string> calls;
    TestListSelection lists;
};

} // namespace zx::test
