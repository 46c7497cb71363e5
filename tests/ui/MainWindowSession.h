// The main window on the example workbook with scripted dialogs, for tests
// that go through the real windows from the data input onwards.
#pragma once

#include "core/AnalysisRecord.h"
#include "core/NumberText.h"
#include "ui/Controls.h"
#include "ui/MainWindow.h"
#include "QtTestSupport.h"

#include <QAction>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

#include <memory>

namespace zx::test {

struct MainWindowSession {
    std::unique_ptr<AnalysisRecord> rec;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<MainWindow> form;
    QByteArray workbookBefore;
    std::string folder_;

    // Every workbook of the program folder, byte for byte.
    QByteArray workbookBytes() const
    {
        QByteArray all;
        const QDir dir(QString::fromStdString(folder_));
        for (const QString& name : dir.entryList({ "blatt.*" }, QDir::Files, QDir::Name)) {
            QFile f(dir.filePath(name));
            if (f.open(QIODevice::ReadOnly))
                all += name.toUtf8() + f.readAll();
        }
        return all;
    }

    // Called from a test's init(): a fresh record whose program directory is
    // the example workbook's folder (or the folder given), and the main
    // window shown.
    void start(const std::string& folder = ZX_EXAMPLES_DIR)
    {
        SetDecimalSeparator(',');
        rec = std::make_unique<AnalysisRecord>();
        rec->Verzeichnis = folder + "/";
        folder_ = folder;
        workbookBefore = workbookBytes();
        QVERIFY(!workbookBefore.isEmpty());
        dialogs = std::make_unique<ScriptedDialogs>(QtScriptedDialogs());
        form = std::make_unique<MainWindow>(*rec, *dialogs);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    // "DATEN: Eingabe" with the data manager's menu entry, the typed ranges
    // and the sample names, confirmed; then "Wahl des TESTS".
    void readSamples(const char* menuEntry, const QStringList& ranges, const QStringList& names)
    {
        ModalScript script;
        script.then("DataManagerWindow", [menuEntry](QWidget* m) { m->findChild<QAction*>(menuEntry)->trigger(); });
        for (const QString& range : ranges)
            script.then("RangeDialog", [range](QWidget* d) {
                QTest::keyClicks(d->findChild<QLineEdit*>("Reference"), range);
                QTest::mouseClick(d->findChild<QPushButton*>("OK"), Qt::LeftButton);
            });
        for (const QString& name : names)
            dialogs->input(name.toStdString());
        dialogs->yesNo(true);
        click(form.get(), "CmdEingabe");
        QVERIFY2(script.done(), qPrintable("still waiting for " + script.pending()));
        click(form.get(), "CmdTestWahl");
    }

    // A test and a hypothesis (-1: none) chosen, "Ergebnisse" with the level.
    void choose(const char* listName, int test, int hypothesis, const char* level)
    {
        clickItem(child<ClickList>(form.get(), listName), test);
        if (hypothesis >= 0)
            clickItem(child<ClickList>(form.get(), "List5"), hypothesis);
        if (level)
            dialogs->input(level);
        click(form.get(), "CmdErgebnisse");
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
