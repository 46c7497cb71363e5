// The main window driven as a user drives it, the record seeded where an
// earlier step would fill it; the data input; the result windows' printouts.
#include "core/DateText.h"
#include "stats/Descriptive.h"
#include "ui/CheckDialog.h"
#include "ui/CheckResultsWindow.h"
#include "ui/ParametersWindow.h"
#include "ui/PlotPainter.h"
#include "ui/PlotWindow.h"
#include "ui/ResultsWindow.h"
#include "workflow/ParametersListing.h"
#include "workflow/TestChoice.h"
#include "WindowTest.h"
#include "Samples.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>
#include <QWindow>

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

// A click on a cell of the front sheet; with Shift it extends the marked range.
void clickCell(const char* a1, Qt::KeyboardModifiers modifiers = {})
{
    WorkbookWindow* ww = workbookWindow();
    QVERIFY(ww);
    QTableView* view = ww->table(ww->frontSheet());
    const auto p = ParseA1(a1);
    const QRect r = view->visualRect(view->model()->index(p->row, p->column));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, r.center());
}

} // namespace

class TestMainWindow : public QObject, MainWindowSession {
    Q_OBJECT

    bool listsWait()
    {
        return !list("List1")->isEnabled() && !list("List2")->isEnabled() && !list("List3")->isEnabled() && !list("List5")->isEnabled();
    }

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

    // ---- The result windows of a seeded record, printed to PDF.

    std::unique_ptr<QWidget> window;
    QTemporaryDir tmp;

    void seedResults()
    {
        SetSingleValues(*rec, 1, { 10, 30, 40, 50, 60 });
        SetSingleValues(*rec, 2, { 20, 35, 45, 55, 80 });
        rec->Bezeichnung[1] = "ATLANTIK";
        rec->Bezeichnung[2] = "PAZIFIK";
        rec->TestName = "t-TEST für Zweistich.";
        rec->ErgText[7] = "      t-Wert (berechnet)          = 2,2361";
        QVERIFY(ComputeDescriptives(*rec, *dialogs));
    }

    template <typename W>
    W* open()
    {
        window = std::make_unique<W>(*rec, *dialogs);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("window not shown");
        return static_cast<W*>(window.get());
    }

    void trigger(const char* entry) { child<QAction>(window.get(), entry)->trigger(); }

private slots:
    void init() { start(); }
    void cleanup()
    {
        window.reset();
        finish();
    }

