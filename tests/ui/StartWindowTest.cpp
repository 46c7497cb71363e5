// The start window: the catalogue, the descriptions, the entry into this
// module and the program directory it reads at start.
#include "core/AnalysisRecord.h"
#include "ui/MainWindow.h"
#include "ui/StartWindow.h"
#include "QtTestSupport.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <memory>

using namespace zx;
using zx::test::child;
using Kind = zx::test::ScriptedDialogs::Kind;

class TestStartWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AnalysisRecord> rec;
    std::unique_ptr<zx::test::ScriptedDialogs> dialogs;
    std::unique_ptr<StartWindow> form;
    QTemporaryDir tmp;
    int endCalls = 0;

    void open(StartOptions options)
    {
        form = std::make_unique<StartWindow>(*rec, *dialogs, std::move(options));
        form->endProgram = [this] { ++endCalls; };
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    StartOptions noParameterFile()
    {
        StartOptions o;
        o.parameterFile = (tmp.path() + "/fehlt/velbor.PAR").toStdString();
        o.currentFolder = "/arbeit";
        return o;
    }

    QPlainTextEdit* text(const char* name) { return child<QPlainTextEdit>(form.get(), name); }

    // A click on the option's round button, where a user clicks.
    void chooseOption(const char* name)
    {
        auto* option = child<QRadioButton>(form.get(), name);
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
    }

private slots:
    void init()
    {
        rec = std::make_unique<AnalysisRecord>();
        dialogs = std::make_unique<zx::test::ScriptedDialogs>(zx::test::QtScriptedDialogs());
        endCalls = 0;
    }

    void cleanup() { form.reset(); }

    void readsTheProgramDirectoryFromRecordOne()
    {
        const std::string path = (tmp.path() + "/velbor.PAR").toStdString();
        const std::string folder = "/daten/zx\xE4/"; // Windows-1252
        std::string bytes(1, static_cast<char>(folder.size()));
        bytes += '\0';
        bytes += folder;
        bytes.resize(100, ' ');
        std::ofstream(path, std::ios::binary) << bytes;
        StartOptions o = noParameterFile();
        o.parameterFile = path;
        o.argumentFolder = "/anderswo";
        open(o);
        QCOMPARE(rec->Verzeichnis, std::string("/daten/zxä/"));
    }

    void withoutParameterFileTheArgumentThenTheExampleFolderCounts()
    {
        StartOptions o = noParameterFile();
        o.exampleFolder = "/opt/zerantix/examples";
        o.argumentFolder = "/home/anna/proben";
        open(o);
        QCOMPARE(rec->Verzeichnis, std::string("/home/anna/proben/"));
        form.reset();
        o.argumentFolder.reset();
        open(o);
        QCOMPARE(rec->Verzeichnis, std::string("/opt/zerantix/examples/"));
        form.reset();
        o.exampleFolder.reset();
        open(o);
        QCOMPARE(rec->Verzeichnis, std::string("/arbeit/"));
    }

    void catalogue()
    {
        open(noParameterFile());
        QCOMPARE(form->windowTitle(), QString("Zerantix"));
        QCOMPARE(child<QGroupBox>(form.get(), "Frame1")->title(), QString::fromUtf8("Hauptmenü: Module"));
        const std::pair<const char*, const char*> options[] = {
            { "Option1", "KAPA11-Einstichprobe" },
            { "Option13", "KAPA13-Charakterisierung der Diversität" },
            { "Option2", "KAPA21-Vergleich zweier Stichproben" },
            { "Option3", "KAPA31-Einfache Varianzanalyse" },
            { "Option4", "KAPA32-Zweifache Varianzanalyse" },
            { "Option5", "KAPA33-Dreifache Varianzanalyse" },
            { "Option6", "KAPA41-Einfache Regressionsanalyse" },
            { "Option7", "KAPA42-Kovarianzanalyse" },
            { "Option8", "KAPA43-Multiple Lineare Regression" },
            { "Option11", "KAPA44-Toleranz-/Vertrauensbereich" },
            { "Option9", "KAPA51-Probitanalyse" },
            { "Option10", "KAPA61-Logitanalyse" },
            { "Option12", "KAPA71-Hauptkomponentenanalyse" },
        };
        int lastTop = -1;
        for (const auto& [name, caption] : options) {
            auto* option = child<QRadioButton>(form.get(), name);
            QCOMPARE(option->text(), QString::fromUtf8(caption));
            QVERIFY2(option->y() > lastTop, name); // in catalogue order
            lastTop = option->y();
        }
        QCOMPARE(child<QLabel>(form.get(), "Label8")->text(), QString("KAPA21"));
        QCOMPARE(child<QLabel>(form.get(), "Label1")->text(), QString("Zerantix"));
        QCOMPARE(child<QLabel>(form.get(), "Label3")->text(),
            QString::fromUtf8("Das Programm mit Übersicht für statistische Auswertungen"));
        QVERIFY(child<QLabel>(form.get(), "Image1")->isVisible());
        QVERIFY(text("Text1")->isHidden());
        QVERIFY(text("Text2")->isHidden());
    }

    void descriptionOfThisModule()
    {
        open(noParameterFile());
        chooseOption("Option2");
        const QStringList expected = { "     VERGLEICH ZWEIER STICHPROBEN", "", "a) Unabhängige Stichproben",
            "   - t-Test für Zweistichproben", "   - WELCH-Test", "   - LORD-Test", "   - WEIR-Test",
            "   - U-Test (MANN & WHITNEY-Test)", "   - Median-Test", "b) Abhängige Stichproben",
            "   - t-Test für Paardiff. (Wertepaare)", "   - WILCOXON-Test für Paardiff.",
            "   - Vorzeichen-Test für Paardiff.", "c) Prüfung der Voraussetzungen", "   - KOLMOGOROFF-SMIRNOV-Test",
            "   - SHAPIRO & WILK-Test", "   - DAVID et al.-Test", "   - F- und t-Test", "d) Ergänzende Informationen",
            "   - Graphik:", "     BOX-WHISKER-PLOT", "     XSN-PLOT", "   - 21 Deskriptive Parameter" };
        QCOMPARE(text("Text2")->toPlainText(), expected.join('\n'));
        QVERIFY(text("Text2")->isVisible());
        QVERIFY(child<QLabel>(form.get(), "Image1")->isHidden());
        QVERIFY(child<QLabel>(form.get(), "Label1")->isVisible());
    }

    void everyModuleHasItsHeadingAndLayout_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("heading");
        QTest::newRow("KAPA11") << "Option1" << "     EINSTICHPROBE: Parameter und Tests";
        QTest::newRow("KAPA13") << "Option13" << QString::fromUtf8("     CHARAKTERISIERUNG DER DIVERSITÄT");
        QTest::newRow("KAPA31") << "Option3" << "     EINFACHE VARIANZANALYSE";
        QTest::newRow("KAPA32") << "Option4" << "     ZWEIFACHE VARIANZANALYSE";
        QTest::newRow("KAPA33") << "Option5" << "     DREIFACHE VARIANZANALYSE";
        QTest::newRow("KAPA41") << "Option6" << "     EINFACHE REGRESSION (12 Modelle)";
        QTest::newRow("KAPA42") << "Option7" << "  KOVARIANZANALYSE (12 Modelle)";
        QTest::newRow("KAPA43") << "Option8" << "   MULTIPLE LINEARE REGRESSION";
        QTest::newRow("KAPA44") << "Option11" << "   LINEARE REGRESSION: (12 Modellen)";
        QTest::newRow("KAPA51") << "Option9" << "    PROBITANALYSE";
        QTest::newRow("KAPA61") << "Option10" << "        LOGITANALYSE";
        QTest::newRow("KAPA71") << "Option12" << "   HAUPTKOMPONENTENANALYSE (PCA)";
    }

    void everyModuleHasItsHeadingAndLayout()
    {
        QFETCH(QString, option);
        QFETCH(QString, heading);
        open(noParameterFile());
        chooseOption(option.toLatin1());
        const QStringList lines = text("Text2")->toPlainText().split('\n');
        QVERIFY(lines.size() > 4);
        QCOMPARE(lines[0], heading);
        QCOMPARE(lines[1], QString());
        QRegularExpression section("^[a-z]\\) \\S");
        QRegularExpression item("^   - \\S");
        QRegularExpression subItem("^     \\S");
        QVERIFY(section.match(lines[2]).hasMatch());
        for (int i = 2; i < lines.size(); ++i)
            QVERIFY2(section.match(lines[i]).hasMatch() || item.match(lines[i]).hasMatch() || subItem.match(lines[i]).hasMatch(),
                qPrintable(lines[i]));
    }

    void aSecondOptionReplacesTheDescription()
    {
        open(noParameterFile());
        chooseOption("Option2");
        chooseOption("Option9");
        QVERIFY(text("Text2")->toPlainText().startsWith("    PROBITANALYSE\n\n"));
        QVERIFY(!text("Text2")->toPlainText().contains("STICHPROBEN"));
    }

    void whyZerantix()
    {
        open(noParameterFile());
        chooseOption("Option2");
        zx::test::click(form.get(), "CmdWarum");
        QVERIFY(text("Text1")->isVisible());
        QVERIFY(text("Text2")->isHidden());
        QVERIFY(child<QLabel>(form.get(), "Image1")->isHidden());
        const QString why = text("Text1")->toPlainText();
        QVERIFY(why.count('\n') >= 18);
        QVERIFY(why.contains("Voraussetzungen"));
    }

    void infoAndContents()
    {
        open(noParameterFile());
        zx::test::click(form.get(), "CmdInhalt");
        zx::test::click(form.get(), "CmdInfo");
        const auto shown = dialogs->shown(Kind::Message);
        QCOMPARE(shown.size(), std::size_t(2));
        QCOMPARE(shown[0].text, std::string("Bitte oben im HAUPTMENÜ auf die einzelnen Module klicken!"));
        QCOMPARE(shown[0].title, std::string("Tests und Verfahren im Zerantix"));
        QCOMPARE(shown[1].text, std::string("Bitte Datei InfoDemo.txt im Verzeichnis Zerantix lesen!"));
        QCOMPARE(shown[1].title, std::string("Weitere Infos über Zerantix"));
        // The file "Info" points to lies beside the example workbook and
        // names this version.
        std::ifstream info(ZX_EXAMPLES_DIR "/InfoDemo.txt");
        std::string title, version;
        QVERIFY(std::getline(info, title) && std::getline(info, version));
        QCOMPARE(version, std::string("Version " ZX_VERSION));
    }

    void kapa21OpensTheMainWindowBesideTheStartWindow()
    {
        open(noParameterFile());
        QVERIFY(!form->mainWindow());
        QTest::mouseClick(child<QLabel>(form.get(), "Label8"), Qt::LeftButton);
        MainWindow* main = form->mainWindow();
        QVERIFY(main);
        QVERIFY(QTest::qWaitForWindowExposed(main));
        QVERIFY(form->isVisible());
        QCOMPARE(main->windowTitle(), QString("KAPA21"));
        QCOMPARE(rec->CrLf, std::string("\r\n"));
        // A second click shows the same window.
        QTest::mouseClick(child<QLabel>(form.get(), "Label8"), Qt::LeftButton);
        QCOMPARE(form->mainWindow(), main);
    }

    void endEndsTheProgram()
    {
        open(noParameterFile());
        zx::test::click(form.get(), "CmdEnde");
        QCOMPARE(endCalls, 1);
    }
};

QTEST_MAIN(TestStartWindow)
#include "StartWindowTest.moc"
