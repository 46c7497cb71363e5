// The start window's catalogue and messages; a whole analysis from there by
// keyboard alone, through the real windows and message and input boxes.
#include "ui/QtDialogs.h"
#include "ui/ResultsWindow.h"
#include "ui/StartWindow.h"
#include "workflow/ModuleCatalogue.h"
#include "WindowTest.h"

#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableView>
#include <QWindow>

using namespace zx;
using namespace zx::test;

namespace {

const StartOptions kOptions { .parameterFile = "/nirgends/velbor.PAR", .argumentFolder = ZX_EXAMPLES_DIR, .exampleFolder = {},
    .currentFolder = {} };

void type(QWidget* dialog, const char* text)
{
    auto* field = dialog->findChild<QLineEdit*>();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

} // namespace

class TestStartWindow : public QObject {
    Q_OBJECT

private slots:
    void init() { SetDecimalSeparator(','); }

    void wholeAnalysisWithTheKeyboard()
    {
        AnalysisRecord rec;
        QtDialogs dialogs;
        StartWindow start(rec, dialogs, kOptions);
        start.endProgram = [] {};
        start.show();
        QVERIFY(QTest::qWaitForWindowActive(&start));

        // Tab leads to the module entry; Enter opens the main window.
        QWidget* entry = child<QWidget>(&start, "Label8");
        for (int i = 0; i < 40 && QApplication::focusWidget() != entry; ++i)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &start, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), entry);
        QTest::keyClick(entry, Qt::Key_Return);
        MainWindow* main = start.mainWindow();
        QVERIFY(main && start.isVisible()); // beside the start window
        QTest::keyClick(entry, Qt::Key_Return); // again: the same window
        QCOMPARE(start.mainWindow(), main);
        QVERIFY(QTest::qWaitForWindowActive(main));

        ModalScript script;
        script.then("DataManagerWindow", [](QWidget* m) {
            QTest::keyClick(m, Qt::Key_D, Qt::AltModifier); // "Datentyp"
            QTRY_VERIFY(QApplication::activePopupWidget());
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_E); // "Einzelne Werte"
        });
        script.then("RangeDialog", [](QWidget* d) { type(d, "A2:A15"); });
        script.then("InputBox", [](QWidget* d) { type(d, "Atlantik"); });
        // The second sample marked in the workbook window: B2, then Enter.
        script.then("RangeDialog", [](QWidget*) {
            QTableView* table = workbookWindow()->table(workbookWindow()->frontSheet());
            table->setCurrentIndex(table->model()->index(0, 0));
            QTest::keyClick(table, Qt::Key_Right);
            QTest::keyClick(table, Qt::Key_Down);
            QTest::keyClick(table, Qt::Key_Return);
        });
        script.then("InputBox", [](QWidget* d) { type(d, "Pazifik"); });
        script.then("MessageBox", [](QWidget* box) { QTest::keyClick(box, Qt::Key_J, Qt::AltModifier); }); // "Ja"
        QTest::keyClick(main, Qt::Key_D, Qt::AltModifier); // "DATEN: Eingabe"
        QTRY_VERIFY2(script.done(), qPrintable("still waiting for " + script.pending()));
        QCOMPARE(rec.AnzahlWerte[1], Integer(14));
        QCOMPARE(rec.AnzahlWerte[2], Integer(12));
        QCOMPARE(rec.Bezeichnung[2], std::string("Pazifik"));

        // "Wahl des TESTS", the MEDIAN test (the last entry), two-sided. (The
        // offscreen platform does not hand activation back by itself.)
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main));
        QTest::keyClick(main, Qt::Key_W, Qt::AltModifier); // a mnemonic clicks after a short animation
        QTRY_VERIFY(child<QWidget>(main, "List1")->isEnabled());
        // The first key picks the first entry, End then the last.
        QTest::keyClick(child<QWidget>(main, "List1"), Qt::Key_End);
        QTest::keyClick(child<QWidget>(main, "List1"), Qt::Key_End);
        QCOMPARE(rec.TestName, std::string("MEDIAN-TEST"));
        QTest::keyClick(child<QWidget>(main, "List5"), Qt::Key_Down);
        QCOMPARE(rec.HaWahl, std::string("N"));

        // "Ergebnisse", the level typed; "Weiter" closes the report.
        script.then("InputBox", [](QWidget* d) { type(d, "5"); });
        QTest::keyClick(main, Qt::Key_R, Qt::AltModifier);
        QTRY_VERIFY(main->resultsWindow() && main->resultsWindow()->isVisible());
        QVERIFY(main->resultsWindow()->reportText().contains("Chi²-Wert (berechnet)"));
        QCOMPARE(main->resultsWindow()->windowHandle()->transientParent(), main->windowHandle()); // kept above it
        QVERIFY(QTest::qWaitForWindowActive(main->resultsWindow()));
        QTest::keyClick(main->resultsWindow(), Qt::Key_W, Qt::AltModifier);
        QTRY_VERIFY(!main->resultsWindow());
    }

    // Esc answers a Ja/Nein question with "Nein", Enter with "Ja".
    void yesNoByKey()
    {
        const std::tuple<Qt::Key, Qt::KeyboardModifiers, bool> keys[] = { { Qt::Key_Escape, {}, false },
            { Qt::Key_Return, {}, true }, { Qt::Key_N, Qt::AltModifier, false } };
        for (const auto& [key, modifiers, yes] : keys) {
            QtDialogs dialogs;
            ModalScript script;
            script.then("MessageBox", [key, modifiers](QWidget* box) { QTest::keyClick(box, key, modifiers); });
            QCOMPARE(dialogs.AskYesNo("Weiter?", "Bitte bestätigen Sie"), yes);
            QVERIFY(script.done());
        }
    }

    // Each module in order, its description shown when its option is chosen.
    void catalogueMessagesAndEnd()
    {
        AnalysisRecord rec;
        ScriptedDialogs dialogs = QtScriptedDialogs();
        StartWindow start(rec, dialogs, kOptions);
        start.show();
        QVERIFY(QTest::qWaitForWindowExposed(&start));
        const auto text = [&](const char* name) { return child<QPlainTextEdit>(&start, name)->toPlainText(); };
        const auto visible = [&](const char* name) { return child<QWidget>(&start, name)->isVisible(); };
        QVERIFY(visible("Image1") && !visible("Text1") && !visible("Text2"));
        int lastTop = -1;
        for (const ModuleEntry& m : ModuleCatalogue()) {
            auto* option = child<QRadioButton>(&start, m.control.c_str());
            QCOMPARE(option->text(), QString::fromStdString(m.caption));
            QVERIFY2(option->y() > lastTop, m.control.c_str());
            lastTop = option->y();
            QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
            QVERIFY(visible("Text2") && !visible("Image1"));
            QCOMPARE(text("Text2").section('\n', 0, 0), QString::fromStdString(m.heading));
        }
        // "Warum Zerantix" in place of the description.
        click(&start, "CmdWarum");
        QVERIFY(visible("Text1") && !visible("Text2") && !visible("Image1"));
        QVERIFY(text("Text1").count('\n') >= 18);
        // "Inhalt" and "Info" each answer with a message; "Ende" ends.
        click(&start, "CmdInhalt");
        click(&start, "CmdInfo");
        QCOMPARE(dialogs.shown().size(), std::size_t(2));
        int endCalls = 0;
        start.endProgram = [&] { ++endCalls; };
        click(&start, "CmdEnde");
        QCOMPARE(endCalls, 1);
    }
};

QTEST_MAIN(TestStartWindow)
#include "StartWindowTest.moc"
