// The data input through the real windows, as a user goes through it: the
// main window, the manager and its menu, the workbook window in which cells
// are marked with the mouse, the range question, the names, the confirmation.
#include "WindowTest.h"

#include <QFileDialog>
#include <QTableView>
#include <QWindow>

using namespace zx;
using namespace zx::test;
using Kind = ScriptedDialogs::Kind;

namespace {

// A click on a cell of the front sheet; with Shift it extends the marked range.
void clickCell(const char* a1, Qt::KeyboardModifiers modifiers = {})
{
    WorkbookWindow* ww = workbookWindow();
    QVERIFY(ww);
    QTableView* view = ww->table(ww->frontSheet());
    const auto p = ParseA1(a1);
    const QRect r = view->visualRect(view->model()->index(p->row, p->column));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, r.center());
}

} // namespace

class TestDataInputFlow : public QObject, MainWindowSession {
    Q_OBJECT


private slots:
    void init() { start(); }
    void cleanup() { finish(); }

    void samplesMarkedWithTheMouse()
    {
        QString firstReference;
        ModalScript script;
        script.then("DataManagerWindow", [this](QWidget* m) {
            // While the manager runs, nothing else on the main window works;
            // the input runs on its stack, so it cannot be closed.
            for (const QString& name : kButtons)
                QVERIFY2(form->findChild<QPushButton*>(name)->isHidden(), qPrintable(name));
            QVERIFY(!form->isEnabled() && !form->close());
            menu(m, "mnuEinzel");
        });
        script.then("RangeDialog", [](QWidget* d) {
            QTest::mouseClick(d->findChild<QPushButton*>("Abbrechen"), Qt::LeftButton);
        });
        // The manager stays open for another choice.
        script.then("DataManagerWindow", [](QWidget* m) { menu(m, "mnuEinzel"); });
        script.then("RangeDialog", [&](QWidget* d) {
            clickCell("A2");
            clickCell("A15", Qt::ShiftModifier);
            firstReference = d->findChild<QLineEdit*>("Reference")->text();
            answerRange(d, "");
        });
        // A typed reference: only the first cell, the reading goes on below.
        script.then("RangeDialog", [](QWidget* d) { answerRange(d, "b2"); });
        dialogs->input("Atlantik").input("Pazifik").yesNo(true);
        click(form.get(), "CmdEingabe");
        QVERIFY2(script.done(), qPrintable("still waiting for " + script.pending()));
        QCOMPARE(firstReference, QString("$A$2:$A$15"));
        QCOMPARE(rec->AnzahlWerte[1], Integer(14));
        QCOMPARE(rec->Werte(12, 2), 23.7);
        QCOMPARE(rec->Bezeichnung[1] + rec->Bezeichnung[2], std::string("AtlantikPazifik"));
        QVERIFY(dialogs->shown(Kind::YesNo).at(0).text.find("n= 14\r\n 24.3 25.1 23.8 26 ...") != std::string::npos);
        QVERIFY(!workbookWindow()); // the workbook window closes with the manager
        QCOMPARE(enabledButtons(form.get()), QString("NeuStart TestWahl ZusatzTest Ende"));
        QVERIFY(form->isEnabled());
    }

    void aWrongReferenceIsRefusedInTheQuestion()
    {
        ModalScript script;
        script.then("DataManagerWindow", [](QWidget* m) { menu(m, "mnuXquerSN"); });
        script.then("RangeDialog", [this](QWidget* d) {
            // Each window belongs to the one a window manager keeps it above:
            // question > workbook > manager > main window.
            const QWidget* manager = QApplication::activeModalWidget();
            QCOMPARE(manager->objectName(), QString("DataManagerWindow"));
            QCOMPARE(d->windowHandle()->transientParent(), workbookWindow()->windowHandle());
            QCOMPARE(workbookWindow()->windowHandle()->transientParent(), manager->windowHandle());
            QCOMPARE(manager->windowHandle()->transientParent(), form->windowHandle());
            answerRange(d, "J2:"); // refused: the question stays, grown with its hint
            QVERIFY(d->isVisible());
            QVERIFY(d->findChild<QLabel*>("Problem")->isVisible());
            for (const QLabel* label : d->findChildren<QLabel*>()) {
                const int needed = label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
                QVERIFY2(label->height() >= needed, qPrintable(label->text()));
            }
            d->findChild<QLineEdit*>("Reference")->clear();
            answerRange(d, "J2:J6");
        });
        script.then("RangeDialog", [](QWidget* d) { answerRange(d, "$K$2:$K$6"); });
        script.then("DataManagerWindow", [](QWidget* m) { m->close(); });
        dialogs->input("").input("").yesNo(false);
        click(form.get(), "CmdEingabe");
        QVERIFY2(script.done(), qPrintable("still waiting for " + script.pending()));
        // "Nein": the input starts over, and closing the manager cancels it.
        QCOMPARE(rec->TestName, std::string("ENDE"));
        QCOMPARE(rec->Datentyp, Integer(3)); // the last complete reading stays in the record
        QCOMPARE(enabledButtons(form.get()), QString("Eingabe Ende"));
    }

    // Closing the manager while the range question is open ends the input
    // (it used to drop the workbook under the running reading).
    void closingTheManagerDuringTheQuestion()
    {
        ModalScript script;
        script.then("DataManagerWindow", [](QWidget* m) { menu(m, "mnuEinzel"); });
        script.then("RangeDialog", [](QWidget*) {
            QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        });
        click(form.get(), "CmdEingabe");
        QTRY_VERIFY2(script.done(), qPrintable("still waiting for " + script.pending()));
        QCOMPARE(rec->TestName, std::string("ENDE"));
        QCOMPARE(rec->Datentyp, Integer(0));
        QVERIFY(!workbookWindow());
        QVERIFY(child<QPushButton>(form.get(), "CmdEingabe")->isEnabled());
    }

    void anotherWorkbookFromTheManagersMenu()
    {
        QString shownFile;
        ModalScript script;
        // The file dialog runs inside the menu command; then the reading.
        script.then("DataManagerWindow", [&](QWidget* m) {
            menu(m, "mnuOeffnen");
            shownFile = workbookWindow()->windowTitle();
            menu(m, "mnuWertepaare");
        });
        script.then("FileDialog", [](QWidget* d) {
            auto* dialog = static_cast<QFileDialog*>(d);
            // The dialog starts in the program folder and offers the workbook
            // formats; the user types a name and presses Enter. (A failed
            // check leaves the dialog open: the test then runs into its time-out.)
            QCOMPARE(QDir(dialog->directory()).absolutePath(), QDir(ZX_EXAMPLES_DIR).absolutePath());
            QVERIFY(dialog->nameFilters().first().contains("*.ods"));
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            QVERIFY(name);
            name->setText("blatt.csv");
            QTest::keyClick(name, Qt::Key_Return);
        });
        script.then("RangeDialog", [](QWidget* d) { answerRange(d, "M2"); });
        dialogs->input("").yesNo(true);
        click(form.get(), "CmdEingabe");
        QVERIFY2(script.done(), qPrintable("still waiting for " + script.pending()));
        QCOMPARE(shownFile, QString("Arbeitsmappe - blatt.csv"));
        QCOMPARE(rec->AnzahlWerte[1], Integer(12));
        QCOMPARE(rec->Werte(12, 2), 150.0);
    }
};

QTEST_MAIN(TestDataInputFlow)
#include "DataInputFlowTest.moc"
