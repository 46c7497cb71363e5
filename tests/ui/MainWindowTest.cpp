// The main window driven like a user drives it: clicks on buttons and list
// items, answers from a script, the analysis record seeded where an earlier
// step would have filled it. What the buttons and lists offer in each phase,
// and which window each choice opens.
#include "ui/CheckDialog.h"
#include "ui/CheckResultsWindow.h"
#include "ui/DistributionShapeNotice.h"
#include "ui/ResultsWindow.h"
#include "workflow/TestChoice.h"
#include "WindowTest.h"
#include "Samples.h"

#include <QCheckBox>
#include <QScreen>
#include <QTemporaryDir>

#include <numeric>

using namespace zx;
using namespace zx::test;
using Kind = ScriptedDialogs::Kind;

namespace {

// Samples 11, 12, ... and 101, 102, ...
void seed(AnalysisRecord& r, int n, int m)
{
    std::vector<double> values(std::max(n, m));
    std::iota(values.begin(), values.end(), 11);
    SetSingleValues(r, 1, { values.begin(), values.begin() + n });
    std::iota(values.begin(), values.end(), 101);
    SetSingleValues(r, 2, { values.begin(), values.begin() + m });
}

} // namespace

class TestMainWindow : public QObject, MainWindowSession {
    Q_OBJECT


    ClickList* list(const char* name) { return child<ClickList>(form.get(), name); }
    QPushButton* button(const char* name) { return child<QPushButton>(form.get(), name); }
    bool listsWait()
    {
        for (const char* l : { "List1", "List2", "List3", "List5" })
            if (list(l)->isEnabled())
                return false;
        return true;
    }

    // "Wahl des TESTS" for a seeded record.
    void toTestChoice(int datentyp, int n = 10, int m = 10)
    {
        if (rec->Datentyp == 0)
            seed(*rec, n, m);
        rec->Datentyp = static_cast<Integer>(datentyp);
        form->CmdTestWahl_Click();
    }

    // The t-test, two-sided, "ja" in the check dialog and its entry at `entry`.
    void runCheck(int entry, const char* level)
    {
        clickItem(list("List1"), 0);
        clickItem(list("List5"), 0);
        QTest::mouseClick(child<QCheckBox>(form->checkDialog(), "Check1"), Qt::LeftButton);
        dialogs->input(level);
        clickItem(child<ClickList>(form->checkDialog(), "List1"), entry);
    }

private slots:
    void init() { start(); }
    void cleanup() { finish(); }

    void afterLoadOnlyInputAndEndReact()
    {
        // The buttons form a column at the screen's right edge.
        const QRect screen = form->screen()->availableGeometry();
        for (const QString& name : kButtons) {
            const QRect b = form->findChild<QPushButton*>(name)->geometry();
            QCOMPARE(b.x(), button("CmdEingabe")->x());
            QVERIFY(b.x() > screen.width() * 3 / 4 && b.right() < screen.width());
        }
        QCOMPARE(enabledButtons(form.get()), QString("Eingabe Ende"));
        QVERIFY(listsWait());
        for (const char* hidden : { "List4", "List6", "Shape5" })
            QVERIFY(child<QWidget>(form.get(), hidden)->isHidden());
        int endCalls = 0;
        form->endProgram = [&] { ++endCalls; };
        click(form.get(), "CmdEnde");
        QCOMPARE(endCalls, 1);
    }

    // A reading that failed opens the manager again without a question; a
    // new input closes the check dialog of the earlier data.
    void failedReadingOpensTheManagerAgain()
    {
        toTestChoice(1);
        clickItem(list("List1"), 0);
        clickItem(list("List5"), 0);
        QVERIFY(form->checkDialog());
        QStringList outcomes { "UNENDE", "", "ENDE" };
        form->runDataManager = [&] {
            rec->Datentyp = 3;
            rec->TestName = outcomes.takeFirst().toStdString();
        };
        dialogs->yesNo(true);
        form->CmdEingabe_Click();
        QVERIFY(!form->checkDialog());
        QCOMPARE(outcomes.size(), 1);
        QCOMPARE(dialogs->shown(Kind::YesNo).size(), std::size_t(1));
        QCOMPARE(enabledButtons(form.get()), QString("NeuStart TestWahl Ende"));
        click(form.get(), "CmdNeuStart");
        QVERIFY(outcomes.isEmpty());
        QCOMPARE(enabledButtons(form.get()), QString("Eingabe NeuStart Ende"));
    }

