// The descriptive-parameters window's printout (a PDF here, where no printer is set up) holding every label and
// value of the printed page, on further sheets where one is not enough.
#include "core/AnalysisRecord.h"
#include "core/DateText.h"
#include "core/NumberText.h"
#include "stats/Descriptive.h"
#include "ui/Controls.h"
#include "ui/ParametersWindow.h"
#include "workflow/ParametersListing.h"
#include "QtTestSupport.h"
#include "Samples.h"

#include <QTemporaryDir>
#include <QRegularExpression>
#include <QTest>

#include <memory>

using namespace zx;

class TestParametersWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<AnalysisRecord> rec;
    std::unique_ptr<zx::test::ScriptedDialogs> dialogs;
    std::unique_ptr<ParametersWindow> form;
    QTemporaryDir tmp;

private slots:
    void init()
    {
        SetDecimalSeparator(',');
        rec = std::make_unique<AnalysisRecord>();
        dialogs = std::make_unique<zx::test::ScriptedDialogs>(zx::test::QtScriptedDialogs());
        zx::test::SetClassGroups(*rec, 1, { 5, 15, 25, 35 }, { 4, 6, 3, 2 });
        zx::test::SetClassGroups(*rec, 2, { 10, 20, 30, 40 }, { 2, 5, 5, 3 });
        rec->Bezeichnung[1] = "FANG 1";
        rec->Bezeichnung[2] = "FANG 2";
        rec->TestName = "WELCH-Test";
        QVERIFY(ComputeDescriptives(*rec, *dialogs));
        form = std::make_unique<ParametersWindow>(*rec, *dialogs);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    void cleanup() { form.reset(); }

    void printsBothSamples()
    {
        const QString file = tmp.filePath("parameter.pdf");
        form->printTarget.pdfOnly = true;
        form->printTarget.askPdfFile = [&](QWidget*) { return std::optional<QString>(file); };
        zx::test::click(form.get(), "CmdPrint");
        QCOMPARE(form->lastPrint, PrintOutcome::SavedAsPdf);
        const QString printed = zx::test::PdfText(file);
        QVERIFY2(!printed.contains('\f') || printed.indexOf('\f') == printed.size() - 1, "one sheet");
        const auto page = ParametersPrintout(*rec, *dialogs, ReportDate());
        QVERIFY(page.has_value());
        // Every piece in order (blanks as pdftotext sees them), with the
        // parameters' labels and values on one line each.
        const QString flat = printed.simplified();
        qsizetype at = 0;
        for (const PrintLine& line : *page)
            for (const PrintPiece& piece : line.pieces) {
                const QString text = QString::fromStdString(piece.text).simplified();
                at = flat.indexOf(text, at);
                QVERIFY2(at >= 0, qPrintable("not printed: " + text + "\n" + printed));
            }
        QVERIFY(printed.contains(QRegularExpression("Probe= 2 FANG 2 +- MITTELWERT +26,0000\n")));
    }

    void longTextGoesOnFurtherSheets()
    {
        PrintedText text;
        for (int i = 1; i <= 90; ++i)
            text.push_back({ { "Courier New", 10, false }, { { 0, 3, "Zeile " + std::to_string(i) } } });
        std::string longPiece;
        for (int i = 0; i < 40; ++i)
            longPiece += "Wort" + std::to_string(i) + "-";
        text.push_back({ { "UNIVERS", 12, true }, { { 0, 3, longPiece } } });
        const QString file = tmp.filePath("lang.pdf");
        PrintTarget target;
        target.pdfOnly = true;
        target.askPdfFile = [&](QWidget*) { return std::optional<QString>(file); };
        QCOMPARE(PrintPages(nullptr, *dialogs, target, "lang", [&](PrintPage& p) { return WriteText(p, text); }),
            PrintOutcome::SavedAsPdf);
        const QString printed = zx::test::PdfText(file);
        QCOMPARE(printed.count('\f'), 2); // two sheets, each ended by a form feed
        for (int i = 1; i <= 90; ++i)
            QVERIFY2(printed.contains(QString("Zeile %1\n").arg(i)), qPrintable(QString::number(i)));
        QString joined = printed;
        joined.remove(QRegularExpression("\\s"));
        QVERIFY2(joined.contains(QString::fromStdString(longPiece)), qPrintable(printed));
    }
};

QTEST_MAIN(TestParametersWindow)
#include "ParametersWindowTest.moc"
