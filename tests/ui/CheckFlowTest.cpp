// The assumption check through the real windows, one analysis for each data
// type on the example workbook: the check dialog's entries, the normality
// page, "Weiter" to the variance page, and what "Ergebnisse" makes of it;
// and "Weitere Tests" for each data type that has them. Statistics are
// SciPy's (data/make_flow_reference.py); the reports' layout is checked in
// the workflow's tests, here only that the windows show it.
#include "core/AnalysisRecord.h"
#include "ui/CheckDialog.h"
#include "ui/CheckResultsWindow.h"
#include "ui/Controls.h"
#include "ui/MainWindow.h"
#include "ui/ResultsWindow.h"
#include "MainWindowSession.h"
#include "QtTestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace zx;
using zx::test::child;
using zx::test::clickItem;
using Kind = zx::test::ScriptedDialogs::Kind;

class TestCheckFlow : public QObject {
    Q_OBJECT

    zx::test::MainWindowSession session;
    std::unique_ptr<zx::test::ScriptedDialogs>& dialogs = session.dialogs;
    std::unique_ptr<MainWindow>& form = session.form;

    ClickList* list(const char* name) { return child<ClickList>(form.get(), name); }
    QPushButton* button(const char* name) { return child<QPushButton>(form.get(), name); }
    CheckResultsWindow* shown()
    {
        CheckResultsWindow* w = form->checkResultsWindow();
        return w && w->isVisible() ? w : nullptr;
    }
    bool contains(const char* text) { return shown() && shown()->reportText().contains(QString::fromUtf8(text)); }

    // The test at `row` of the test list and the two-sided hypothesis, then
    // "ja" in the check dialog; gives the dialog's list of normality tests.
    ClickList* openCheck(const char* testList, int row)
    {
        clickItem(list(testList), row);
        clickItem(list("List5"), 0);
        CheckDialog* d = form->checkDialog();
        if (!d || !d->isVisible())
            return nullptr;
        ClickList* tests = child<ClickList>(d, "List1");
        if (tests->isEnabled())
            return nullptr; // the list waits for "ja"
        QTest::mouseClick(child<QCheckBox>(d, "Check1"), Qt::LeftButton);
        return tests;
    }

    QStringList entries(ClickList* tests)
    {
        QStringList out;
        for (int i = 0; i < tests->count(); ++i)
            out << tests->item(i)->text();
        return out;
    }

    void runCheck(ClickList* tests, int entry, const char* level)
    {
        dialogs->input(level);
        clickItem(tests, entry);
    }

private slots:
    void init() { session.start(); }
    void cleanup() { session.finish(); }

    void singleValuesCheckedBeforeTheTTest()
    {
        session.readSamples("mnuEinzel", { "A2", "B2" }, { "ATLANTIK", "PAZIFIK" });
        ClickList* tests = openCheck("List1", 0);
        QVERIFY(tests);
        QCOMPARE(form->checkDialog()->windowTitle(), QString::fromUtf8("Erfüllung der Voraussetzungen"));
        QCOMPARE(entries(tests),
            QStringList({ "  Kolmogoroff-Smirnoff-Test (KST)", "  Shapiro-Wilk-Test", "  David et al.-Test" }));
        runCheck(tests, 0, "5");
        QCOMPARE(dialogs->shown(Kind::Input).back().text, std::string("Irrtumswahrscheinlichkeit/KST-Tab\r\r(Nur 1, 5 oder 10%)"));
        QTRY_VERIFY(!form->checkDialog());

        // The normality page: DK 0.1393 and 0.1635 below their limits.
        QVERIFY(shown());
        QCOMPARE(shown()->windowTitle(), QString("Ergebnisse/Voraussetzungen"));
        QCOMPARE(child<QLabel>(shown(), "Label1")->text(), QString::fromUtf8("PRÜFUNG AUF ERFÜLLUNG DER VORAUSSETZUNGEN"));
        QVERIFY(contains("< Test nach KOLMOGOROFF-SMIRNOF >"));
        QVERIFY(contains("Prüfgröße (DK)  . . . . . . . . . . . = 0,1393"));
        QVERIFY(contains("Prüfgröße (DK)  . . . . . . . . . . . = 0,1635"));
        QCOMPARE(shown()->shownAdvice(), QString());

        // Printed where there is no printer: a PDF of the page.
        QTemporaryDir tmp;
        shown()->printTarget.pdfOnly = true;
        shown()->printTarget.askPdfFile = [&](QWidget*) { return std::optional<QString>(tmp.filePath("p.pdf")); };
        zx::test::click(shown(), "CmdDruck");
        QCOMPARE(shown()->lastPrint, PrintOutcome::SavedAsPdf);
        QVERIFY(child<QPushButton>(shown(), "CmdDruck")->isVisible());

        // "Weiter": the F-test (F = 2.2733 below its limit), until closed.
        zx::test::click(shown(), "CmdWeiter");
        QVERIFY(contains("F-Wert (berechnet)                  = 2,2733"));
        QCOMPARE(shown()->shownAdvice(), QString());
        QVERIFY(!child<QPushButton>(shown(), "CmdWeiter")->isEnabled());

        dialogs->input("5");
        zx::test::click(form.get(), "CmdErgebnisse");
        QVERIFY(form->resultsWindow()->reportText().contains(
            QString::fromUtf8("Kein signifikanter Unterschied in der Variabilität und keine signifikante Abweichung von der "
                              "Normalverteilung liegen vor.")));
        // "Schliessen" closes the test-results window too.
        zx::test::click(form->checkResultsWindow(), "CmdSchliessen");
        QTRY_VERIFY(!form->checkResultsWindow());
        QTRY_VERIFY(!form->resultsWindow());
    }

