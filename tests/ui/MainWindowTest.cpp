// The main window driven like a user drives it: clicks on buttons and list
// items, answers from a script, the analysis record seeded where an earlier
// step would have filled it.
#include "core/AnalysisRecord.h"
#include "core/NumberText.h"
#include "ui/CheckDialog.h"
#include "ui/CheckResultsWindow.h"
#include "ui/Controls.h"
#include "ui/DistributionShapeNotice.h"
#include "ui/MainWindow.h"
#include "ui/ResultsWindow.h"
#include "QtTestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>

#include <memory>

using namespace zx;
using zx::test::child;
using zx::test::clickItem;
using Kind = zx::test::ScriptedDialogs::Kind;

namespace {

const QStringList kButtons = { "CmdEingabe", "CmdNeuStart", "CmdTestWahl", "CmdZusatzTest", "CmdErgebnisse",
    "CmdDeskriptive", "CmdGraphik", "CmdEnde" };

QStringList enabledButtons(QWidget* form)
{
    QStringList on;
    for (const QString& name : kButtons)
        if (form->findChild<QPushButton*>(name)->isEnabled())
            on << name;
    return on;
}

void seedSingleValues(AnalysisRecord& r, int n, int m)
{
    r.Datentyp = 1;
    r.AnzahlWerte[1] = static_cast<Integer>(n);
    r.AnzahlWerte[2] = static_cast<Integer>(m);
    for (int i = 1; i <= n; ++i) {
        r.Werte(i, 1) = 10 + i;
        r.Haeufigkeit(i, 1) = 1;
    }
    for (int i = 1; i <= m; ++i) {
        r.Werte(i, 2) = 100 + i;
        r.Haeufigkeit(i, 2) = 1;
    }
    r.Bezeichnung[1] = "ATLANTIK";
    r.Bezeichnung[2] = "PAZIFIK";
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AnalysisRecord> rec;
    std::unique_ptr<zx::test::ScriptedDialogs> dialogs;
    std::unique_ptr<MainWindow> form;
    int endCalls = 0;

    ClickList* list(const char* name) { return child<ClickList>(form.get(), name); }
    QPushButton* button(const char* name) { return child<QPushButton>(form.get(), name); }

    // The main window after "Wahl des TESTS" for a seeded record.
    void toTestChoice(int datentyp)
    {
        if (rec->Datentyp == 0)
            seedSingleValues(*rec, 10, 10);
        rec->Datentyp = static_cast<Integer>(datentyp);
        form->CmdTestWahl_Click();
    }

private slots:
    void init()
    {
        SetDecimalSeparator(',');
        rec = std::make_unique<AnalysisRecord>();
        dialogs = std::make_unique<zx::test::ScriptedDialogs>(zx::test::QtScriptedDialogs());
        form = std::make_unique<MainWindow>(*rec, *dialogs);
        endCalls = 0;
        form->endProgram = [this] { ++endCalls; };
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    void cleanup()
    {
        QCOMPARE(dialogs->pendingAnswers(), std::size_t(0));
        form.reset();
    }

    void captionsAndLists()
    {
        QCOMPARE(form->windowTitle(), QString("KAPA21"));
        QCOMPARE(child<QLabel>(form.get(), "Label1")->text(), QString("Vergleich zweier Stichproben"));
        QCOMPARE(child<QLabel>(form.get(), "Label7")->text(), QString("Wahl der ALTERNATIV-Hypothese"));
        QCOMPARE(list("List1")->count(), 6);
        QCOMPARE(list("List1")->item(0)->text(), QString::fromUtf8("  t-Test für Zweistichpr."));
        QCOMPARE(list("List2")->count(), 4);
        QCOMPARE(list("List3")->item(2)->text(), QString("  VORZEICHEN-Test"));
        QCOMPARE(list("List4")->item(0)->text(), QString::fromUtf8("  t-Test Varianzvgl.  Abhängige Stichproben"));
        QCOMPARE(list("List6")->item(0)->text(), QString::fromUtf8("  F-Test Varianzvgl.Unabhängige Stichproben"));
        QCOMPARE(list("List5")->item(0)->text(), QString::fromUtf8("  Zweiseitiger Test    (µ1 <>  µ2) "));
        QCOMPARE(list("List5")->item(2)->text(), QString::fromUtf8("  Einseitiger Test      (µ1  >  µ2)"));
        QCOMPARE(rec->CrLf, std::string("\r\n"));
    }

    void buttonsFormAColumnAtTheScreensRightEdge()
    {
        const int sw = form->screen()->availableGeometry().width();
        const int left = sw - Twips(form.get(), 1900) - sw / 50;
        for (const QString& name : kButtons)
            QCOMPARE(form->findChild<QPushButton*>(name)->x(), left);
        QCOMPARE(child<QFrame>(form.get(), "Shape2")->x(), sw - Twips(form.get(), 2000) - sw / 50);
    }

    void afterLoadOnlyInputAndEndReact()
    {
        QCOMPARE(enabledButtons(form.get()), QStringList({ "CmdEingabe", "CmdEnde" }));
        for (const char* l : { "List1", "List2", "List3", "List5" })
            QVERIFY(!list(l)->isEnabled());
        QVERIFY(list("List4")->isHidden());
        QVERIFY(list("List6")->isHidden());
        QVERIFY(child<QFrame>(form.get(), "Shape5")->isHidden());

        // Clicks on everything else change nothing.
        for (const char* b : { "CmdNeuStart", "CmdTestWahl", "CmdZusatzTest", "CmdErgebnisse", "CmdDeskriptive", "CmdGraphik" })
            zx::test::click(form.get(), b);
        clickItem(list("List1"), 0);
        clickItem(list("List5"), 0);
        QVERIFY(rec->TestName.empty());
        QVERIFY(rec->HaWahl.empty());
        QVERIFY(rec->NormPruef.empty());
        QCOMPARE(enabledButtons(form.get()), QStringList({ "CmdEingabe", "CmdEnde" }));
        QVERIFY(dialogs->shown().empty());

        zx::test::click(form.get(), "CmdEnde");
        QCOMPARE(endCalls, 1);
    }

    void testChoiceOffersTheListOfTheDataType_data()
    {
        QTest::addColumn<int>("datentyp");
        QTest::addColumn<QString>("offered");
        QTest::addColumn<bool>("moreTests");
        QTest::addColumn<QString>("line");
        QTest::newRow("einzelne Werte") << 1 << "List1" << true << "Datentyp: Einzelne Werte";
        QTest::newRow("Klassengruppen") << 2 << "List2" << true << "Datentyp: Klassengruppen (Klassenmitte)";
        QTest::newRow("Xquer-S-N") << 3 << "List2" << false << "Datentyp: XQUER/STANDARDABWEICHUNG/UMFANG";
        QTest::newRow("Wertepaare") << 4 << "List3" << true << "Datentyp: Verbunden / Wertepaare";
    }

    void testChoiceOffersTheListOfTheDataType()
    {
        QFETCH(int, datentyp);
        QFETCH(QString, offered);
        QFETCH(bool, moreTests);
        QFETCH(QString, line);
        rec->NormPruef = "N";
        rec->VarPruef = "J";
        toTestChoice(datentyp);
        for (const char* l : { "List1", "List2", "List3" })
            QCOMPARE(list(l)->isEnabled(), offered == l);
        QVERIFY(!list("List5")->isEnabled());
        QCOMPARE(rec->NormPruef, std::string(" "));
        QCOMPARE(rec->VarPruef, std::string(" "));
        QCOMPARE(child<QLabel>(form.get(), "Label6")->text(), line);
        QStringList expected = { "CmdEnde" };
        if (moreTests)
            expected.prepend("CmdZusatzTest");
        QCOMPARE(enabledButtons(form.get()), expected);
    }

    void testChoiceComputesTheDescriptiveValues()
    {
        seedSingleValues(*rec, 5, 4); // 11..15 and 101..104
        toTestChoice(1);
        QCOMPARE(rec->Mittelwert[1], 13.0);
        QCOMPARE(rec->Mittelwert[2], 102.5);
        QCOMPARE(rec->Umfang[2], Long(4));
        QCOMPARE(rec->Median[1], Variant(13.0));
        QCOMPARE(rec->Minimum[2], 101.0f);
        QCOMPARE(rec->SortWerte(4, 4), Variant(104.0));
        QVERIFY(dialogs->shown().empty());
    }

    void testChoiceOfPairedValuesDescribesTheDifferences()
    {
        seedSingleValues(*rec, 4, 4);
        rec->Datentyp = 4;
        const double second[] = { 9, 13, 12, 20 }; // differences 2, -1, 1, -6
        for (int i = 1; i <= 4; ++i) {
            rec->Werte(i, 2) = second[i - 1];
            rec->Differenzen[static_cast<std::size_t>(i)] = rec->Werte(i, 1) - rec->Werte(i, 2);
        }
        rec->Mittelwert[2] = -99;
        form->CmdTestWahl_Click();
        QCOMPARE(rec->Mittelwert[1], -1.0);
        QCOMPARE(rec->Minimum[1], -6.0f);
        QCOMPARE(rec->Maximum[1], 2.0f);
        QCOMPARE(rec->Median[1], Variant(0.0));
        QCOMPARE(rec->Mittelwert[2], -99.0); // only the differences are described
    }

    void testChoiceStoppedByTheGuardOffersNoTest()
    {
        seedSingleValues(*rec, 5, 4);
        rec->Werte(1, 1) = 1e200; // only a record filled past the input can hold this
        toTestChoice(1);
        QCOMPARE(dialogs->shown().at(0).text, std::string("Error =  6 Überlauf (overflow). Weiter mit OK"));
        QVERIFY(!list("List1")->isEnabled());
    }

    void testChoiceOfSummaryValuesComputesNothing()
    {
        rec->Datentyp = 3;
        rec->Mittelwert[1] = 10;
        rec->Umfang[1] = 25;
        form->CmdTestWahl_Click();
        QCOMPARE(rec->Mittelwert[1], 10.0);
        QCOMPARE(rec->Umfang[1], Long(25));
        QVERIFY(dialogs->shown().empty());
    }

    // ---- Data input and confirmation, with the manager's outcome scripted.

    void acceptedInputOffersTheTestChoice()
    {
        int runs = 0;
        form->runDataManager = [&] {
            ++runs;
            // While the manager runs, nothing else on the main window works.
            for (const QString& name : kButtons)
                QVERIFY2(form->findChild<QPushButton*>(name)->isHidden(), qPrintable(name));
            for (const char* f : { "Shape2", "Shape3", "Shape4", "Shape5" })
                QVERIFY(child<QFrame>(form.get(), f)->isHidden());
            for (const char* l : { "List1", "List2", "List3", "List5" })
                QVERIFY(!list(l)->isEnabled());
            // Everything else waits, as behind a modal window; the input runs
            // on the main window's stack, so it cannot be closed meanwhile.
            QVERIFY(!form->isEnabled());
            QVERIFY(!form->close());
            seedSingleValues(*rec, 9, 7);
            rec->Werte(1, 1) = 3.5;
            rec->TestName.clear();
        };
        dialogs->yesNo(true);
        zx::test::click(form.get(), "CmdEingabe");
        QCOMPARE(runs, 1);
        QVERIFY(form->isEnabled());
        const auto asked = dialogs->shown(Kind::YesNo);
        QCOMPARE(asked.size(), std::size_t(1));
        QCOMPARE(asked[0].title, std::string("Bitte bestätigen Sie"));
        QVERIFY(asked[0].text.starts_with("Datentyp: Einzelne Werte\rGewählt wurden folgende Stichproben:\r\r1.Stichprobe: n= 9\r\n 3.5 12 13 14 ..."));
        QCOMPARE(rec->Meldung, asked[0].text);
        QCOMPARE(enabledButtons(form.get()), QStringList({ "CmdNeuStart", "CmdTestWahl", "CmdZusatzTest", "CmdEnde" }));
        for (const QString& name : kButtons)
            QVERIFY(form->findChild<QPushButton*>(name)->isVisible());
        for (const char* f : { "Shape2", "Shape3", "Shape4" })
            QVERIFY(child<QFrame>(form.get(), f)->isVisible());
        QVERIFY(!list("List1")->isEnabled());
        zx::test::click(form.get(), "CmdTestWahl");
        QVERIFY(list("List1")->isEnabled());
    }

    void answeringNoRepeatsTheInputAndYesFillsTheDifferences()
    {
        int runs = 0;
        form->runDataManager = [&] {
            ++runs;
            rec->Datentyp = 4;
            rec->AnzahlWerte[1] = rec->AnzahlWerte[2] = 3;
            for (int i = 1; i <= 3; ++i) {
                rec->Werte(i, 1) = 10 * i + runs;
                rec->Werte(i, 2) = i;
            }
            rec->TestName.clear();
        };
        dialogs->yesNo(false).yesNo(true);
        form->CmdEingabe_Click();
        QCOMPARE(runs, 2);
        QCOMPARE(rec->Differenzen[1], 11.0);
        QCOMPARE(rec->Differenzen[3], 29.0);
        QVERIFY(dialogs->shown(Kind::YesNo)[0].text.find("Wertepaare: n= 3\r\n 11 21 31 ...\r\n\r\n 1 2 3 ...") != std::string::npos);
    }

    void failedReadingOpensTheManagerAgainWithoutAQuestion()
    {
        int runs = 0;
        form->runDataManager = [&] {
            ++runs;
            rec->TestName = runs == 1 ? "UNENDE" : "";
            rec->Datentyp = 3;
        };
        dialogs->yesNo(true);
        form->CmdEingabe_Click();
        QCOMPARE(runs, 2);
        QCOMPARE(dialogs->shown(Kind::YesNo).size(), std::size_t(1));
        // Summary values have no additional tests, also after a cancelled input.
        QCOMPARE(enabledButtons(form.get()), QStringList({ "CmdNeuStart", "CmdTestWahl", "CmdEnde" }));
        form->runDataManager = [&] { rec->TestName = "ENDE"; };
        form->CmdNeuStart_Click();
        QVERIFY(!button("CmdZusatzTest")->isEnabled());
    }

    void cancelledInputRestoresTheMainWindow()
    {
        form->runDataManager = [&] { rec->TestName = "ENDE"; };
        form->CmdEingabe_Click();
        QCOMPARE(enabledButtons(form.get()), QStringList({ "CmdEingabe", "CmdZusatzTest", "CmdEnde" }));
        for (const QString& name : kButtons)
            QVERIFY(form->findChild<QPushButton*>(name)->isVisible());
        QVERIFY(dialogs->shown().empty());
        QVERIFY(!button("CmdTestWahl")->isEnabled());
    }

    void newStartAfterAResultRunsTheSameInput()
    {
        form->runDataManager = [&] {
            seedSingleValues(*rec, 5, 5);
            rec->TestName.clear();
        };
        dialogs->yesNo(true).yesNo(true);
        form->CmdEingabe_Click();
        QVERIFY(!button("CmdEingabe")->isEnabled());
        rec->TestName = "WELCH-TEST";
        zx::test::click(form.get(), "CmdNeuStart");
        QCOMPARE(rec->TestName, std::string());
        QCOMPARE(enabledButtons(form.get()), QStringList({ "CmdNeuStart", "CmdTestWahl", "CmdZusatzTest", "CmdEnde" }));
    }

    // ---- Ergebnisse.

    void failedCheckRefusesTheResults()
    {
        toTestChoice(1);
        clickItem(list("List1"), 0);
        clickItem(list("List5"), 0);
        rec->NormPruef = "N";
        zx::test::click(form.get(), "CmdErgebnisse");
        const auto shown = dialogs->shown(Kind::Message);
        QCOMPARE(shown.size(), std::size_t(1));
        QCOMPARE(shown[0].text, std::string("WÄHLEN SIE EINEN DER EMPFOHLENEN TESTS"));
        QCOMPARE(shown[0].title, std::string("Bitte bestätigen Sie"));
        QCOMPARE(rec->NormPruef, std::string(" "));
        QVERIFY(!button("CmdErgebnisse")->isEnabled());
        QVERIFY(!form->resultsWindow());
    }

    void aTestThatRefusesItsDataOffersANewStart()
    {
        // Paired differences that are all equal: the paired t-test has no
        // standard deviation to divide by.
        seedSingleValues(*rec, 4, 4);
        rec->Datentyp = 4;
        for (int i = 1; i <= 4; ++i) {
            rec->Werte(i, 2) = rec->Werte(i, 1) - 3;
            rec->Differenzen[static_cast<std::size_t>(i)] = 3;
        }
        form->CmdTestWahl_Click();
        clickItem(list("List3"), 0);
        clickItem(list("List5"), 0);
        dialogs->input("5");
        zx::test::click(form.get(), "CmdErgebnisse");
        QCOMPARE(rec->ErgText[0], std::string("TESTNICHTMÖGLICH"));
        QCOMPARE(dialogs->shown(Kind::Message).size(), std::size_t(1));
        QCOMPARE(dialogs->shown(Kind::Message)[0].title, std::string("Fehler"));
        QVERIFY(!form->resultsWindow());
        QCOMPARE(enabledButtons(form.get()), QStringList({ "CmdNeuStart", "CmdTestWahl", "CmdEnde" }));
        for (const char* l : { "List1", "List2", "List3", "List5" })
            QVERIFY(!list(l)->isEnabled());
    }

    void anotherTestChoiceClosesTheResultsWindow()
    {
        toTestChoice(1);
        clickItem(list("List1"), 3); // WEIR: no level question
        zx::test::click(form.get(), "CmdErgebnisse");
        QVERIFY(form->resultsWindow());
        QVERIFY(form->resultsWindow()->isVisible());
        zx::test::click(form.get(), "CmdTestWahl");
        clickItem(list("List1"), 5);
        QVERIFY(!form->resultsWindow());
    }

    void testListSetsTheTestName_data()
    {
        QTest::addColumn<int>("datentyp");
        QTest::addColumn<QString>("listName");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("testName");
        QTest::newRow("t-Test") << 1 << "List1" << 0 << QString::fromUtf8("t-TEST für Zweistich.");
        QTest::newRow("WELCH") << 1 << "List1" << 1 << "WELCH-TEST";
        QTest::newRow("LORD") << 1 << "List1" << 2 << "LORD-TEST";
        QTest::newRow("MEDIAN") << 1 << "List1" << 5 << "MEDIAN-TEST";
        QTest::newRow("t-Test Klassen") << 2 << "List2" << 0 << QString::fromUtf8("t-TEST für Zweistich.");
        QTest::newRow("LORD Xquer") << 3 << "List2" << 2 << "LORD-TEST";
        QTest::newRow("t-Test Paare") << 4 << "List3" << 0 << QString::fromUtf8("t-TEST für Wertepaare");
        QTest::newRow("WILCOXON") << 4 << "List3" << 1 << "WILCOXON-TEST";
        QTest::newRow("VORZEICHEN") << 4 << "List3" << 2 << "VORZEICHEN-TEST";
    }

    void testListSetsTheTestName()
    {
        QFETCH(int, datentyp);
        QFETCH(QString, listName);
        QFETCH(int, row);
        QFETCH(QString, testName);
        rec->ErgText[0] = "vorher";
        toTestChoice(datentyp);
        clickItem(list(listName.toLatin1()), row);
        QCOMPARE(QString::fromStdString(rec->TestName), testName);
        QVERIFY(list("List5")->isEnabled());
        QVERIFY(!button("CmdErgebnisse")->isEnabled());
        const std::string heading = listName == "List1" ? "vorher"
            : listName == "List2"                        ? std::string(43, ' ') + "ERGEBNISSE"
                                                         : std::string(18, ' ') + "ERGEBNISSE" + std::string(14, ' ');
        QCOMPARE(rec->ErgText[0], heading);
        QVERIFY(dialogs->shown().empty());
    }

    void aClickInATestListClearsTheOthers()
    {
        toTestChoice(1);
        list("List2")->setListIndex(1);
        list("List3")->setListIndex(2);
        clickItem(list("List1"), 1);
        QCOMPARE(list("List1")->ListIndex(), 1);
        QCOMPARE(list("List2")->ListIndex(), -1);
        QCOMPARE(list("List3")->ListIndex(), -1);
    }

    void keyboardChoiceCountsAsAClick()
    {
        toTestChoice(1);
        list("List1")->setFocus();
        list("List1")->setListIndex(0);
        QVERIFY2(rec->TestName.empty(), "a change by the program is no click");
        QTest::keyClick(list("List1"), Qt::Key_Down);
        QCOMPARE(rec->TestName, std::string("WELCH-TEST"));
    }

    void hypothesisSetsReportLines_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("haWahl");
        QTest::addColumn<QString>("line2");
        QTest::addColumn<QString>("line3");
        QTest::newRow("zweiseitig") << 0 << "N" << QString::fromUtf8("wurde die Alternativ-Hypothese Ha: µ1 <> µ2 ")
                                    << "gegen die Nullhypothese Ho: µ1 = µ2 untersucht.";
        QTest::newRow("µ1 < µ2") << 1 << "J2" << QString::fromUtf8("wurde die Alternativ-Hypothese Ha: µ1 < u2 ")
                                 << QString::fromUtf8("gegen die Nullhypothese Ho: µ1 > µ2 untersucht.");
        QTest::newRow("µ1 > µ2") << 2 << "J3" << QString::fromUtf8("wurde die Alternativ-Hypothese Ha: µ1 > µ2 ")
                                 << QString::fromUtf8("gegen die Nullhypothese Ho: µ1 < µ2 untersucht.");
    }

    void hypothesisSetsReportLines()
    {
        QFETCH(int, row);
        QFETCH(QString, haWahl);
        QFETCH(QString, line2);
        QFETCH(QString, line3);
        toTestChoice(1);
        clickItem(list("List1"), 5); // MEDIAN: no check window
        clickItem(list("List5"), row);
        QVERIFY(!form->checkDialog() && !form->shapeNotice());
        QCOMPARE(QString::fromStdString(rec->HaWahl), haWahl);
        QCOMPARE(QString::fromStdString(rec->ErgText[2]), line2);
        QCOMPARE(QString::fromStdString(rec->ErgText[3]), line3);
        QVERIFY(button("CmdErgebnisse")->isEnabled());
    }

    void weirRunsTwoSidedOnly()
    {
        toTestChoice(2);
        rec->HaWahl = "J2";
        clickItem(list("List2"), 3);
        QCOMPARE(rec->TestName, std::string("WEIR-TEST"));
        QCOMPARE(rec->HaWahl, std::string("N"));
        QCOMPARE(rec->ErgText[1], std::string("Bei einer Irrtumswahrscheinlichkeit von 5% "));
        QCOMPARE(rec->ErgText[2], std::string("wurde die Alternativ-Hypothese Ha: µ1 <> µ2 "));
        QCOMPARE(rec->ErgText[3], std::string("gegen die Nullhypothese Ho: µ1 = µ2 untersucht."));
        QVERIFY(button("CmdErgebnisse")->isEnabled());
        QVERIFY(form->checkDialog()->isVisible()); // checked at once
        QVERIFY(!list("List5")->isEnabled());
        clickItem(list("List5"), 1);
        QCOMPARE(rec->HaWahl, std::string("N")); // the hypothesis cannot be chosen
    }

    void uTestPutsTheSmallerSampleFirst()
    {
        seedSingleValues(*rec, 12, 8);
        toTestChoice(1);
        clickItem(list("List1"), 4);
        QCOMPARE(rec->TestName, std::string("U-TEST"));
        const auto messages = dialogs->shown(Kind::Message);
        QCOMPARE(messages.size(), std::size_t(1));
        QCOMPARE(messages[0].title, std::string("Fehler"));
        QCOMPARE(messages[0].text,
            std::string("Beim U-Test muß n < m eingegeben werden.\r\nn < > m werden durch Zerantix vertauscht\r\n"
                        "Bei der Ha-Wahl muß dies berücksichtigt werden.\r\nZum Fortsetzen drucken Sie OK."));
        QCOMPARE(rec->AnzahlWerte[1], Integer(8));
        QCOMPARE(rec->AnzahlWerte[2], Integer(12));
        for (int i = 1; i <= 8; ++i)
            QCOMPARE(rec->Werte(i, 1), 100.0 + i);
        for (int i = 1; i <= 12; ++i)
            QCOMPARE(rec->Werte(i, 2), 10.0 + i);
        QCOMPARE(rec->Bezeichnung[1], std::string("PAZIFIK"));
        QVERIFY(list("List5")->isEnabled());

        // Chosen again, the samples are in order: no second exchange.
        clickItem(list("List1"), 4);
        QCOMPARE(dialogs->shown(Kind::Message).size(), std::size_t(1));
        QCOMPARE(rec->AnzahlWerte[1], Integer(8));
    }

    void uTestWithTheSmallerSampleFirstAsksNothing()
    {
        seedSingleValues(*rec, 8, 12);
        toTestChoice(1);
        clickItem(list("List1"), 4);
        QVERIFY(dialogs->shown().empty());
        QCOMPARE(rec->AnzahlWerte[1], Integer(8));
        QCOMPARE(rec->Werte(1, 1), 11.0);
    }

    void moreTestsOffersTheVarianceListOfTheDataType_data()
    {
        QTest::addColumn<int>("datentyp");
        QTest::addColumn<QString>("testList");
        QTest::newRow("einzelne Werte") << 1 << "List1";
        QTest::newRow("Klassengruppen") << 2 << "List2";
        QTest::newRow("Wertepaare") << 4 << "List3";
    }

    void moreTestsOffersTheVarianceListOfTheDataType()
    {
        QFETCH(int, datentyp);
        QFETCH(QString, testList);
        toTestChoice(datentyp);
        zx::test::click(form.get(), "CmdZusatzTest");
        QVERIFY(!list(testList.toLatin1())->isEnabled());
        QVERIFY(list("List4")->isVisible());
        QVERIFY(list("List6")->isVisible());
        QVERIFY(child<QFrame>(form.get(), "Shape5")->isVisible());
        QCOMPARE(list("List4")->isEnabled(), datentyp == 4);
        QCOMPARE(list("List6")->isEnabled(), datentyp != 4);
    }

    // ---- The assumption check, on seeded data.

    // t-test and hypothesis chosen; "ja", then the normality test at `entry`
    // at `level`.
    void runCheck(int entry, const char* level)
    {
        clickItem(list("List1"), 0);
        clickItem(list("List5"), 0);
        QVERIFY(form->checkDialog());
        QTest::mouseClick(child<QCheckBox>(form->checkDialog(), "Check1"), Qt::LeftButton);
        dialogs->input(level);
        clickItem(child<ClickList>(form->checkDialog(), "List1"), entry);
    }

    void failedNormalityShowsItsAdviceAndBlocksTheResults()
    {
        seedSingleValues(*rec, 10, 10);
        for (int i = 1; i <= 10; ++i)
            rec->Werte(i, 2) = i <= 5 ? 0 : 10; // R/s = 1.90, below DAVID's 2.67
        toTestChoice(1);
        runCheck(2, "5");
        CheckResultsWindow* shown = form->checkResultsWindow();
        QVERIFY(shown && shown->isVisible());
        QCOMPARE(shown->shownAdvice(), QString("Text1"));
        QVERIFY(child<QPlainTextEdit>(shown, "Text1")->toPlainText().startsWith(QString::fromUtf8("Es wird zumindest annährend \n")));
        QVERIFY(!button("CmdTestWahl")->isEnabled());
        zx::test::click(shown, "CmdWeiter");
        QTRY_VERIFY(!form->checkResultsWindow());
        QVERIFY(button("CmdTestWahl")->isEnabled());
        zx::test::click(form.get(), "CmdErgebnisse");
        QCOMPARE(dialogs->shown(Kind::Message).back().text, std::string("WÄHLEN SIE EINEN DER EMPFOHLENEN TESTS"));
        QVERIFY(!form->resultsWindow());
    }

    void shapiroWilkRefusalOffersTheDialogAgain()
    {
        seedSingleValues(*rec, 51, 10);
        toTestChoice(1);
        runCheck(1, "5");
        QCOMPARE(dialogs->shown(Kind::Message).back().text,
            std::string("Stichprobe zu groß/klein: Test nicht möglich. Wählen Sie den KS- oder DAVID-Test aus."));
        CheckDialog* again = form->checkDialog();
        QVERIFY(again && again->isVisible());
        QVERIFY(!child<QCheckBox>(again, "Check1")->isChecked());
        QVERIFY(!child<ClickList>(again, "List1")->isEnabled());
        QVERIFY(!form->checkResultsWindow());
        QCOMPARE(rec->NormPruef, std::string(" "));
    }

    void declinedCheckLeavesNothingChecked()
    {
        toTestChoice(1);
        clickItem(list("List1"), 0);
        clickItem(list("List5"), 0);
        QCOMPARE(form->checkDialog()->windowTitle(), QString::fromUtf8("Erfüllung der Voraussetzungen"));
        QTest::mouseClick(child<QCheckBox>(form->checkDialog(), "Check2"), Qt::LeftButton);
        QTRY_VERIFY(!form->checkDialog());
        QCOMPARE(rec->NormPruef, std::string(" "));
        QCOMPARE(rec->VarPruef, std::string(" "));
    }

    void welchHasNoVariancePage()
    {
        toTestChoice(1);
        clickItem(list("List1"), 1);
        clickItem(list("List5"), 0);
        QTest::mouseClick(child<QCheckBox>(form->checkDialog(), "Check1"), Qt::LeftButton);
        dialogs->input("5");
        clickItem(child<ClickList>(form->checkDialog(), "List1"), 2);
        QVERIFY(form->checkResultsWindow());
        zx::test::click(form->checkResultsWindow(), "CmdWeiter");
        QTRY_VERIFY(!form->checkResultsWindow());
        QCOMPARE(rec->VarPruef, std::string(" "));
    }

    void uTestShowsTheShapeNotice()
    {
        seedSingleValues(*rec, 8, 12);
        toTestChoice(1);
        clickItem(list("List1"), 4);
        clickItem(list("List5"), 0);
        DistributionShapeNotice* notice = form->shapeNotice();
        QVERIFY(notice && notice->isVisible());
        QCOMPARE(notice->windowTitle(), QString::fromUtf8("Prüfung auf Verteilungsform"));
        QCOMPARE(child<QLabel>(notice, "Label1")->text(), QString("U-Test setzt gleiche Verteilungsform voraus."));
        QVERIFY(!form->checkDialog());
        // Another test closes it.
        clickItem(list("List1"), 0);
        QTRY_VERIFY(!form->shapeNotice());
    }

    void aChosenTestCannotBeTakenBack()
    {
        toTestChoice(1);
        clickItem(list("List1"), 2);
        const QRect r = list("List1")->visualItemRect(list("List1")->item(2));
        QTest::mouseClick(list("List1")->viewport(), Qt::LeftButton, Qt::ControlModifier, r.center());
        QCOMPARE(list("List1")->ListIndex(), 2);
        QCOMPARE(rec->TestName, std::string("LORD-TEST"));
        QTest::mouseClick(list("List1")->viewport(), Qt::LeftButton, {}, QPoint(5, list("List1")->viewport()->height() - 3));
        QCOMPARE(list("List1")->ListIndex(), 2);
    }

    void aNewInputClosesTheCheckWindows()
    {
        toTestChoice(1);
        clickItem(list("List1"), 0);
        clickItem(list("List5"), 0);
        QVERIFY(form->checkDialog());
        form->runDataManager = [&] { rec->TestName = "ENDE"; };
        form->CmdEingabe_Click();
        QVERIFY(!form->checkDialog());
    }
};

QTEST_MAIN(TestMainWindow)
#include "MainWindowTest.moc"