    // After loading only "Eingabe" and "Ende" react. A failed reading opens
    // the manager again unasked; a new input closes the old check dialog.
    void afterLoadThenAFailedReading()
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
        int endCalls = 0;
        form->endProgram = [&] { ++endCalls; };
        click(form.get(), "CmdEnde");
        QCOMPARE(endCalls, 1);
    }

    // "Wahl des TESTS" per data type: the list offered, "Weitere Tests", and
    // what each entry opens two-sided (C check dialog, U notice on the
    // distribution's shape, - nothing, W WEIR's check dialog at once).
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
        toTestChoice(datentyp);
        QCOMPARE(child<QLabel>(form.get(), "Label6")->text(), QString(DataTypeLine(datentyp)));
        for (const char* l : { "List1", "List2", "List3" })
            QCOMPARE(list(l)->isEnabled(), offered == l);
        QVERIFY(!list("List5")->isEnabled());
        QCOMPARE(enabledButtons(form.get()), varianceList.isEmpty() ? QString("Ende") : QString("ZusatzTest Ende"));

        ClickList* tests = list(offered);
        QCOMPARE(tests->count(), opens.size());
        for (int row = 0; row < tests->count(); ++row) {
            rec->HaWahl = "J2";
            clickItem(tests, row);
            const QString entry = tests->item(row)->text().simplified().toUpper();
            QCOMPARE(QString::fromStdString(rec->TestName).toUpper().left(12), entry.left(12));
            if (opens[row] == 'W') {
                // Two-sided at 5 %, checked at once; no hypothesis to choose.
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
        clickItem(list(varianceList), 0);
        QVERIFY(form->checkResultsWindow()->reportText().contains("PRÜFUNG AUF GLEICHHEIT DER VARIANZEN"));
        QVERIFY(!child<QPushButton>(form->checkResultsWindow(), "CmdWeiter")->isEnabled());
        QCOMPARE(enabledButtons(form.get()), QString("TestWahl Ende"));
        QVERIFY(!list("List5")->isEnabled() && list("List4")->isHidden());
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

    // The arithmetic guard stops the test choice: no test is offered. A test
    // that refuses its data offers a new start.
    void dataThatCannotBeTested()
    {
        seed(*rec, 4, 4);
        rec->Werte(1, 1) = 1e200; // only a record filled past the input can hold this
        toTestChoice(1);
        QCOMPARE(dialogs->shown().size(), std::size_t(1)); // the guard's message
        QVERIFY(!list("List1")->isEnabled());
        // Paired differences all equal: no standard deviation to divide by.
        for (int i = 1; i <= 4; ++i) {
            rec->Werte(i, 1) = 10 + i;
            rec->Werte(i, 2) = rec->Werte(i, 1) - 3;
            rec->Differenzen[static_cast<std::size_t>(i)] = 3;
        }
        toTestChoice(4);
        clickItem(list("List3"), 0);
        clickItem(list("List5"), 0);
        dialogs->input("5");
        click(form.get(), "CmdErgebnisse");
        QCOMPARE(dialogs->shown(Kind::Message).size(), std::size_t(2));
        QVERIFY(!form->resultsWindow());
        QCOMPARE(enabledButtons(form.get()), QString("NeuStart TestWahl Ende"));
        QVERIFY(listsWait());
    }

    // A check that cannot judge the sample offers the dialog again; "nein"
    // checks nothing. A failed check's advice shows, on paper too.
    void refusedDeclinedThenFailedCheck()
    {
        seed(*rec, 51, 10);
        for (int i = 1; i <= 10; ++i)
            rec->Werte(i, 2) = i <= 5 ? 0 : 10; // R/s = 1.90, below DAVID's 2.67
        toTestChoice(1);
        runCheck(1, "5"); // SHAPIRO-WILK takes at most 50 values: refused (AssumptionCheckTest)
        QCOMPARE(dialogs->shown(Kind::Message).size(), std::size_t(1));
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
        shown->printTarget = PdfTarget(tmp.filePath("p.pdf"));
        click(shown, "CmdDruck");
        QVERIFY(PdfText(tmp.filePath("p.pdf")).simplified().contains("Es wird zumindest annährend"));
        click(shown, "CmdWeiter"); // no variance page after a failed normality test
        QTRY_VERIFY(!form->checkResultsWindow());
        QVERIFY(button("CmdTestWahl")->isEnabled());
    }

    // ---- The data input.

    // From another workbook, opened with the manager's menu.
    void samplesMarkedWithTheMouse()
    {
        QString firstReference, shownFile;
        ModalScript script;
        script.then("DataManagerWindow", [&](QWidget* m) {
            // While the manager runs the main window is idle and cannot close.
            for (const QString& name : kButtons)
                QVERIFY2(form->findChild<QPushButton*>(name)->isHidden(), qPrintable(name));
            QVERIFY(!form->isEnabled() && !form->close());
            menu(m, "mnuOeffnen"); // the file dialog runs inside the menu command
            shownFile = workbookWindow()->windowTitle();
            menu(m, "mnuEinzel");
        });
        script.then("FileDialog", [](QWidget* d) {
            auto* dialog = static_cast<QFileDialog*>(d);
            // In the program folder, with the workbook formats; a typed name
            // and Enter. (A failed check here ends in the time-out.)
            QCOMPARE(QDir(dialog->directory()).absolutePath(), QDir(ZX_EXAMPLES_DIR).absolutePath());
            QVERIFY(dialog->nameFilters().first().contains("*.ods"));
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            QVERIFY(name);
            name->setText("blatt.csv");
            QTest::keyClick(name, Qt::Key_Return);
        });
        script.then("RangeDialog", [](QWidget* d) {
            QTest::mouseClick(d->findChild<QPushButton*>("Abbrechen"), Qt::LeftButton);
        });
        // The manager stays open for another choice.
        script.then("DataManagerWindow", [](QWidget* m) { menu(m, "mnuEinzel"); });
        script.then("RangeDialog", [&](QWidget* d) {
            clickCell("A2");
            clickCell("A15", Qt::ShiftModifier);
            firstReference = d->findChild<QLineEdit*>("Reference")->text();
            answerRange(d, "");
        });
        // A typed reference: only the first cell, the reading goes on below.
        script.then("RangeDialog", [](QWidget* d) { answerRange(d, "b2"); });
        dialogs->input("Atlantik").input("Pazifik").yesNo(true);
        click(form.get(), "CmdEingabe");
        QVERIFY2(script.done(), qPrintable("still waiting for " + script.pending()));
        QCOMPARE(shownFile, QString("Arbeitsmappe - blatt.csv"));
        QCOMPARE(firstReference, QString("$A$2:$A$15"));
        QCOMPARE(rec->AnzahlWerte[1], Integer(14));
        QCOMPARE(rec->Werte(12, 2), 23.7);
        QCOMPARE(rec->Bezeichnung[1] + rec->Bezeichnung[2], std::string("AtlantikPazifik"));
        QVERIFY(!workbookWindow()); // the workbook window closes with the manager
        QCOMPARE(enabledButtons(form.get()), QString("NeuStart TestWahl ZusatzTest Ende"));
        QVERIFY(form->isEnabled());
    }

    void aWrongReferenceIsRefusedInTheQuestion()
    {
        ModalScript script;
        script.then("DataManagerWindow", [](QWidget* m) { menu(m, "mnuXquerSN"); });
        script.then("RangeDialog", [this](QWidget* d) {
            // Each window kept above its owner: question > workbook > manager > main.
            const QWidget* manager = QApplication::activeModalWidget();
            QCOMPARE(manager->objectName(), QString("DataManagerWindow"));
            QCOMPARE(d->windowHandle()->transientParent(), workbookWindow()->windowHandle());
            QCOMPARE(workbookWindow()->windowHandle()->transientParent(), manager->windowHandle());
            QCOMPARE(manager->windowHandle()->transientParent(), form->windowHandle());
            answerRange(d, "J2:"); // refused: the question stays, grown with its hint
            QVERIFY(d->isVisible());
            QVERIFY(d->findChild<QLabel*>("Problem")->isVisible());
            for (const QLabel* label : d->findChildren<QLabel*>()) {
                const int needed = label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
                QVERIFY2(label->height() >= needed, qPrintable(label->text()));
            }
            d->findChild<QLineEdit*>("Reference")->clear();
            answerRange(d, "J2:J6");
        });
        script.then("RangeDialog", [](QWidget* d) { answerRange(d, "$K$2:$K$6"); });
        // "Nein": the input starts over. Closing the manager while the question
        // is open ends it (it used to drop the workbook under the running reading).
        script.then("DataManagerWindow", [](QWidget* m) { menu(m, "mnuEinzel"); });
        script.then("RangeDialog", [](QWidget*) {
            QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        });
        dialogs->input("").input("").yesNo(false);
        click(form.get(), "CmdEingabe");
        QTRY_VERIFY2(script.done(), qPrintable("still waiting for " + script.pending()));
        QCOMPARE(rec->TestName, std::string("ENDE"));
        QCOMPARE(rec->Datentyp, Integer(3)); // the last complete reading stays in the record
        QVERIFY(!workbookWindow());
        QCOMPARE(enabledButtons(form.get()), QString("Eingabe Ende"));
    }

    // On screen with today's date; on paper, long names wrapped over two sheets.
    void resultsOnScreenAndOnPaper()
    {
        seedResults();
        rec->Bezeichnung[1] = std::string(5000, 'A') + "ENDE1";
        rec->TestName = "U-TEST"; // with its warning
        rec->Zusatzangaben = Supplement {}; // printed below the date
        ResultsWindow* shown = open<ResultsWindow>();
        shown->setTitle("t-TEST für Zweistich.");
        QCOMPARE(shown->windowTitle(), QString("Test/Ergebnisse"));
        QCOMPARE(child<QLabel>(shown, "Label1")->text(), QString::fromUtf8("t-TEST für Zweistich."));
        const QString report = shown->reportText();
        QVERIFY(report.split('\n').contains(QString::fromStdString(rec->ErgText[7])));
        // German shown whatever the environment's locale (the suite runs under C).
        const QString day = QDate::currentDate().toString("dd\\.MM\\.yyyy");
        QVERIFY2(QRegularExpression("\nDATUM: " + day + " \\d\\d:\\d\\d:\\d\\d(\n|$)").match(report).hasMatch(), qPrintable(report));
        const QString file = tmp.filePath("lang.pdf");
        shown->printTarget = PdfTarget(file);
        click(shown, "CmdDruck");
        QCOMPARE(shown->lastPrint, PrintOutcome::SavedAsPdf);
        const QString text = PdfText(file, false);
        QVERIFY2(text.count('\f') >= 2, "at least two sheets");
        // Without the head of the next sheet and the page numbers, the name is whole.
        QString joined = text;
        joined.remove(QRegularExpression("\\s")).remove(QRegularExpression("Zerantix|t-TESTfürZweistich\\.|Seite\\d+von\\d+"));
        QVERIFY(joined.contains(QString(5000, 'A') + "ENDE1undPAZIFIK"));
        for (const char* piece : { "2,2361", "VORSICHT", "DATUM:", "ZUSATZANGABEN", "Seite 2 von" })
            QVERIFY2(text.contains(piece), piece);
        QVERIFY2(!text.contains("Drucken"), "the buttons are not printed");
        click(shown, "CmdWeiter");
        QVERIFY(!shown->isVisible());
        // Qt's standard dialogs speak German on an English or C desktop.
        QVERIFY(InstallGermanTranslations(*QCoreApplication::instance()));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QString("Suchen in:"));
    }

    // The file error's number, file and cause; no file: the question cancelled.
    void printingFails()
    {
        seedResults();
        const struct { QString file, error, why; } cases[] = {
            { "/gibt/es/nicht/bericht.pdf", "64", "der Ordner „/gibt/es/nicht“ existiert nicht." },
            { "/etc/passwd/bericht.pdf", "64", "„/etc/passwd“ ist kein Ordner." },
            { "/proc/zerantix-bericht.pdf", "79", "der Ordner erlaubt kein Schreiben, oder der Datenträger ist voll." },
            { "", "", "" },
        };
        for (const auto& [file, error, why] : cases) {
            dialogs->clear();
            ResultsWindow* shown = open<ResultsWindow>();
            shown->printTarget = PdfTarget(file);
            shown->CmdDruck_Click();
            QCOMPARE(shown->lastPrint, error.isEmpty() ? PrintOutcome::Cancelled : PrintOutcome::Failed);
            QCOMPARE(dialogs->shown().size(), std::size_t(!error.isEmpty()));
            if (error.isEmpty())
                continue;
            const QString text = QString::fromStdString(dialogs->shown()[0].text);
            QCOMPARE(dialogs->shown()[0].title, std::string("Fehler"));
            QVERIFY2(text.startsWith("Error =  " + error + "in Zeile =  0"), qPrintable(text));
            QVERIFY2(text.endsWith("\r\nDie PDF-Datei „" + file + "“ kann nicht geschrieben werden: " + why), qPrintable(text));
        }
    }

    // Every piece of the page printed in order, labels and values on one line.
    void parametersOnOneSheet()
    {
        seedResults();
        auto* shown = open<ParametersWindow>();
        const QString file = tmp.filePath("parameter.pdf");
        shown->printTarget = PdfTarget(file);
        click(shown, "CmdPrint");
        QCOMPARE(shown->lastPrint, PrintOutcome::SavedAsPdf);
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

    // The menus reach the settings; the plot's coordinates span the window.
    void plotMenusAndSize()
    {
        seedResults();
        auto* shown = open<PlotWindow>();
        QVERIFY(shown->hasPlot());
        trigger("mnuBoxWisker");
        // Name and size of the chosen font; the plot's text is never bold.
        shown->chooseFont = [](const QFont&, QWidget*) { return std::optional<QFont>(NamedFont("Courier New", 14, true)); };
        trigger("mnuFileFonts");
        QCOMPARE(shown->settings().PlotArt, std::string(kBoxWhiskerPlot));
        QCOMPARE(shown->settings().font, (PlotFont { "Courier New", 14, false }));
        shown->resize(1000, 600);
        QApplication::processEvents();
        QCOMPARE(shown->canvas()->size(), shown->centralWidget()->size());
        QImage image(shown->canvas()->size(), QImage::Format_RGB32);
        QPainter painter(&image);
        PainterSurface surface(painter, QRectF(image.rect()));
        surface.setScale(-1.5, 110, 7, -130);
        QCOMPARE(surface.map({ -1.5, 110 }), QPointF(0, 0));
        QCOMPARE(surface.map({ 5.5, -20 }), QPointF(image.width(), image.height()));
        trigger("mnuFileExit");
        QVERIFY(!shown->isVisible());
    }

    // Printed, and saved as PNG, SVG and PDF; an unwritable file is reported.
    void plotOnPaperAndInFiles_data()
    {
        QTest::addColumn<QString>("file");
        for (const char* file : { "druck.pdf", "plot.png", "plot.svg", "plot.pdf", "/gibt/es/nicht/plot.png" })
            QTest::newRow(file) << QString(file);
    }

    void plotOnPaperAndInFiles()
    {
        seedResults();
        QFETCH(QString, file);
        const bool written = !file.startsWith('/');
        auto* shown = open<PlotWindow>();
        file = file.startsWith('/') ? file : tmp.filePath(file);
        if (file.endsWith("druck.pdf")) {
            shown->printTarget = PdfTarget(file);
            trigger("mnuFilePrint");
        } else {
            shown->askImageFile = [&](QWidget*) { return std::optional<QString>(file); };
            trigger("mnuFileSaveImage");
        }
        QCOMPARE(QFile::exists(file), written);
        QCOMPARE(dialogs->shown(Kind::Message).size(), std::size_t(!written)); // "Fehler"
        if (!written)
            return;
        const QSize size = shown->canvas()->size();
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
        for (const char* piece : { "Vergleich zweier Stichproben", "-4", "94", "Y", "II", "max", "s+" })
            QVERIFY2(text.contains(piece), qPrintable(QString(piece) + " missing in\n" + text));
    }
};

QTEST_MAIN(TestMainWindow)
#include "MainWindowTest.moc"
