// Whole analyses through the real windows, one test for each data type: the
// samples from the example workbook, the test and hypothesis chosen in the
// main window, the level answered, and the report of the test-results window
// compared line by line. Every test runs once for each format the example
// workbook is saved in (blatt.xls, .xlsx, .ods, .csv), alone in the program
// folder, so each must give the same reports. Statistics are SciPy's (data/make_flow_reference.py);
// critical values are the program's documented approximations, whose own
// accuracy is tested on their own.
#include "core/AnalysisRecord.h"
#include "core/NumberText.h"
#include "stats/Distributions.h"
#include "ui/Controls.h"
#include "ui/MainWindow.h"
#include "ui/ResultsWindow.h"
#include "MainWindowSession.h"
#include "QtTestSupport.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace zx;
using zx::test::child;
using zx::test::clickItem;
using zx::test::ModalScript;
using Kind = zx::test::ScriptedDialogs::Kind;

namespace {

const std::string kRule(55, '-');
const std::string kHeading = "                  ERGEBNISSE              ";
const std::string kSignificantT = "Die beobachteten Unterschiede sind als signifikant anzusehen, da der t-Wert größer/gleich als die Signifikanzschranke ist.";
const std::string kRandomT = "Die beobachteten Unterschiede sind als zufällig anzusehen, da der t-Wert kleiner als die Signifikanzschranke ist.";
const std::string kNoCheck = "Keine Prüfung auf Erfüllung der Voraussetzungen durchgeführt.";

std::string crit(std::optional<double> v, const char* pattern) { return v ? Format(*v, pattern) : "?"; }

// The report as the window shows it, without its last line (the date).
std::string report(const std::vector<std::string>& e)
{
    return e[0] + "\n" + kRule + "\n" + e[1] + e[2] + e[3] + "\n\n" + e[4] + "\n" + kRule + "\n" + e[5] + "\n" + e[6] + "\n"
        + e[7] + "\n" + e[8] + "\n" + kRule + "\n" + e[10] + "\n" + kRule + "\n" + e[12] + "\n" + kRule + "\n" + e[13] + "\n"
        + kRule + "\n";
}

} // namespace

class TestResultsFlow : public QObject {
    Q_OBJECT

    zx::test::MainWindowSession session;
    std::unique_ptr<AnalysisRecord>& rec = session.rec;
    std::unique_ptr<zx::test::ScriptedDialogs>& dialogs = session.dialogs;
    std::unique_ptr<MainWindow>& form = session.form;

