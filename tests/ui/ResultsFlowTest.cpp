// Whole analyses through the real windows, one test for each data type: the
// samples from the example workbook, the test and hypothesis chosen in the
// main window, the level answered, and the report of the test-results window
// compared line by line, with the additions below it on screen and on paper,
// and with the report of zerantix-cli. Every test runs once for each format
// the example workbook is saved in (blatt.xls, .xlsx, .ods, .csv), alone in
// the program folder, so each must give the same reports. Statistics are
// SciPy's (data/make_flow_reference.py); critical values are the program's
// documented approximations, whose own accuracy is tested on their own.
#include "core/AnalysisRecord.h"
#include "core/NumberText.h"
#include "stats/Distributions.h"
#include "ui/Controls.h"
#include "ui/MainWindow.h"
#include "stats/SupplementLines.h"
#include "ui/ResultsWindow.h"
#include "MainWindowSession.h"
#include "QtTestSupport.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace zx;
using zx::test::child;
using zx::test::clickItem;
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

    // A report with its date line left out, the additions below it kept.
    static std::string withoutDate(const QString& text)
    {
        return QString(text).remove(QRegularExpression("DATUM: [^\\n]*\\n?")).toStdString();
    }

    std::string shownWithAdditions() { return form->resultsWindow() ? withoutDate(form->resultsWindow()->reportText()) : ""; }

    // The same analysis through zerantix-cli: the text it prints, date line
    // left out, to be equal to the window's.
    std::string cliReport(QStringList arguments)
    {
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", "/nonexistent"); // no parameter file of the machine's user
        cli.setProcessEnvironment(env);
        cli.start(ZX_CLI, arguments << "--trennzeichen" << ",");
        if (!cli.waitForFinished(20000) || cli.exitCode() != 0)
            return "zerantix-cli failed: " + cli.readAllStandardError().toStdString();
        QString text = QString::fromUtf8(cli.readAllStandardOutput());
        text.chop(1); // the line feed that ends the command's output
        return withoutDate(text);
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
        session.readSamples("mnuEinzel", { "A2", "B2" }, { "ATLANTIK", "PAZIFIK" });
        session.choose("List1", 0, 0, "5");
        const auto questions = dialogs->shown(Kind::Input);
        QCOMPARE(questions.back().text, std::string("Irrtumswahrscheinlichkeit aus der Student-Verteilung\r\r(z.B. 1, 5, 10%)"));
        QCOMPARE(shownReport(),
            report({ kHeading, "Bei einer Irrtumswahrscheinlichkeit von 5% ", "wurde die Alternativ-Hypothese Ha: µ1 <> µ2 ",
                "gegen die Nullhypothese Ho: µ1 = µ2 untersucht.", kNoCheck,
                "      Freiheitsgrade              = 24",
                "      Signifikanzschranke (t-Tab) = " + crit(StudentT(DistMode::Quantile, 24, 0.025), "#0.0000"),
                "      t-Wert (berechnet)          = 4,8901", "", "", kSignificantT, "",
                "Verglichen wurden: ATLANTIK und PAZIFIK", "" }));
        QCOMPARE(cliReport({ "--daten", "einzelwerte", "--stichprobe1", "A2", "--stichprobe2", "B2", "--namen", "ATLANTIK,PAZIFIK",
                     "--test", "t" }),
            shownWithAdditions());
        QCOMPARE(child<QLabel>(form->resultsWindow(), "Label1")->text(), QString::fromUtf8("t-TEST für Zweistich."));
        // With a result the main window offers the next steps; the lists wait.
        QVERIFY(child<QPushButton>(form.get(), "CmdDeskriptive")->isEnabled());
        QVERIFY(child<QPushButton>(form.get(), "CmdGraphik")->isEnabled());
        QVERIFY(child<QPushButton>(form.get(), "CmdTestWahl")->isEnabled());
        QVERIFY(!child<ClickList>(form.get(), "List1")->isEnabled());

        // Below the date line, behind a separator, the additions the record holds.
        QVERIFY(rec->Zusatzangaben);
        const std::vector<std::string> additions = SupplementLines(*rec->Zusatzangaben);
        QStringList expectedTail { QString::fromStdString(kRule) };
        for (const auto& line : additions)
            expectedTail << QString::fromStdString(line);
        const QStringList shownLines = form->resultsWindow()->reportText().split('\n');
        const auto date = shownLines.indexOf(QRegularExpression("^DATUM: .*"));
        QVERIFY(date > 0);
        QCOMPARE(shownLines.mid(date + 1), expectedTail);
        // All of it in view: the window's image is what goes to paper.
        QCOMPARE(child<QPlainTextEdit>(form->resultsWindow(), "Text1")->verticalScrollBar()->maximum(), 0);

        // Printed where there is no printer: a PDF with the verdict.
        QTemporaryDir tmp;
        const QString file = tmp.filePath("ergebnis.pdf");
        form->resultsWindow()->printTarget.pdfOnly = true;
        form->resultsWindow()->printTarget.askPdfFile = [&](QWidget*) { return std::optional<QString>(file); };
        QTest::mouseClick(child<QPushButton>(form->resultsWindow(), "CmdDruck"), Qt::LeftButton);
        const QString printed = zx::test::PdfText(file, false).simplified();
        QVERIFY2(printed.contains(QString::fromUtf8("als signifikant anzusehen, da der t-Wert größer/gleich")), qPrintable(printed));
        QVERIFY2(printed.contains("4,8901"), qPrintable(printed));
        QVERIFY2(printed.contains(QString::fromStdString(additions.front())), qPrintable(printed));
    }

    void classGroupsWelchOneSided()
    {
        session.readSamples("mnuKlassen", { "D2", "G2" }, { "FANG 1", "FANG 2" });
        session.choose("List2", 1, 1, "1%"); // WELCH, Ha: µ1 < µ2
        QCOMPARE(shownReport(),
            report({ kHeading, "Bei einer Irrtumswahrscheinlichkeit von 1% ", "wurde die Alternativ-Hypothese Ha: µ1 < u2 ",
                "gegen die Nullhypothese Ho: µ1 > µ2 untersucht.", kNoCheck,
                "      Freiheitsgrade         = 98",
                "      Signifikanzschranke    = " + crit(StudentT(DistMode::Quantile, 98, 0.01), "0.0000"),
                "      t-Wert (berechnet)     = 1,7327", "", "", kRandomT, "", "Verglichen wurden: FANG 1 und FANG 2", "" }));
        QCOMPARE(cliReport({ "--daten", "klassen", "--stichprobe1", "D2", "--stichprobe2", "G2", "--namen", "FANG 1,FANG 2",
                     "--test", "welch", "--hypothese", "kleiner", "--niveau", "1%" }),
            shownWithAdditions());
    }

    void summaryValuesTTestOneSided()
    {
        session.readSamples("mnuXquerSN", { "J2", "K2" }, { "ATLANTIK", "PAZIFIK" });
        session.choose("List2", 0, 2, ""); // Ha: µ1 > µ2; an empty answer is 5 %
        QCOMPARE(shownReport(),
            report({ kHeading, "Bei einer Irrtumswahrscheinlichkeit von 5% ", "wurde die Alternativ-Hypothese Ha: µ1 > µ2 ",
                "gegen die Nullhypothese Ho: µ1 < µ2 untersucht.", kNoCheck,
                "      Freiheitsgrade              = 24",
                "      Signifikanzschranke (t-Tab) = " + crit(StudentT(DistMode::Quantile, 24, 0.05), "#0.0000"),
                "      t-Wert (berechnet)          = 4,8966", "", "", kSignificantT, "",
                "Verglichen wurden: ATLANTIK und PAZIFIK", "" }));
        QCOMPARE(cliReport({ "--daten", "xsn", "--stichprobe1", "J2", "--stichprobe2", "K2", "--namen", "ATLANTIK,PAZIFIK", "--test",
                     "t", "--hypothese", "groesser", "--niveau", "" }),
            shownWithAdditions());
    }

    void pairedValuesWilcoxon()
    {
        session.readSamples("mnuWertepaare", { "M2" }, { "Blutdruck" });
        session.choose("List3", 1, 0, "5");
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
        QCOMPARE(cliReport({ "--daten", "paare", "--stichprobe1", "M2", "--namen", "Blutdruck", "--test", "wilcoxon" }), shownWithAdditions());
    }

    void lordRefusesALevelItHasNoTableFor()
    {
        session.readSamples("mnuEinzel", { "A2", "B2" }, { "", "" });
        dialogs->input("10"); // asked first; refused with a message, then 5 %
        session.choose("List1", 2, 0, "5");
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
