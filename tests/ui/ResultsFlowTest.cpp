// One analysis per data type through the windows, from each workbook format:
// its report is zerantix-cli's; numbers from data/make_flow_reference.py.
#include "core/AnalysisRecord.h"
#include "ui/CheckDialog.h"
#include "ui/CheckResultsWindow.h"
#include "ui/ParametersWindow.h"
#include "ui/PlotWindow.h"
#include "ui/ResultsWindow.h"
#include "WindowTest.h"

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

// Data, names, test and hypothesis, the check's entries, choice, level, page
// numbers (no variance page: "Weiter" closes) and advice, the test's level.
struct Flow {
    const char* row;
    QString menu;
    QStringList ranges, names;
    QString testList;
    QList<int> choice; // test, hypothesis; the test after a refusal
    QStringList entries;
    int entry;
    QString checkLevel;
    QStringList normality, variance;
    QString advice, level;
    QStringList report;
    QString cli, browsed;
    bool boxWhisker;
};

const QString ks = "  Kolmogoroff-Smirnoff-Test (KST)", sw = "  Shapiro-Wilk-Test", david = "  David et al.-Test";

const Flow kFlows[] = {
    { "single values: t-test, KST", "mnuEinzel", { "A2", "B2" }, { "Atlantik-Hering", "PAZIFIK" }, "List1", { 0, 0 },
        { ks, sw, david }, 0, "5", { "Prüfgröße (DK) . . . . . . . . . . . = 0,1393", "= 0,1635" },
        { "F-Wert (berechnet) = 2,2733" }, "", "5", { "Freiheitsgrade = 24", "t-Wert (berechnet) = 4,8901" },
        "--daten einzelwerte --stichprobe1 A2 --stichprobe2 B2 --test t --pruefung ks --pruefniveau 5", "2", true },
    { "class groups: WELCH µ1 < µ2, DAVID", "mnuKlassen", { "D2", "G2" }, { "FANG 1", "FANG 2" }, "List2", { 1, 1 },
        { ks, david }, 1, "0.1", { "= 5,0947", "= 5,0188" }, {}, "", "1%", { "Freiheitsgrade = 98", "t-Wert (berechnet) = 1,7327" },
        "--daten klassen --stichprobe1 D2 --stichprobe2 G2 --test welch --hypothese kleiner --niveau 1% --pruefung david "
        "--pruefniveau 0.1",
        "2", true },
    { "summary values: t-test µ1 > µ2, DAVID from the extremes, level by default", "mnuXquerSN", { "J2", "K2" },
        { "ATLANTIK", "PAZIFIK" }, "List2", { 0, 2 }, { david }, 0, "5", { "= 3,2222", "= 3,2203" },
        { "VARIANZ(1) = 0,8100", "VARIANZ(2) = 0,3481" }, "", "", { "Freiheitsgrade = 24", "t-Wert (berechnet) = 4,8966" },
        "--daten xsn --stichprobe1 J2 --stichprobe2 K2 --test t --hypothese groesser --pruefung david --pruefniveau 5", "2", false },
    { "paired values: t-test refused after SHAPIRO-WILK, then WILCOXON", "mnuWertepaare", { "M2" }, { "Blutdruck" }, "List3",
        { 0, 0, 1 }, { ks, sw, david }, 1, "5", { "Prüfgröße (W) . . . . . . . . . . . = 0,9432" }, { "t-Wert (berechnet) = 4,8155" },
        "Text4", "5", { "Wertepaare Diff<>0 = 12", "R-Wert (berechnet) = 0" }, "--daten paare --stichprobe1 M2 --test wilcoxon", "1", false },
};

} // namespace