    // DATEN: Eingabe with the given menu entry and typed ranges, confirmed.
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
        zx::test::click(form.get(), "CmdEingabe");
        QVERIFY2(script.done(), qPrintable("still waiting for " + script.pending()));
        zx::test::click(form.get(), "CmdTestWahl");
    }

    // The report of the results window, date line left out.
    std::string shownReport()
    {
        ResultsWindow* results = form->resultsWindow();
        if (!results)
            return "no results window";
        QString text = results->reportText();
        const auto date = text.lastIndexOf("DATUM: ");
        if (date < 0)
            return "no date line: " + text.toStdString();
        return text.left(date).toStdString();
    }

    void choose(const char* listName, int test, int hypothesis, const char* level)
    {
        clickItem(child<ClickList>(form.get(), listName), test);
        if (hypothesis >= 0)
            clickItem(child<ClickList>(form.get(), "List5"), hypothesis);
        if (level)
            dialogs->input(level);
        zx::test::click(form.get(), "CmdErgebnisse");
    }

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
        session.start(folder->path().toStdString());
    }
    void cleanup() { session.finish(); }

    void singleValuesTwoSampleTTest()
    {
        readSamples("mnuEinzel", { "A2", "B2" }, { "ATLANTIK", "PAZIFIK" });
        choose("List1", 0, 0, "5");
        const auto questions = dialogs->shown(Kind::Input);
        QCOMPARE(questions.back().text, std::string("Irrtumswahrscheinlichkeit aus der Student-Verteilung\r\r(z.B. 1, 5, 10%)"));
        QCOMPARE(shownReport(),
            report({ kHeading, "Bei einer Irrtumswahrscheinlichkeit von 5% ", "wurde die Alternativ-Hypothese Ha: µ1 <> µ2 ",
                "gegen die Nullhypothese Ho: µ1 = µ2 untersucht.", kNoCheck,
                "      Freiheitsgrade              = 24",
                "      Signifikanzschranke (t-Tab) = " + crit(StudentT(DistMode::Quantile, 24, 0.025), "#0.0000"),
                "      t-Wert (berechnet)          = 4,8901", "", "", kSignificantT, "",
                "Verglichen wurden: ATLANTIK und PAZIFIK", "" }));
        QCOMPARE(child<QLabel>(form->resultsWindow(), "Label1")->text(), QString::fromUtf8("t-TEST für Zweistich."));
        // With a result the main window offers the next steps; the lists wait.
        QVERIFY(child<QPushButton>(form.get(), "CmdDeskriptive")->isEnabled());
        QVERIFY(child<QPushButton>(form.get(), "CmdGraphik")->isEnabled());
        QVERIFY(child<QPushButton>(form.get(), "CmdTestWahl")->isEnabled());
        QVERIFY(!child<ClickList>(form.get(), "List1")->isEnabled());

        // Printed where there is no printer: a PDF with the verdict.
        QTemporaryDir tmp;
        const QString file = tmp.filePath("ergebnis.pdf");
        form->resultsWindow()->printTarget.pdfOnly = true;
        form->resultsWindow()->printTarget.askPdfFile = [&](QWidget*) { return std::optional<QString>(file); };
        QTest::mouseClick(child<QPushButton>(form->resultsWindow(), "CmdDruck"), Qt::LeftButton);
        QProcess pdftotext;
        pdftotext.start("pdftotext", { file, "-" });
        QVERIFY(pdftotext.waitForFinished(20000));
        const QString printed = QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
        QVERIFY2(printed.contains(QString::fromUtf8("als signifikant anzusehen, da der t-Wert größer/gleich")), qPrintable(printed));
        QVERIFY2(printed.contains("4,8901"), qPrintable(printed));
    }

    void classGroupsWelchOneSided()
    {
        readSamples("mnuKlassen", { "D2", "G2" }, { "FANG 1", "FANG 2" });
        choose("List2", 1, 1, "1%"); // WELCH, Ha: µ1 < µ2
        QCOMPARE(shownReport(),
            report({ kHeading, "Bei einer Irrtumswahrscheinlichkeit von 1% ", "wurde die Alternativ-Hypothese Ha: µ1 < u2 ",
                "gegen die Nullhypothese Ho: µ1 > µ2 untersucht.", kNoCheck,
                "      Freiheitsgrade         = 98",
                "      Signifikanzschranke    = " + crit(StudentT(DistMode::Quantile, 98, 0.01), "0.0000"),
                "      t-Wert (berechnet)     = 1,7327", "", "", kRandomT, "", "Verglichen wurden: FANG 1 und FANG 2", "" }));
    }

    void summaryValuesTTestOneSided()
    {
        readSamples("mnuXquerSN", { "J2", "K2" }, { "ATLANTIK", "PAZIFIK" });
        choose("List2", 0, 2, ""); // Ha: µ1 > µ2; an empty answer is 5 %
        QCOMPARE(shownReport(),
            report({ kHeading, "Bei einer Irrtumswahrscheinlichkeit von 5% ", "wurde die Alternativ-Hypothese Ha: µ1 > µ2 ",
                "gegen die Nullhypothese Ho: µ1 < µ2 untersucht.", kNoCheck,
                "      Freiheitsgrade              = 24",
                "      Signifikanzschranke (t-Tab) = " + crit(StudentT(DistMode::Quantile, 24, 0.05), "#0.0000"),
                "      t-Wert (berechnet)          = 4,8966", "", "", kSignificantT, "",
                "Verglichen wurden: ATLANTIK und PAZIFIK", "" }));
    }

    void pairedValuesWilcoxon()
    {
        readSamples("mnuWertepaare", { "M2" }, { "Blutdruck" });
        choose("List3", 1, 0, "5");
        QCOMPARE(dialogs->shown(Kind::Input).back().text,
            std::string("Irrtumswahrscheinlichkeit für den Wilcoxon-Test.\r\r(Nur 1, 2, 5 oder 10%)"));
        QCOMPARE(shownReport(),
            report({ kHeading, "Bei einer Irrtumswahrscheinlichkeit von 5% ", "wurde die Alternativ-Hypothese Ha: µ1 <> µ2 ",
                "gegen die Nullhypothese Ho: µ1 = µ2 untersucht.", "",
                "      Wertepaare Diff<>0     = 12", "      Signifikanzschranke    = 14,00", "      R-Wert (berechnet)     = 0",
                "", "",
                "Die beobachteten Unterschiede sind als signifikant anzusehen, da der R-Wert gleich/kleiner als die "
                "Signifikanzschranke ist.",
                "", "Verglichen wurden: Blutdruck", "" }));
    }

    void lordRefusesALevelItHasNoTableFor()
    {
        readSamples("mnuEinzel", { "A2", "B2" }, { "", "" });
        dialogs->input("10"); // asked first; refused with a message, then 5 %
        choose("List1", 2, 0, "5");
        const auto refusals = dialogs->shown(Kind::Message);
        QCOMPARE(refusals.size(), std::size_t(1));
        QCOMPARE(refusals[0].title, std::string("Fehler"));
        QCOMPARE(refusals[0].text, std::string("Bitte wählen Sie nur zwischen 1% und 5%"));
        const auto questions = dialogs->shown(Kind::Input);
        QCOMPARE(questions.size(), std::size_t(4)); // two names, two levels
        QCOMPARE(questions[2].text, std::string("Irrtumswahrscheinlichkeit für den Lord-Test.\r\r(Nur 1% oder 5%)"));
        QVERIFY(shownReport().find("Bei einer Irrtumswahrscheinlichkeit von 5% ") != std::string::npos);
        QVERIFY(shownReport().find("      Freiheitsgrade (n)        = 14") != std::string::npos);
    }
};

QTEST_MAIN(TestResultsFlow)
#include "ResultsFlowTest.moc"
