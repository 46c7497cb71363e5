// The main window on the example workbook with scripted dialogs, for tests
// that go through the real windows from the data input onwards.
#pragma once

#include "core/AnalysisRecord.h"
#include "core/NumberText.h"
#include "ui/MainWindow.h"
#include "QtTestSupport.h"

#include <memory>

namespace zx::test {

struct MainWindowSession {
    std::unique_ptr<AnalysisRecord> rec;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<MainWindow> form;

    // Called from a test's init(): a fresh record whose program directory is
    // the example workbook's folder (or the folder given), and the main
    // window shown.
    void start(const std::string& folder = ZX_EXAMPLES_DIR)
    {
        SetDecimalSeparator(',');
        rec = std::make_unique<AnalysisRecord>();
        rec->Verzeichnis = folder + "/";
        dialogs = std::make_unique<ScriptedDialogs>(QtScriptedDialogs());
        form = std::make_unique<MainWindow>(*rec, *dialogs);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    // Called from cleanup(): every prepared answer must have been asked for.
    void finish()
    {
        QCOMPARE(dialogs->pendingAnswers(), std::size_t(0));
        form.reset();
    }
};

} // namespace zx::test