    // "Wahl des TESTS" for each data type: the list it offers and, under
    // "Weitere Tests", the variance comparison. Every entry of the list: the
    // test it names and what the two-sided hypothesis opens (C check dialog,
    // U notice on the distribution's shape, - nothing, W the WEIR test's
    // check dialog at once).
    void testChoice_data()
    {
        QTest::addColumn<int>("datentyp");
        QTest::addColumn<QString>("offered");
        QTest::addColumn<QString>("opens");
        QTest::addColumn<QString>("varianceList");
        QTest::newRow("einzelne Werte") << 1 << "List1" << "CCCWU-" << "List6";
        QTest::newRow("Klassengruppen") << 2 << "List2" << "CCCW" << "List6";
        QTest::newRow("Xquer-S-N") << 3 << "List2" << "CCCW" << "";
        QTest::newRow("Wertepaare") << 4 << "List3" << "C--" << "List4";
    }

    void testChoice()
    {
        QFETCH(int, datentyp);
        QFETCH(QString, offered);
        QFETCH(QString, opens);
        QFETCH(QString, varianceList);
        rec->NormPruef = "N";
        rec->VarPruef = "J";
        toTestChoice(datentyp);
        QCOMPARE(child<QLabel>(form.get(), "Label6")->text(), QString(DataTypeLine(datentyp)));
        for (const char* l : { "List1", "List2", "List3" })
            QCOMPARE(list(l)->isEnabled(), offered == l);
        QVERIFY(!list("List5")->isEnabled());
        QCOMPARE(rec->NormPruef + rec->VarPruef, std::string("  "));
        QCOMPARE(enabledButtons(form.get()), varianceList.isEmpty() ? QString("Ende") : QString("ZusatzTest Ende"));

        ClickList* tests = list(offered.toLatin1());
        QCOMPARE(tests->count(), opens.size());
        for (int row = 0; row < tests->count(); ++row) {
            rec->HaWahl = "J2";
            clickItem(tests, row);
            const QString entry = tests->item(row)->text().simplified().toUpper();
            QCOMPARE(QString::fromStdString(rec->TestName).toUpper().left(12), entry.left(12));
            if (opens[row] == 'W') {
                // Two-sided at 5 %, checked at once; no hypothesis to choose.
                QCOMPARE(rec->HaWahl, std::string("N"));
                QCOMPARE(rec->ErgText[1], std::string("Bei einer Irrtumswahrscheinlichkeit von 5% "));
                QVERIFY(!list("List5")->isEnabled());
                clickItem(list("List5"), 1);
                QCOMPARE(rec->HaWahl, std::string("N"));
            } else {
                QVERIFY(!form->checkDialog());
                clickItem(list("List5"), 0);
            }
            QVERIFY(button("CmdErgebnisse")->isEnabled());
            QCOMPARE(form->checkDialog() != nullptr, opens[row] == 'C' || opens[row] == 'W');
            QCOMPARE(form->shapeNotice() != nullptr, opens[row] == 'U');
        }
        if (varianceList.isEmpty())
            return;
        click(form.get(), "CmdZusatzTest");
        QVERIFY(!tests->isEnabled());
        QCOMPARE(list("List4")->isEnabled(), varianceList == "List4");
        QCOMPARE(list("List6")->isEnabled(), varianceList == "List6");
        // Its check on a page of its own, from which nothing leads to "Ergebnisse".
        dialogs->input("5");
        clickItem(list(varianceList.toLatin1()), 0);
        QVERIFY(form->checkResultsWindow()->reportText().contains("PRÜFUNG AUF GLEICHHEIT DER VARIANZEN"));
        QVERIFY(!child<QPushButton>(form->checkResultsWindow(), "CmdWeiter")->isEnabled());
        QCOMPARE(enabledButtons(form.get()), QString("TestWahl Ende"));
        QVERIFY(!list("List5")->isEnabled() && list("List4")->isHidden());
    }

    void testChoiceStoppedByTheGuardOffersNoTest()
    {
        seed(*rec, 5, 4);
        rec->Werte(1, 1) = 1e200; // only a record filled past the input can hold this
        toTestChoice(1);
        QCOMPARE(dialogs->shown().at(0).text, std::string("Error =  6 Überlauf (overflow). Weiter mit OK"));
        QVERIFY(!list("List1")->isEnabled());
    }