class TestResultsFlow : public QObject, MainWindowSession {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;

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
        start(folder->path().toStdString());
    }
    void cleanup() { finish(); }

    void analysis_data()
    {
        QTest::addColumn<int>("flow");
        for (const Flow& f : kFlows)
            QTest::newRow(f.row) << int(&f - kFlows);
    }

    void analysis()
    {
        QFETCH_GLOBAL(QString, workbook);
        QFETCH(int, flow);
        const auto& [row, menu, ranges, names, testList, choice, entries, entry, checkLevel, normality, variance, advice, level,
            report, cli, browsed, boxWhisker] = kFlows[flow];
        readSamples(menu.toUtf8().constData(), ranges, names);
        clickItem(list(testList), choice[0]);
        clickItem(list("List5"), choice[1]);

        // The check dialog: its entries wait for "ja"; one is chosen.
        CheckDialog* dialog = form->checkDialog();
        QVERIFY(dialog && dialog->isVisible());
        ClickList* tests = child<ClickList>(dialog, "List1");
        QTest::mouseClick(child<QCheckBox>(dialog, "Check1"), Qt::LeftButton);
        QStringList offered;
        for (int i = 0; i < tests->count(); ++i)
            offered << tests->item(i)->text();
        QCOMPARE(offered, entries);
        dialogs->input(checkLevel.toStdString());
        clickItem(tests, entry);
        QTRY_VERIFY(!form->checkDialog());

        // Its pages (printing them: MainWindowTest).
        CheckResultsWindow* pages = form->checkResultsWindow();
        QVERIFY(pages && pages->isVisible());
        QVERIFY(showsLines(pages->reportText(), normality));
        QStringList checkPages { pages->reportText() };
        QCOMPARE(pages->shownAdvice(), QString());
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
            click(form.get(), "CmdErgebnisse");
            QVERIFY(!form->resultsWindow() && !button("CmdErgebnisse")->isEnabled());
            checkPages.clear();
            clickItem(list(testList), choice[2]);
            clickItem(list("List5"), choice[1]);
        }

        dialogs->input(level.toStdString());
        click(form.get(), "CmdErgebnisse");
        ResultsWindow* results = form->resultsWindow();
        QVERIFY(results && results->isVisible());
        QCOMPARE(child<QLabel>(results, "Label1")->text(), QString::fromStdString(rec->TestName));
        const QString shown = results->reportText();
        QVERIFY(showsLines(shown, report));
        // zerantix-cli prints the check's pages and the same report, so the
        // names, hypothesis, level and check chosen here reached the record.
        const QString printed = cliOutput(cli.split(' ') << "--namen" << names.join(',') << "--workbook" << folder->filePath(workbook));
        QVERIFY2(printed.endsWith(withoutDate(shown) + "\n"), qPrintable(printed));
        for (const QString& page : checkPages)
            QVERIFY(printed.contains(page));
        // All of it in view: the window's image is what goes to paper.
        QCOMPARE(child<QPlainTextEdit>(results, "Text1")->verticalScrollBar()->maximum(), 0);
        QVERIFY(!list(testList)->isEnabled()); // until a new test choice

        click(form.get(), "CmdDeskriptive");
        ParametersWindow* parameters = form->parametersWindow();
        QVERIFY(parameters && parameters->isVisible());
        QVERIFY2(parameters->listingText().endsWith(" DATEI: " + names[0].left(10).toUpper()), qPrintable(parameters->listingText()));
        for (const QString& sample : { browsed, QString("1") }) {
            click(parameters, "CmdBlättern");
            QCOMPARE(child<QLabel>(parameters, "Label3")->text(), sample);
        }

        click(form.get(), "CmdGraphik");
        PlotWindow* plot = form->plotWindow();
        QVERIFY(plot && plot->isVisible());
        QCOMPARE(child<QAction>(plot, "mnuBoxWisker")->isEnabled(), boxWhisker);

        // "Schliessen" on the check's page closes the report too; a new test
        // choice the other windows.
        if (form->checkResultsWindow()) {
            click(form->checkResultsWindow(), "CmdSchliessen");
            QTRY_VERIFY(!form->checkResultsWindow() && !form->resultsWindow());
        }
        click(form.get(), "CmdTestWahl");
        clickItem(list(testList), 0);
        QVERIFY(!form->resultsWindow() && !form->parametersWindow() && !form->plotWindow());
    }
};

QTEST_MAIN(TestResultsFlow)
#include "ResultsFlowTest.moc"