    void classGroupsOfferKolmogorovSmirnovAndDavid()
    {
        session.readSamples("mnuKlassen", { "D2", "G2" }, { "FANG 1", "FANG 2" });
        ClickList* tests = openCheck("List2", 0);
        QVERIFY(tests);
        QCOMPARE(entries(tests), QStringList({ "  Kolmogoroff-Smirnoff-Test (KST)", "  David et al.-Test" }));
        runCheck(tests, 1, "0.1");
        QCOMPARE(dialogs->shown(Kind::Input).back().text,
            std::string("Irrtumswahrscheinlichkeit/DAVID-Tab\r\r(Nur 0.1, 1, 5 oder 10%)"));
        QVERIFY(contains("< Nach dem Test DAVID et al. >"));
        QVERIFY(contains("Irrtumswahrscheinlichkeit: 0,1%"));
        QVERIFY(contains("R/s-Quotient     . . . . . . . . . .  = 5,0947"));
        QVERIFY(contains("R/s-Quotient      . . . . . . . . . . = 5,0188"));
        zx::test::click(shown(), "CmdWeiter");
        QVERIFY(contains("VARIANZ(1)                          = 246,5686"));
    }

    void summaryValuesOfferDavidAndKeepTheirValues()
    {
        session.readSamples("mnuXquerSN", { "J2", "K2" }, { "ATLANTIK", "PAZIFIK" });
        QVERIFY(!button("CmdZusatzTest")->isEnabled()); // no additional tests
        ClickList* tests = openCheck("List2", 2); // LORD
        QVERIFY(tests);
        QCOMPARE(entries(tests), QStringList({ "  David et al.-Test" }));
        runCheck(tests, 0, "5");
        // R/s from the entered minimum, maximum and standard deviation.
        QVERIFY(contains("= 3,2222"));
        QVERIFY(contains("= 3,2203"));
        zx::test::click(shown(), "CmdWeiter");
        QVERIFY(contains("VARIANZ(1)                          = 0,8100"));
        QVERIFY(contains("VARIANZ(2)                          = 0,3481"));
    }

    void pairedValuesTestTheDifferencesOnce()
    {
        session.readSamples("mnuWertepaare", { "M2" }, { "Blutdruck" });
        ClickList* tests = openCheck("List3", 0);
        QVERIFY(tests);
        runCheck(tests, 1, "5");
        QVERIFY(contains("< Test nach SHAPIRO-WILK >"));
        QVERIFY(contains("Prüfgröße (W) . . . . . . . . . . .  = 0,9432"));
        QVERIFY(contains("(Bei Wertepaaren werden nur die Differenzen auf Nicht-Normalverteilung geprüft.)"));
        QVERIFY(!contains("STICHPROBE = 2"));
        // The variances of the two columns differ (t = 4.8155): the advice for
        // paired values, and the test choice opens when the page is left.
        zx::test::click(shown(), "CmdWeiter");
        QVERIFY(contains("t-Wert (berechnet)                    = 4,8155"));
        QCOMPARE(shown()->shownAdvice(), QString("Text4"));
        QVERIFY(!button("CmdTestWahl")->isEnabled());
        zx::test::click(shown(), "CmdSchliessen");
        QVERIFY(button("CmdTestWahl")->isEnabled());
        zx::test::click(form.get(), "CmdErgebnisse");
        QCOMPARE(dialogs->shown(Kind::Message).back().text, std::string("WÄHLEN SIE EINEN DER EMPFOHLENEN TESTS"));
        QVERIFY(!form->resultsWindow());
    }

    void furtherTestsShowTheirReport_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("ranges");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("line");
        QTest::newRow("einzelne Werte") << "mnuEinzel" << QStringList({ "A2", "B2" }) << QStringList({ "", "" }) << "List6"
                                        << "F-TEST Varianzvergleich" << "F-Wert (berechnet)                  = 2,2733";
        QTest::newRow("Klassengruppen") << "mnuKlassen" << QStringList({ "D2", "G2" }) << QStringList({ "", "" }) << "List6"
                                        << "F-TEST Varianzvergleich" << "VARIANZ(2)                          = 254,0816";
        QTest::newRow("Wertepaare") << "mnuWertepaare" << QStringList({ "M2" }) << QStringList({ "" }) << "List4"
                                    << "t-TEST Varianzvergleich (Wertepaare)" << "t-Wert (berechnet)                    = 4,8155";
    }

    void furtherTestsShowTheirReport()
    {
        QFETCH(QString, menu);
        QFETCH(QStringList, ranges);
        QFETCH(QStringList, names);
        QFETCH(QString, list);
        QFETCH(QString, title);
        QFETCH(QString, line);
        session.readSamples(menu.toLatin1().constData(), ranges, names);
        zx::test::click(form.get(), "CmdZusatzTest");
        dialogs->input("5");
        clickItem(this->list(list.toLatin1().constData()), 0);
        QVERIFY(shown());
        QCOMPARE(child<QLabel>(shown(), "Label1")->text(), title);
        QVERIFY(contains("PRÜFUNG AUF GLEICHHEIT DER VARIANZEN"));
        QVERIFY2(shown()->reportText().contains(line), qPrintable(shown()->reportText()));
        QVERIFY(!child<QPushButton>(shown(), "CmdWeiter")->isEnabled());
        // No hypothesis leads from a variance test to "Ergebnisse".
        for (const char* b : { "CmdErgebnisse", "CmdZusatzTest" })
            QVERIFY(!button(b)->isEnabled());
        QVERIFY(button("CmdTestWahl")->isEnabled());
        QVERIFY(!this->list("List5")->isEnabled());
        QVERIFY(this->list("List4")->isHidden());
    }
};

QTEST_MAIN(TestCheckFlow)
#include "CheckFlowTest.moc"
