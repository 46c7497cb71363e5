// The windows that show a seeded record's results, and their printouts (a
// PDF here, where no printer is set up): the test-results window with
// today's date, every line of its report on as many sheets as it needs, or
// the reason printing failed; the descriptive parameters' printed page; the
// plot window's menus, its size, its printout and its image files.
#include "core/DateText.h"
#include "stats/Descriptive.h"
#include "ui/ParametersWindow.h"
#include "ui/PlotPainter.h"
#include "ui/PlotWindow.h"
#include "ui/ResultsWindow.h"
#include "workflow/ParametersListing.h"
#include "WindowTest.h"
#include "Samples.h"

#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace zx;
using namespace zx::test;
using Kind = ScriptedDialogs::Kind;

class TestReportWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<AnalysisRecord> rec;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<QWidget> window;
    QTemporaryDir tmp;

    template <typename W>
    W* open()
    {
        window = std::make_unique<W>(*rec, *dialogs);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("window not shown");
        return static_cast<W*>(window.get());
    }

    ResultsWindow* results()
    {
        auto* w = open<ResultsWindow>();
        w->setTitle("t-TEST für Zweistich.");
        return w;
    }

    void trigger(const char* entry) { child<QAction>(window.get(), entry)->trigger(); }

private slots:
    void init()
    {
        SetDecimalSeparator(',');
        rec = std::make_unique<AnalysisRecord>();
        dialogs = std::make_unique<ScriptedDialogs>(QtScriptedDialogs());
        SetSingleValues(*rec, 1, { 10, 30, 40, 50, 60 });
        SetSingleValues(*rec, 2, { 20, 35, 45, 55, 80 });
        rec->Bezeichnung[1] = "ATLANTIK";
        rec->Bezeichnung[2] = "PAZIFIK";
        rec->TestName = "t-TEST für Zweistich.";
        rec->ErgText[7] = "      t-Wert (berechnet)          = 2,2361";
        QVERIFY(ComputeDescriptives(*rec, *dialogs));
    }

    void cleanup() { window.reset(); }

    // On screen with today's date; on paper, where long names run out of the
    // window's width, text pages with nothing cut, the names wrapped and a
    // second sheet when needed.
    void resultsOnScreenAndOnPaper()
    {
        rec->Bezeichnung[1] = std::string(5000, 'A') + "ENDE1";
        rec->TestName = "U-TEST"; // with its warning
        ResultsWindow* form = results();
        QCOMPARE(form->windowTitle(), QString("Test/Ergebnisse"));
        QCOMPARE(child<QLabel>(form, "Label1")->text(), QString::fromUtf8("t-TEST für Zweistich."));
        const QStringList lines = form->reportText().split('\n');
        QVERIFY(lines.contains(QString::fromStdString(rec->ErgText[7])));
        // German form whatever the environment's locale (the suite runs under C).
        const QRegularExpression dated("^DATUM: " + QDate::currentDate().toString("dd\\.MM\\.yyyy") + " \\d\\d:\\d\\d:\\d\\d$");
        QVERIFY2(dated.match(lines.last()).hasMatch(), qPrintable(lines.last()));
        const QString file = tmp.filePath("lang.pdf");
        form->printTarget = PdfTarget(file);
        click(form, "CmdDruck");
        QCOMPARE(form->lastPrint, PrintOutcome::SavedAsPdf);
        const QString text = PdfText(file, false);
        QVERIFY2(text.count('\f') >= 2, "at least two sheets");
        // Without the head of the next sheet and the page numbers, the name is whole.
        QString joined = text;
        joined.remove(QRegularExpression("\\s")).remove(QRegularExpression("Zerantix|t-TESTfürZweistich\\.|Seite\\d+von\\d+"));
        QVERIFY(joined.contains(QString(5000, 'A') + "ENDE1undPAZIFIK"));
        for (const char* shown : { "2,2361", "VORSICHT", "DATUM:", "Seite 2 von" })
            QVERIFY2(text.contains(shown), shown);
        QVERIFY2(!text.contains("Drucken"), "the buttons are not printed");
        click(form, "CmdWeiter");
        QVERIFY(!form->isVisible());
        // Qt's standard dialogs speak German on an English or C desktop.
        QVERIFY(InstallGermanTranslations(*QCoreApplication::instance()));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QString("Suchen in:"));
    }

    // The file-error message with its number, the file and why it failed.
    // (No file: the file question was cancelled.)
    void printingFails()
    {
        const struct { QString file, error, why; } cases[] = {
            { "/gibt/es/nicht/bericht.pdf", "64", "der Ordner „/gibt/es/nicht“ existiert nicht." },
            { "/etc/passwd/bericht.pdf", "64", "„/etc/passwd“ ist kein Ordner." },
            { "/proc/zerantix-bericht.pdf", "79", "der Ordner erlaubt kein Schreiben, oder der Datenträger ist voll." },
            { "", "", "" },
        };
        for (const auto& [file, error, why] : cases) {
            dialogs->clear();
            ResultsWindow* form = results();
            form->printTarget = PdfTarget(file);
            form->CmdDruck_Click();
            QCOMPARE(form->lastPrint, error.isEmpty() ? PrintOutcome::Cancelled : PrintOutcome::Failed);
            QCOMPARE(dialogs->shown().size(), std::size_t(!error.isEmpty()));
            if (error.isEmpty())
                continue;
            const QString text = QString::fromStdString(dialogs->shown()[0].text);
            QCOMPARE(dialogs->shown()[0].title, std::string("Fehler"));
            QVERIFY2(text.startsWith("Error =  " + error + "in Zeile =  0"), qPrintable(text));
            QVERIFY2(text.endsWith("\r\nDie PDF-Datei „" + file + "“ kann nicht geschrieben werden: " + why), qPrintable(text));
        }
    }

    // Every piece of the printed page in order (blanks as pdftotext sees
    // them), the parameters' labels and values on one line each.
    void parametersOnOneSheet()
    {
        auto* form = open<ParametersWindow>();
        const QString file = tmp.filePath("parameter.pdf");
        form->printTarget = PdfTarget(file);
        click(form, "CmdPrint");
        QCOMPARE(form->lastPrint, PrintOutcome::SavedAsPdf);
        const QString printed = PdfText(file);
        QCOMPARE(printed.count('\f'), 1);
        const auto page = ParametersPrintout(*rec, *dialogs, ReportDate());
        QVERIFY(page.has_value());
        const QString flat = printed.simplified();
        qsizetype at = 0;
        for (const PrintLine& line : *page)
            for (const PrintPiece& piece : line.pieces) {
                const QString text = QString::fromStdString(piece.text).simplified();
                at = flat.indexOf(text, at);
                QVERIFY2(at >= 0, qPrintable("not printed: " + text + "\n" + printed));
            }
        QVERIFY2(printed.contains(QRegularExpression("Probe= 2 PAZIFIK +- MITTELWERT +47,0000\n")), qPrintable(printed));
    }

    // The menus reach the settings (the questions: the plot menu's tests); the plot's coordinates span the window
    // whatever its size.
    void plotMenusAndSize()
    {
        auto* form = open<PlotWindow>();
        QVERIFY(form->hasPlot());
        trigger("mnuBoxWisker");
        // Name and size of the chosen font; the plot's text is never bold.
        form->chooseFont = [](const QFont&, QWidget*) { return std::optional<QFont>(NamedFont("Courier New", 14, true)); };
        trigger("mnuFileFonts");
        QCOMPARE(form->settings().PlotArt, std::string(kBoxWhiskerPlot));
        QCOMPARE(form->settings().font, (PlotFont { "Courier New", 14, false }));
        form->resize(1000, 600);
        QApplication::processEvents();
        QCOMPARE(form->canvas()->size(), form->centralWidget()->size());
        QImage image(form->canvas()->size(), QImage::Format_RGB32);
        QPainter painter(&image);
        PainterSurface surface(painter, QRectF(image.rect()));
        surface.setScale(-1.5, 110, 7, -130);
        QCOMPARE(surface.map({ -1.5, 110 }), QPointF(0, 0));
        QCOMPARE(surface.map({ 5.5, -20 }), QPointF(image.width(), image.height()));
        trigger("mnuFileExit");
        QVERIFY(!form->isVisible());
    }

    // Printed, and saved as PNG, SVG and PDF, through the same drawing; a
    // file that cannot be written is reported.
    void plotOnPaperAndInFiles_data()
    {
        QTest::addColumn<QString>("file");
        for (const char* file : { "druck.pdf", "plot.png", "plot.svg", "plot.pdf", "/gibt/es/nicht/plot.png" })
            QTest::newRow(file) << QString(file);
    }

    void plotOnPaperAndInFiles()
    {
        QFETCH(QString, file);
        const bool written = !file.startsWith('/');
        auto* form = open<PlotWindow>();
        file = file.startsWith('/') ? file : tmp.filePath(file);
        if (file.endsWith("druck.pdf")) {
            form->printTarget = PdfTarget(file);
            trigger("mnuFilePrint");
        } else {
            form->askImageFile = [&](QWidget*) { return std::optional<QString>(file); };
            trigger("mnuFileSaveImage");
        }
        QCOMPARE(QFile::exists(file), written);
        QCOMPARE(dialogs->shown(Kind::Message).size(), std::size_t(!written)); // "Fehler"
        if (!written)
            return;
        const QSize size = form->canvas()->size();
        QString text;
        if (file.endsWith("png")) {
            const QImage image(file);
            QCOMPARE(image.size(), size);
            int ink = 0; // dark pixels: the plot's lines and texts
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    ink += qGray(image.pixel(x, y)) < 128;
            QVERIFY(ink > 1000);
            return;
        }
        if (file.endsWith("svg")) {
            QFile saved(file);
            QVERIFY(saved.open(QIODevice::ReadOnly));
            text = QString::fromUtf8(saved.readAll());
            QVERIFY(text.contains(QString("viewBox=\"0 0 %1 %2\"").arg(size.width()).arg(size.height())));
            text.replace(QRegularExpression("<[^>]*>"), "\n");
        } else {
            text = PdfText(file);
        }
        for (const char* shown : { "Vergleich zweier Stichproben", "-4", "94", "Y", "II", "max", "s+" })
            QVERIFY2(text.contains(shown), qPrintable(QString(shown) + " missing in\n" + text));
    }
};

QTEST_MAIN(TestReportWindows)
#include "ReportWindowsTest.moc"