    void aClickInATestListClearsTheOthers()
    {
        toTestChoice(1);
        list("List2")->setListIndex(1);
        list("List3")->setListIndex(2);
        list("List1")->setListIndex(0);
        QVERIFY2(rec->TestName.empty(), "a change by the program is no click");
        list("List1")->setFocus();
        QTest::keyClick(list("List1"), Qt::Key_Down); // the keyboard clicks too
        QCOMPARE(rec->TestName, std::string("WELCH-TEST"));
        QCOMPARE(list("List2")->ListIndex(), -1);
        QCOMPARE(list("List3")->ListIndex(), -1);
        // The user cannot take the pick back.
        const QRect r = list("List1")->visualItemRect(list("List1")->item(1));
        QTest::mouseClick(list("List1")->viewport(), Qt::LeftButton, Qt::ControlModifier, r.center());
        QTest::mouseClick(list("List1")->viewport(), Qt::LeftButton, {}, QPoint(5, list("List1")->viewport()->height() - 3));
        QCOMPARE(list("List1")->ListIndex(), 1);
    }

    void aTestThatRefusesItsDataOffersANewStart()
    {
        // Paired differences all equal: the paired t-test has no standard
        // deviation to divide by.
        seed(*rec, 4, 4);
        for (int i = 1; i <= 4; ++i) {
            rec->Werte(i, 2) = rec->Werte(i, 1) - 3;
            rec->Differenzen[static_cast<std::size_t>(i)] = 3;
        }
        toTestChoice(4);
        clickItem(list("List3"), 0);
        clickItem(list("List5"), 0);
        dialogs->input("5");
        click(form.get(), "CmdErgebnisse");
        QCOMPARE(dialogs->shown(Kind::Message).size(), std::size_t(1));
        QVERIFY(!form->resultsWindow());
        QCOMPARE(enabledButtons(form.get()), QString("NeuStart TestWahl Ende"));
        QVERIFY(listsWait());
    }

    // A sample the chosen check cannot judge: the dialog is offered again,
    // and "nein" there leaves nothing checked. A failed check then shows its
    // advice, on paper too, until its page is left.
    void refusedDeclinedThenFailedCheck()
    {
        seed(*rec, 51, 10);
        for (int i = 1; i <= 10; ++i)
            rec->Werte(i, 2) = i <= 5 ? 0 : 10; // R/s = 1.90, below DAVID's 2.67
        toTestChoice(1);
        runCheck(1, "5"); // SHAPIRO-WILK takes at most 50 values
        QCOMPARE(dialogs->shown(Kind::Message).back().text,
            std::string("Stichprobe zu groß/klein: Test nicht möglich. Wählen Sie den KS- oder DAVID-Test aus."));
        CheckDialog* again = form->checkDialog();
        QVERIFY(again && again->isVisible() && !form->checkResultsWindow());
        QVERIFY(!child<QCheckBox>(again, "Check1")->isChecked() && !child<ClickList>(again, "List1")->isEnabled());
        rec->NormPruef = rec->VarPruef = "J";
        QTest::mouseClick(child<QCheckBox>(again, "Check2"), Qt::LeftButton);
        QTRY_VERIFY(!form->checkDialog());
        QCOMPARE(rec->NormPruef + rec->VarPruef, std::string("  "));

        runCheck(2, "5");
        CheckResultsWindow* shown = form->checkResultsWindow();
        QVERIFY(shown && shown->isVisible());
        QCOMPARE(shown->shownAdvice(), QString("Text1"));
        QVERIFY(!button("CmdTestWahl")->isEnabled());
        QTemporaryDir tmp;
        shown->printTarget = PdfTarget(tmp.filePath("p.pdf"));
        click(shown, "CmdDruck");
        QVERIFY(PdfText(tmp.filePath("p.pdf")).simplified().contains("Es wird zumindest annährend"));
        click(shown, "CmdWeiter"); // no variance page after a failed normality test
        QTRY_VERIFY(!form->checkResultsWindow());
        QVERIFY(button("CmdTestWahl")->isEnabled());
    }
};

QTEST_MAIN(TestMainWindow)
#include "MainWindowTest.moc"
