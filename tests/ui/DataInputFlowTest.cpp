// The data input through the real windows, as a user goes through it: the
// main window, the manager and its menu, the workbook window in which cells
// are marked with the mouse, the range question, the names, the confirmation.
#include "core/AnalysisRecord.h"
#include "core/NumberText.h"
#include "ui/Controls.h"
#include "ui/DataManagerWindow.h"
#include "ui/MainWindow.h"
#include "MainWindowSession.h"
#include "QtTestSupport.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <memory>

using namespace zx;
using zx::test::child;
using zx::test::ModalScript;
using Kind = zx::test::ScriptedDialogs::Kind;

namespace {

WorkbookWindow* workbookWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* ww = qobject_cast<WorkbookWindow*>(w); ww && ww->isVisible())
            return ww;
    return nullptr;
}

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

void pressOk(QWidget* dialog) { QTest::mouseClick(dialog->findChild<QPushButton*>("OK"), Qt::LeftButton); }

void menu(QWidget* manager, const char* action)
{
    manager->findChild<QAction*>(action)->trigger();
}

} // namespace

class TestDataInputFlow : public QObject {
    Q_OBJECT

    zx::test::MainWindowSession session;
    std::unique_ptr<AnalysisRecord>& rec = session.rec;
    std::unique_ptr<zx::test::ScriptedDialogs>& dialogs = session.dialogs;
    std::unique_ptr<MainWindow>& form = session.form;

private slots:
    void init() { session.start(); }
    void cleanup() { session.finish(); }

    void singleValuesFromTheExampleWorkbook()
    {
        QString firstReference;
        ModalScript script;
        script.then("DataManagerWindow", [](QWidget* m) { menu(m, "mnuEinzel"); });
        script.then("RangeDialog", [&](QWidget* d) {
            clickCell("A2");
            clickCell("A15", Qt::ShiftModifier);
            firstReference = d->findChild<QLineEdit*>("Reference")->text();
            pressOk(d);
        });
        script.then("RangeDialog", [](QWidget* d) {
            // A typed reference: only the first cell, the reading goes on below.
            QTest::keyClicks(d->findChild<QLineEdit*>("Reference"), "b2");
            pressOk(d);
        });
        dialogs->input("Atlantik").input("Pazifik").yesNo(true);

        zx::test::click(form.get(), "CmdEingabe");

        QVERIFY2(script.done(), qPrintable("still waiting for " + script.pending()));
        QCOMPARE(firstReference, QString("$A$2:$A$15"));
        QCOMPARE(rec->Datentyp, Integer(1));
        QCOMPARE(rec->AnzahlWerte[1], Integer(14));
        QCOMPARE(rec->AnzahlWerte[2], Integer(12));
        QCOMPARE(rec->Werte(1, 1), 24.3);
        QCOMPARE(rec->Werte(12, 2), 23.7);
        QCOMPARE(rec->Bezeichnung[1], std::string("Atlantik"));
        QCOMPARE(rec->Bezeichnung[2], std::string("Pazifik"));
        QCOMPARE(dialogs->shown(Kind::YesNo).at(0).text,
            std::string("Datentyp: Einzelne Werte\rGewählt wurden folgende Stichproben:\r\r1.Stichprobe: n= 14\r\n"
                        " 24.3 25.1 23.8 26 ...\r\n\r\n2.Stichprobe: n= 12\r\n 23.1 22.8 24 23.6 ..."));
        QVERIFY(!workbookWindow()); // the workbook window closes with the manager

        // "Wahl des TESTS" is offered and computes the descriptive values.
        QVERIFY(child<QPushButton>(form.get(), "CmdTestWahl")->isEnabled());
        zx::test::click(form.get(), "CmdTestWahl");
        QVERIFY(child<ClickList>(form.get(), "List1")->isEnabled());
        QCOMPARE(rec->Umfang[1], Long(14));
        QVERIFY(std::fabs(rec->Mittelwert[2] - 23.44166666666667) < 1e-12);
    }

