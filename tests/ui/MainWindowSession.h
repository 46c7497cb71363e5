// The main window on the example workbook with scripted dialogs, for tests
// that go through the real windows from the main window onwards, and what
// they do there.
#pragma once

#include "core/AnalysisRecord.h"
#include "core/NumberText.h"
#include "ui/Controls.h"
#include "ui/MainWindow.h"
#include "ui/WorkbookWindow.h"
#include "QtTestSupport.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>

#include <memory>

namespace zx::test {

inline const QStringList kButtons = { "CmdEingabe", "CmdNeuStart", "CmdTestWahl", "CmdZusatzTest", "CmdErgebnisse",
    "CmdDeskriptive", "CmdGraphik", "CmdEnde" };

// The main window's enabled buttons, "Cmd" left out.
inline QString enabledButtons(QWidget* form)
{
    QStringList on;
    for (const QString& name : kButtons)
        if (form->findChild<QPushButton*>(name)->isEnabled())
            on << name.mid(3);
    return on.join(' ');
}

inline WorkbookWindow* workbookWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* ww = qobject_cast<WorkbookWindow*>(w); ww && ww->isVisible())
            return ww;
    return nullptr;
}

inline void menu(QWidget* manager, const char* action) { manager->findChild<QAction*>(action)->trigger(); }

// A range typed into the question, and "OK".
inline void answerRange(QWidget* dialog, const QString& range)
{
    QTest::keyClicks(dialog->findChild<QLineEdit*>("Reference"), range);
    QTest::mouseClick(dialog->findChild<QPushButton*>("OK"), Qt::LeftButton);
}

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
        script.then("DataManagerWindow", [menuEntry](QWidget* m) { menu(m, menuEntry); });
        for (const QString& range : ranges)
            script.then("RangeDialog", [range](QWidget* d) { answerRange(d, range); });
        for (const QString& name : names)
            dialogs->input(name.toStdString());
        dialogs->yesNo(true);
        click(form.get(), "CmdEingabe");
        QVERIFY2(script.done(), qPrintable("still waiting for " + script.pending()));
        click(form.get(), "CmdTestWahl");
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
