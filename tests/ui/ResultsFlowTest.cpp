// Whole analyses through the real windows, one for each data type: the
// samples from the example workbook, the test and hypothesis chosen in the
// main window, the assumption check in its dialog and on its pages, the level
// answered; the report of the test-results window, on screen and on paper,
// equal to zerantix-cli's; then "Deskriptive Parameter" and "Graphik". Every
// analysis runs once for each format the example workbook is saved in
// (blatt.xls, .xlsx, .ods, .csv), alone in the program folder. Statistics
// are SciPy's (data/make_flow_reference.py); critical values and the
// reports' layout are the engine's and the workflow's to test.
#include "core/AnalysisRecord.h"
#include "ui/CheckDialog.h"
#include "ui/CheckResultsWindow.h"
#include "ui/ParametersWindow.h"
#include "ui/PlotWindow.h"
#include "ui/ResultsWindow.h"
#include "MainWindowSession.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>

using namespace zx;
using namespace zx::test;

namespace {

// A report with its date line left out, the additions below it kept.
QString withoutDate(QString text) { return text.remove(QRegularExpression("DATUM: [^\\n]*\\n?")); }

// The same analysis through zerantix-cli, as it prints it.
QString cliOutput(QStringList arguments)
{
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", "/nonexistent"); // no parameter file of the machine's user
    cli.setProcessEnvironment(env);
    cli.start(ZX_CLI, arguments << "--trennzeichen" << ",");
    if (!cli.waitForFinished(20000) || cli.exitCode() != 0)
        return "zerantix-cli failed: " + cli.readAllStandardError();
    return withoutDate(QString::fromUtf8(cli.readAllStandardOutput()));
}

// Each line, blanks aside, in the text.
bool showsLines(const QString& text, const QStringList& lines)
{
    for (const QString& line : lines)
        if (!text.simplified().contains(line)) {
            qWarning("%s not in\n%s", qPrintable(line), qPrintable(text));
            return false;
        }
    return true;
}

} // namespace

class TestResultsFlow : public QObject {
    Q_OBJECT

    MainWindowSession session;
    std::unique_ptr<QTemporaryDir> folder;

    QPushButton* button(const char* name) { return child<QPushButton>(session.form.get(), name); }
    ClickList* list(const QString& name) { return child<ClickList>(session.form.get(), name.toLatin1().constData()); }

private slots:
    void initTestCase_data()
    {
        QTest::addColumn<QString>("workbook");
        for (const char* name : { "blatt.xls", "blatt.xlsx", "blatt.ods", "blatt.csv" })
            QTest::newRow(name) << QString(name);
    }
    void init()
    {
        QFETCH_GLOBAL(QString, workbook);
        folder = std::make_unique<QTemporaryDir>();
        QVERIFY(QFile::copy(QString(ZX_EXAMPLES_DIR) + "/" + workbook, folder->filePath(workbook)));
        session.start(folder->path().toStdString());
    }
    void cleanup() { session.finish(); }

