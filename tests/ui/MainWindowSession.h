// The main window on the example workbook with scripted dialogs, for tests
// that go through the real windows from the data input onwards.
#pragma once

#include "core/AnalysisRecord.h"
#include "core/NumberText.h"
#include "ui/MainWindow.h"
#include "QtTestSupport.h"

#include <QByteArray>
#include <QFile>

#include <memory>

namespace zx::test {

struct MainWindowSession {
    std::unique_ptr<AnalysisRecord> rec;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<MainWindow> form;
    QByteArray workbookBefore;

    static QByteArray workbookBytes()
    {
        QFile f(QStringLiteral(ZX_EXAMPLES_DIR "/blatt.xls"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Called from a test's init(): a fresh record whose program directory is
    // the example workbook's folder, and the main window shown.
    void start()
    {
        SetDecimalSeparator(',');
        rec = std::make_unique<AnalysisRecord>();
        rec->Verzeichnis = std::string(ZX_EXAMPLES_DIR) + "/";
        workbookBefore = workbookBytes();
        QVERIFY(!workbookBefore.isEmpty());
        dialogs = std::make_unique<ScriptedDialogs>(QtScriptedDialogs());
        form = std::make_unique<MainWindow>(*rec, *dialogs);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    // Called from cleanup(): every prepared answer must have been asked for,
    // and the workbook is byte for byte what it was.
    void finish()
    {
        QCOMPARE(dialogs->pendingAnswers(), std::size_t(0));
        form.reset();
        QVERIFY(workbookBytes() == workbookBefore);
    }
};

} // namespace zx::test
