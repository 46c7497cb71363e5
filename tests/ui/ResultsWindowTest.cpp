// The test-results window: what it shows, that it cannot be edited, and its
// printout (a PDF here, where no printer is set up) with the verdict in it.
#include "core/AnalysisRecord.h"
#include "core/NumberText.h"
#include "ui/Controls.h"
#include "ui/ResultsWindow.h"
#include "QtTestSupport.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace zx;
using zx::test::child;
using Kind = zx::test::ScriptedDialogs::Kind;

namespace {

const char* kVerdict = "Die beobachteten Unterschiede sind als signifikant anzusehen, da der t-Wert größer/gleich als "
                       "die Signifikanzschranke ist.";

} // namespace

class TestResultsWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<AnalysisRecord> rec;
    std::unique_ptr<zx::test::ScriptedDialogs> dialogs;
    std::unique_ptr<ResultsWindow> form;
    QTemporaryDir tmp;

    void open()
    {
        form = std::make_unique<ResultsWindow>(*rec, *dialogs);
        form->setTitle("t-TEST für Zweistich.");
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

private slots:
    void init()
    {
        SetDecimalSeparator(',');
        rec = std::make_unique<AnalysisRecord>();
        dialogs = std::make_unique<zx::test::ScriptedDialogs>(zx::test::QtScriptedDialogs());
        rec->Datentyp = 1;
        rec->TestName = "t-TEST für Zweistich.";
        rec->NormPruef = " ";
        rec->VarPruef = " ";
        rec->Bezeichnung[1] = "ATLANTIK";
        rec->Bezeichnung[2] = "PAZIFIK";
        rec->ErgText[0] = "                  ERGEBNISSE              ";
        rec->ErgText[1] = "Bei einer Irrtumswahrscheinlichkeit von 5% ";
        rec->ErgText[2] = "wurde die Alternativ-Hypothese Ha: µ1 <> µ2 ";
        rec->ErgText[3] = "gegen die Nullhypothese Ho: µ1 = µ2 untersucht.";
        rec->ErgText[5] = "      Freiheitsgrade              = 18";
        rec->ErgText[6] = "      Signifikanzschranke (t-Tab) = 2,1009";
        rec->ErgText[7] = "      t-Wert (berechnet)          = 2,2361";
        rec->ErgText[10] = kVerdict;
    }

    void cleanup() { form.reset(); }

    void showsTheFramedReport()
    {
        open();
        QCOMPARE(form->windowTitle(), QString("Test/Ergebnisse"));
        QCOMPARE(child<QLabel>(form.get(), "Label1")->text(), QString::fromUtf8("t-TEST für Zweistich."));
        const QStringList lines = form->reportText().split('\n');
        QCOMPARE(lines[0], QString("                  ERGEBNISSE              "));
        QCOMPARE(lines[1], QString(55, '-'));
        QCOMPARE(lines[2], QString::fromUtf8("Bei einer Irrtumswahrscheinlichkeit von 5% wurde die Alternativ-Hypothese "
                                             "Ha: µ1 <> µ2 gegen die Nullhypothese Ho: µ1 = µ2 untersucht."));
        QCOMPARE(lines[4], QString::fromUtf8("Keine Prüfung auf Erfüllung der Voraussetzungen durchgeführt."));
        QCOMPARE(lines[8], QString("      t-Wert (berechnet)          = 2,2361"));
        QCOMPARE(lines[11], QString::fromUtf8(kVerdict));
        QCOMPARE(lines[13], QString("Verglichen wurden: ATLANTIK und PAZIFIK"));
        // German form whatever the environment's locale (the suite runs under C).
        QVERIFY2(QRegularExpression("^DATUM: \\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d$").match(lines.last()).hasMatch(),
            qPrintable(lines.last()));
        QVERIFY(lines.last().contains(QDate::currentDate().toString("dd.MM.yyyy")));
    }

    // Qt's standard dialogs speak German on an English or C desktop.
    void qtTextsAreGerman()
    {
        QVERIFY(InstallGermanTranslations(*QCoreApplication::instance()));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Abbrechen"));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QString("Suchen in:"));
    }

    void typingChangesNothing()
    {
        open();
        const QString before = form->reportText();
        auto* text = child<QPlainTextEdit>(form.get(), "Text1");
        text->setFocus();
        QTest::keyClicks(text, "Unsinn");
        QTest::keyClick(text, Qt::Key_Delete);
        QCOMPARE(form->reportText(), before);
    }

    void printsIntoAPdfWithTheVerdict()
    {
        open();
        const QString file = tmp.filePath("bericht.pdf");
        form->printTarget.pdfOnly = true;
        form->printTarget.askPdfFile = [&](QWidget*) { return std::optional<QString>(file); };
        QTest::mouseClick(child<QPushButton>(form.get(), "CmdDruck"), Qt::LeftButton);
        QCOMPARE(form->lastPrint, PrintOutcome::SavedAsPdf);
        QVERIFY(child<QPushButton>(form.get(), "CmdDruck")->isVisible());
        QVERIFY(child<QPushButton>(form.get(), "CmdWeiter")->isVisible());
        const QString text = zx::test::PdfText(file).simplified();
        QVERIFY2(text.contains(QString::fromUtf8("signifikant anzusehen")), qPrintable(text));
        QVERIFY2(text.contains("2,2361"), qPrintable(text));
        QVERIFY2(!text.contains("Drucken"), "the buttons are not printed");
    }

    // Long names run out of the window's width: on paper the report is text
    // pages, nothing cut, the names wrapped and a second sheet when needed.
    void printsEveryLineOnAsManySheetsAsItNeeds()
    {
        rec->Bezeichnung[1] = std::string(5000, 'A') + "ENDE1";
        rec->Bezeichnung[2] = "PAZIFIK";
        rec->TestName = "U-TEST";
        open();
        const QString file = tmp.filePath("lang.pdf");
        form->printTarget.pdfOnly = true;
        form->printTarget.askPdfFile = [&](QWidget*) { return std::optional<QString>(file); };
        form->CmdDruck_Click();
        QCOMPARE(form->lastPrint, PrintOutcome::SavedAsPdf);
        const QString text = zx::test::PdfText(file, false);
        QVERIFY2(text.count('\f') >= 2, "at least two sheets");
        // The name runs across the sheet's end: without the head of the next
        // sheet and the page numbers, it is whole.
        QString joined = text;
        joined.remove('\n').remove('\f').remove(' ').remove("Zerantix").remove(child<QLabel>(form.get(), "Label1")->text().remove(' ')).remove(QRegularExpression("Seite\\d+von\\d+"));
        QVERIFY(joined.contains(QString(5000, 'A') + "ENDE1undPAZIFIK"));
        QVERIFY(text.contains("VORSICHT"));
        QVERIFY(text.contains("DATUM:"));
        QVERIFY(text.contains("Seite 2 von"));
    }

    void fileErrors_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("no such folder")
            << "/gibt/es/nicht/bericht.pdf"
            << QString::fromUtf8("Error =  64in Zeile =  0Falsche Dateiname. FEHLER BEHEBEN. Weiter mit OK\r\nDie PDF-Datei "
                                 "\u201E/gibt/es/nicht/bericht.pdf\u201C kann nicht geschrieben werden: der Ordner "
                                 "\u201E/gibt/es/nicht\u201C existiert nicht.");
        QTest::newRow("a file for a folder")
            << "/etc/passwd/bericht.pdf"
            << QString::fromUtf8("Error =  64in Zeile =  0Falsche Dateiname. FEHLER BEHEBEN. Weiter mit OK\r\nDie PDF-Datei "
                                 "\u201E/etc/passwd/bericht.pdf\u201C kann nicht geschrieben werden: \u201E/etc/passwd\u201C ist "
                                 "kein Ordner.");
        QTest::newRow("not writable")
            << "/proc/zerantix-bericht.pdf"
            << QString::fromUtf8("Error =  79in Zeile =  0Laufwerk nicht fertig. FEHLER BEHEBEN. Weiter mit OK\r\nDie PDF-Datei "
                                 "\u201E/proc/zerantix-bericht.pdf\u201C kann nicht geschrieben werden: der Ordner erlaubt "
                                 "kein Schreiben, oder der Datenträger ist voll.");
    }

    void fileErrors()
    {
        QFETCH(QString, file);
        QFETCH(QString, message);
        open();
        form->printTarget.pdfOnly = true;
        form->printTarget.askPdfFile = [&](QWidget*) { return std::optional<QString>(file); };
        form->CmdDruck_Click();
        QCOMPARE(form->lastPrint, PrintOutcome::Failed);
        const auto shown = dialogs->shown(Kind::Message);
        QCOMPARE(shown.size(), std::size_t(1));
        QCOMPARE(shown[0].title, std::string("Fehler"));
        QCOMPARE(QString::fromStdString(shown[0].text), message);
        QVERIFY(child<QPushButton>(form.get(), "CmdDruck")->isVisible());
    }

    void cancelledFileQuestionPrintsNothing()
    {
        open();
        form->printTarget.pdfOnly = true;
        form->printTarget.askPdfFile = [](QWidget*) { return std::optional<QString>(); };
        form->CmdDruck_Click();
        QCOMPARE(form->lastPrint, PrintOutcome::Cancelled);
        QVERIFY(dialogs->shown().empty());
    }

    void weiterCloses()
    {
        open();
        QTest::mouseClick(child<QPushButton>(form.get(), "CmdWeiter"), Qt::LeftButton);
        QVERIFY(!form->isVisible());
    }
};

QTEST_MAIN(TestResultsWindow)
#include "ResultsWindowTest.moc"