    void analysis_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("ranges");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("testList");
        QTest::addColumn<QList<int>>("choice"); // test, hypothesis; the test after a refusal
        QTest::addColumn<QStringList>("entries"); // of the check dialog
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("checkLevel");
        QTest::addColumn<QStringList>("normality");
        QTest::addColumn<QStringList>("variance"); // none: "Weiter" closes the page
        QTest::addColumn<QString>("advice");
        QTest::addColumn<QString>("level");
        QTest::addColumn<QStringList>("report");
        QTest::addColumn<QString>("cli");
        QTest::addColumn<QString>("browsed"); // the sample after "Blättern"
        QTest::addColumn<bool>("boxWhisker");
        QTest::addColumn<QStringList>("further"); // "Weitere Tests": list, title, line
        const QString ks = "  Kolmogoroff-Smirnoff-Test (KST)", sw = "  Shapiro-Wilk-Test", david = "  David et al.-Test";
        const QString significantT = "signifikant anzusehen, da der t-Wert größer/gleich";
        const QString bothHold = "Kein signifikanter Unterschied in der Variabilität und keine signifikante Abweichung";
        QTest::newRow("single values: t-test, KST")
            << "mnuEinzel" << QStringList { "A2", "B2" } << QStringList { "Atlantik-Hering", "PAZIFIK" } << "List1"
            << QList<int> { 0, 0 } << QStringList { ks, sw, david } << 0 << "5"
            << QStringList { "< Test nach KOLMOGOROFF-SMIRNOF >", "Prüfgröße (DK) . . . . . . . . . . . = 0,1393", "= 0,1635" }
            << QStringList { "F-Wert (berechnet) = 2,2733" } << "" << "5"
            << QStringList { "Freiheitsgrade = 24", "t-Wert (berechnet) = 4,8901", significantT, bothHold,
                   "Irrtumswahrscheinlichkeit von 5% wurde die Alternativ-Hypothese Ha: µ1 <> µ2" }
            << "--daten einzelwerte --stichprobe1 A2 --stichprobe2 B2 --test t --pruefung ks --pruefniveau 5" << "2" << true
            << QStringList { "List6", "F-TEST Varianzvergleich", "F-Wert (berechnet) = 2,2733" };
        QTest::newRow("class groups: WELCH µ1 < µ2, DAVID")
            << "mnuKlassen" << QStringList { "D2", "G2" } << QStringList { "FANG 1", "FANG 2" } << "List2" << QList<int> { 1, 1 }
            << QStringList { ks, david } << 1 << "0.1"
            << QStringList { "< Nach dem Test DAVID et al. >", "Irrtumswahrscheinlichkeit: 0,1%", "= 5,0947", "= 5,0188" }
            << QStringList {} << "" << "1%"
            << QStringList { "Freiheitsgrade = 98", "t-Wert (berechnet) = 1,7327", "zufällig anzusehen, da der t-Wert kleiner",
                   "Keine signifikante Abweichung von der Normalverteilung liegt vor.", "von 1% wurde die Alternativ-Hypothese Ha: µ1 < u2" }
            << "--daten klassen --stichprobe1 D2 --stichprobe2 G2 --test welch --hypothese kleiner --niveau 1% --pruefung david "
               "--pruefniveau 0.1"
            << "2" << true << QStringList { "List6", "F-TEST Varianzvergleich", "VARIANZ(2) = 254,0816" };
        QTest::newRow("summary values: t-test µ1 > µ2, DAVID from the extremes, level by default")
            << "mnuXquerSN" << QStringList { "J2", "K2" } << QStringList { "ATLANTIK", "PAZIFIK" } << "List2"
            << QList<int> { 0, 2 } << QStringList { david } << 0 << "5" << QStringList { "= 3,2222", "= 3,2203" }
            << QStringList { "VARIANZ(1) = 0,8100", "VARIANZ(2) = 0,3481" } << "" << ""
            << QStringList { "Freiheitsgrade = 24", "t-Wert (berechnet) = 4,8966", significantT, bothHold,
                   "von 5% wurde die Alternativ-Hypothese Ha: µ1 > µ2" }
            << "--daten xsn --stichprobe1 J2 --stichprobe2 K2 --test t --hypothese groesser --pruefung david --pruefniveau 5" << "2"
            << false << QStringList {};
        QTest::newRow("paired values: t-test refused after SHAPIRO-WILK, then WILCOXON")
            << "mnuWertepaare" << QStringList { "M2" } << QStringList { "Blutdruck" } << "List3" << QList<int> { 0, 0, 1 }
            << QStringList { ks, sw, david } << 1 << "5"
            << QStringList { "< Test nach SHAPIRO-WILK >", "Prüfgröße (W) . . . . . . . . . . . = 0,9432" }
            << QStringList { "t-Wert (berechnet) = 4,8155" } << "Text4" << "5"
            << QStringList { "Wertepaare Diff<>0 = 12", "R-Wert (berechnet) = 0", "signifikant anzusehen, da der R-Wert gleich/kleiner",
                   "von 5% wurde die Alternativ-Hypothese Ha: µ1 <> µ2" }
            << "--daten paare --stichprobe1 M2 --test wilcoxon" << "1" << false
            << QStringList { "List4", "t-TEST Varianzvergleich (Wertepaare)", "t-Wert (berechnet) = 4,8155" };
    }

    void analysis()
    {
        QFETCH_GLOBAL(QString, workbook);
        QFETCH(QString, menu);
        QFETCH(QStringList, ranges);
        QFETCH(QStringList, names);
        QFETCH(QString, testList);
        QFETCH(QList<int>, choice);
        QFETCH(QStringList, entries);
        QFETCH(int, entry);
        QFETCH(QString, checkLevel);
        QFETCH(QStringList, normality);
        QFETCH(QStringList, variance);
        QFETCH(QString, advice);
        QFETCH(QString, level);
        QFETCH(QStringList, report);
        QFETCH(QString, cli);
        QFETCH(QString, browsed);
        QFETCH(bool, boxWhisker);
        QFETCH(QStringList, further);
        MainWindow* form = session.form.get();
        session.readSamples(menu.toUtf8().constData(), ranges, names);
        clickItem(list(testList), choice[0]);
        clickItem(list("List5"), choice[1]);

        // The check dialog: its entries wait for "ja"; one is chosen.
        CheckDialog* dialog = form->checkDialog();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QString::fromUtf8("Erfüllung der Voraussetzungen"));
        ClickList* tests = child<ClickList>(dialog, "List1");
        QVERIFY(!tests->isEnabled());
        QTest::mouseClick(child<QCheckBox>(dialog, "Check1"), Qt::LeftButton);
        QStringList offered;
        for (int i = 0; i < tests->count(); ++i)
            offered << tests->item(i)->text();
        QCOMPARE(offered, entries);
        session.dialogs->input(checkLevel.toStdString());
        clickItem(tests, entry);
        QTRY_VERIFY(!form->checkDialog());

        // Its pages, the first printed where there is no printer.
        CheckResultsWindow* pages = form->checkResultsWindow();
        QVERIFY(pages && pages->isVisible());
        QCOMPARE(pages->windowTitle(), QString("Ergebnisse/Voraussetzungen"));
        QCOMPARE(child<QLabel>(pages, "Label1")->text(), QString::fromUtf8("PRÜFUNG AUF ERFÜLLUNG DER VORAUSSETZUNGEN"));
        QVERIFY(showsLines(pages->reportText(), normality));
        QStringList checkPages { pages->reportText() };
        QCOMPARE(pages->shownAdvice(), QString());
        QTemporaryDir tmp;
        pages->printTarget = PdfTarget(tmp.filePath("pruefung.pdf"));
        click(pages, "CmdDruck");
        QVERIFY(showsLines(PdfText(tmp.filePath("pruefung.pdf")), { normality.last() }));
        click(pages, "CmdWeiter");
        if (variance.isEmpty()) {
            QTRY_VERIFY(!form->checkResultsWindow());
        } else {
            QVERIFY(showsLines(pages->reportText(), variance));
            checkPages << pages->reportText();
            QCOMPARE(pages->shownAdvice(), advice);
            QVERIFY(!child<QPushButton>(pages, "CmdWeiter")->isEnabled());
        }
        if (!advice.isEmpty()) {
            // The test choice opens when the page is left; "Ergebnisse"
            // refuses the test the check advised against.
            QVERIFY(!button("CmdTestWahl")->isEnabled());
            click(pages, "CmdSchliessen");
            QVERIFY(button("CmdTestWahl")->isEnabled());
            click(form, "CmdErgebnisse");
            QCOMPARE(session.dialogs->shown().back().text, std::string("WÄHLEN SIE EINEN DER EMPFOHLENEN TESTS"));
            QVERIFY(!form->resultsWindow() && !button("CmdErgebnisse")->isEnabled());
            checkPages.clear();
            clickItem(list(testList), choice[2]);
            clickItem(list("List5"), choice[1]);
        }

        session.dialogs->input(level.toStdString());
        click(form, "CmdErgebnisse");
        ResultsWindow* results = form->resultsWindow();
        QVERIFY(results && results->isVisible());
        QCOMPARE(child<QLabel>(results, "Label1")->text(), QString::fromStdString(session.rec->TestName));
        const QString shown = results->reportText();
        QVERIFY(showsLines(shown, report << "Verglichen wurden: " + names.join(" und ") << "ZUSATZANGABEN"));
        // zerantix-cli prints the check's pages and the same report.
        const QString printed = cliOutput(cli.split(' ') << "--namen" << names.join(',') << "--workbook" << folder->filePath(workbook));
        QVERIFY2(printed.endsWith(withoutDate(shown) + "\n"), qPrintable(printed));
        for (const QString& page : checkPages)
            QVERIFY(printed.contains(page));
        // All of it in view: the window's image is what goes to paper.
        QCOMPARE(child<QPlainTextEdit>(results, "Text1")->verticalScrollBar()->maximum(), 0);
        // With a result the main window offers the next steps; the lists wait.
        for (const char* b : { "CmdDeskriptive", "CmdGraphik", "CmdTestWahl" })
            QVERIFY(button(b)->isEnabled());
        QVERIFY(!list(testList)->isEnabled());
        results->printTarget = PdfTarget(tmp.filePath("ergebnis.pdf"));
        click(results, "CmdDruck");
        QVERIFY(showsLines(PdfText(tmp.filePath("ergebnis.pdf"), false), { report[1], "ZUSATZANGABEN" }));

        click(form, "CmdDeskriptive");
        ParametersWindow* parameters = form->parametersWindow();
        QVERIFY(parameters && parameters->isVisible());
        QCOMPARE(child<QLabel>(parameters, "Label3")->text(), QString("1"));
        // The first name, shortened to ten characters, in upper case.
        QVERIFY2(parameters->listingText().endsWith(" DATEI: " + names[0].left(10).toUpper()), qPrintable(parameters->listingText()));
        click(parameters, "CmdBlättern");
        QCOMPARE(child<QLabel>(parameters, "Label3")->text(), browsed);
        click(parameters, "CmdBlättern");
        QCOMPARE(child<QLabel>(parameters, "Label3")->text(), QString("1"));

        // The plot reads the record without changing it.
        const double mean = session.rec->Mittelwert[1];
        const float minimum = session.rec->Minimum[1];
        click(form, "CmdGraphik");
        PlotWindow* plot = form->plotWindow();
        QVERIFY(plot && plot->isVisible());
        QCOMPARE(child<QAction>(plot, "mnuBoxWisker")->isEnabled(), boxWhisker);
        QCOMPARE(session.rec->Mittelwert[1], mean);
        QCOMPARE(session.rec->Minimum[1], minimum);

        // "Schliessen" on the check's page closes the report too; a new test
        // choice the other windows; "Weitere Tests" offers the variance
        // comparison, from which no hypothesis leads to "Ergebnisse".
        if (form->checkResultsWindow()) {
            click(form->checkResultsWindow(), "CmdSchliessen");
            QTRY_VERIFY(!form->checkResultsWindow() && !form->resultsWindow());
        }
        click(form, "CmdTestWahl");
        clickItem(list(testList), 0);
        QVERIFY(!form->resultsWindow() && !form->parametersWindow() && !form->plotWindow());
        QCOMPARE(button("CmdZusatzTest")->isEnabled(), !further.isEmpty());
        if (further.isEmpty())
            return;
        click(form, "CmdZusatzTest");
        session.dialogs->input("5");
        clickItem(list(further[0]), 0);
        CheckResultsWindow* page = form->checkResultsWindow();
        QVERIFY(page && showsLines(page->reportText(), { "PRÜFUNG AUF GLEICHHEIT DER VARIANZEN", further[2] }));
        QCOMPARE(child<QLabel>(page, "Label1")->text(), further[1]);
        QVERIFY(!child<QPushButton>(page, "CmdWeiter")->isEnabled());
        QCOMPARE(enabledButtons(form), QString("NeuStart TestWahl Ende"));
        QVERIFY(!list("List5")->isEnabled() && list("List4")->isHidden());
    }
};

QTEST_MAIN(TestResultsFlow)
#include "ResultsFlowTest.moc"