    void pairedValuesAndCancelInTheRangeQuestion()
    {
        ModalScript script;
        script.then("DataManagerWindow", [](QWidget* m) { menu(m, "mnuWertepaare"); });
        script.then("RangeDialog", [](QWidget* d) {
            QTest::mouseClick(d->findChild<QPushButton*>("Abbrechen"), Qt::LeftButton);
        });
        // The manager stays open for another choice.
        script.then("DataManagerWindow", [](QWidget* m) { menu(m, "mnuWertepaare"); });
        script.then("RangeDialog", [](QWidget* d) {
            clickCell("M2");
            clickCell("N13", Qt::ShiftModifier);
            pressOk(d);
        });
        dialogs->input("Blutdruck").yesNo(true);
        zx::test::click(form.get(), "CmdEingabe");
        QVERIFY2(script.done(), qPrintable("still waiting for " + script.pending()));
        QCOMPARE(rec->Datentyp, Integer(4));
        QCOMPARE(rec->AnzahlWerte[2], Integer(12));
        QCOMPARE(rec->Differenzen[1], 9.0);
        QCOMPARE(rec->Bezeichnung[1], std::string("Blutdruck"));
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
            auto* field = d->findChild<QLineEdit*>("Reference");
            QTest::keyClicks(field, "J2:");
            pressOk(d); // refused: the question stays, grown with its hint
            QVERIFY(d->isVisible());
            QVERIFY(d->findChild<QLabel*>("Problem")->isVisible());
            for (const QLabel* label : d->findChildren<QLabel*>()) {
                const int needed = label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
                QVERIFY2(label->height() >= needed, qPrintable(label->text()));
            }
            field->clear();
            QTest::keyClicks(field, "J2:J6");
            pressOk(d);
        });
        script.then("RangeDialog", [](QWidget* d) {
            QTest::keyClicks(d->findChild<QLineEdit*>("Reference"), "$K$2:$K$6");
            pressOk(d);
        });
        script.then("DataManagerWindow", [](QWidget* m) { m->close(); });
        dialogs->input("").input("").yesNo(false);
        zx::test::click(form.get(), "CmdEingabe");
        QVERIFY2(script.done(), qPrintable("still waiting for " + script.pending()));
        // "Nein": the input starts over, and closing the manager cancels it.
        QCOMPARE(rec->TestName, std::string("ENDE"));
        QCOMPARE(rec->Datentyp, Integer(3)); // the last complete reading stays in the record
        QVERIFY(child<QPushButton>(form.get(), "CmdEingabe")->isEnabled());
        QVERIFY(!child<QPushButton>(form.get(), "CmdTestWahl")->isEnabled());
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
        zx::test::click(form.get(), "CmdEingabe");
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
        script.then("RangeDialog", [](QWidget* d) {
            QTest::keyClicks(d->findChild<QLineEdit*>("Reference"), "M2");
            pressOk(d);
        });
        dialogs->input("").yesNo(true);
        zx::test::click(form.get(), "CmdEingabe");
        QVERIFY2(script.done(), qPrintable("still waiting for " + script.pending()));
        QCOMPARE(shownFile, QString("Arbeitsmappe - blatt.csv"));
        QCOMPARE(rec->AnzahlWerte[1], Integer(12));
        QCOMPARE(rec->Werte(12, 2), 150.0);
    }

    void missingWorkbookMessageThenFileDialog()
    {
        rec->Verzeichnis = "/nirgends/";
        ModalScript script;
        script.then("FileDialog", [](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
        script.then("DataManagerWindow", [](QWidget* m) { menu(m, "mnuAbbruch"); });
        zx::test::click(form.get(), "CmdEingabe");
        QVERIFY2(script.done(), qPrintable("still waiting for " + script.pending()));
        const auto shown = dialogs->shown(Kind::Message);
        QCOMPARE(shown.size(), std::size_t(1));
        QCOMPARE(shown[0].title, std::string("Fehler"));
        QCOMPARE(shown[0].text, std::string("Error = Die Datei \u201E/nirgends/blatt.xls\u201C wurde nicht gefunden. 1004 "
                                            "Blatt.xls in Zerantix-Verzeichnis kopieren. Weiter mit OK."));
        QCOMPARE(rec->TestName, std::string("ENDE"));
    }
};

QTEST_MAIN(TestDataInputFlow)
#include "DataInputFlowTest.moc"
