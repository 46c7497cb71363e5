// The plot window: its menus change the plot, it fills the window at any
// size, and it is printed and saved as PNG, SVG and PDF through the same
// drawing.
#include "core/AnalysisRecord.h"
#include "core/NumberText.h"
#include "ui/Controls.h"
#include "ui/PlotPainter.h"
#include "ui/PlotWindow.h"
#include "QtTestSupport.h"
#include "Samples.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace zx;
using Kind = zx::test::ScriptedDialogs::Kind;

class TestPlotWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<AnalysisRecord> rec;
    std::unique_ptr<zx::test::ScriptedDialogs> dialogs;
    std::unique_ptr<PlotWindow> form;
    QTemporaryDir tmp;

    void open()
    {
        form = std::make_unique<PlotWindow>(*rec, *dialogs);
        QVERIFY(form->hasPlot());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    void trigger(const char* entry) { zx::test::child<QAction>(form.get(), entry)->trigger(); }

    // Dark pixels of the image: the plot's lines and texts.
    static int ink(const QImage& image)
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += qGray(image.pixel(x, y)) < 128;
        return n;
    }

private slots:
    void init()
    {
        SetDecimalSeparator(',');
        rec = std::make_unique<AnalysisRecord>();
        dialogs = std::make_unique<zx::test::ScriptedDialogs>(zx::test::QtScriptedDialogs());
        zx::test::SetSingleValues(*rec, 1, { 10, 30, 40, 50, 60 });
        zx::test::SetSingleValues(*rec, 2, { 20, 35, 45, 55, 80 });
    }

    void cleanup() { form.reset(); }

    // The menus reach the settings and the plot is drawn again.
    void menusChangeThePlot()
    {
        open();
        dialogs->input("Heringe");
        trigger("mnuFileTitel");
        trigger("mnuBoxWisker");
        // Name and size of the chosen font; the plot's text is never bold.
        form->chooseFont = [](const QFont&, QWidget*) { return std::optional<QFont>(NamedFont("Courier New", 14, true)); };
        trigger("mnuFileFonts");
        QCOMPARE(form->settings().GraphTitel, std::string("Heringe"));
        QCOMPARE(form->settings().PlotArt, std::string(kBoxWhiskerPlot));
        QCOMPARE(form->settings().font, (PlotFont { "Courier New", 14, false }));
        trigger("mnuFileHilfe2");
        QCOMPARE(dialogs->shown(Kind::Message).at(0).title, std::string("Hinweis"));
        trigger("mnuFileExit");
        QVERIFY(!form->isVisible());
    }

    // The plot coordinates span the window whatever its size.
    void fillsTheWindow()
    {
        open();
        for (const QSize size : { QSize(500, 400), QSize(1000, 600) }) {
            form->resize(size);
            QApplication::processEvents();
            QCOMPARE(form->canvas()->size(), form->centralWidget()->size());
            QImage image(form->canvas()->size(), QImage::Format_RGB32);
            QPainter painter(&image);
            PainterSurface surface(painter, QRectF(image.rect()));
            surface.setScale(-1.5, 110, 7, -130);
            QCOMPARE(surface.map({ -1.5, 110 }), QPointF(0, 0));
            QCOMPARE(surface.map({ 5.5, -20 }), QPointF(image.width(), image.height()));
        }
    }

    void savesTheImage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("PNG") << "plot.png";
        QTest::newRow("SVG") << "plot.svg";
        QTest::newRow("PDF") << "plot.pdf";
    }

    void savesTheImage()
    {
        QFETCH(QString, name);
        open();
        const QString file = tmp.filePath(name);
        form->askImageFile = [&](QWidget*) { return std::optional<QString>(file); };
        trigger("mnuFileSaveImage");
        QVERIFY(QFile::exists(file));
        if (name.endsWith("png")) {
            const QImage image(file);
            QCOMPARE(image.size(), form->canvas()->size());
            QVERIFY(ink(image) > 1000);
        } else if (name.endsWith("svg")) {
            QFile svg(file);
            QVERIFY(svg.open(QIODevice::ReadOnly));
            const QString xml = QString::fromUtf8(svg.readAll());
            const QSize size = form->canvas()->size();
            QVERIFY2(xml.contains(QString("viewBox=\"0 0 %1 %2\"").arg(size.width()).arg(size.height())), qPrintable(xml.left(300)));
            QVERIFY(xml.contains(">Vergleich zweier Stichproben<") && xml.contains(">94<"));
        } else {
            const QString text = zx::test::PdfText(file);
            QVERIFY2(text.contains("Vergleich zweier Stichproben") && text.contains("94"), qPrintable(text));
        }
    }

    void saveFailureIsReported()
    {
        open();
        form->askImageFile = [](QWidget*) { return std::optional<QString>("/gibt/es/nicht/plot.png"); };
        trigger("mnuFileSaveImage");
        const auto shown = dialogs->shown(Kind::Message);
        QCOMPARE(shown.size(), std::size_t(1));
        QCOMPARE(shown[0].title, std::string("Fehler"));
    }

    void printsThePlot()
    {
        open();
        const QString file = tmp.filePath("druck.pdf");
        form->printTarget.pdfOnly = true;
        form->printTarget.askPdfFile = [&](QWidget*) { return std::optional<QString>(file); };
        trigger("mnuFilePrint");
        QCOMPARE(form->lastPrint, PrintOutcome::SavedAsPdf);
        const QString text = zx::test::PdfText(file);
        for (const char* shown : { "Vergleich zweier Stichproben", "-4", "94", "Y", "II", "max", "s+" })
            QVERIFY2(text.contains(shown), qPrintable(QString(shown) + " missing in\n" + text));
    }
};

QTEST_MAIN(TestPlotWindow)
#include "PlotWindowTest.moc"
