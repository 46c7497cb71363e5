#include "ui/PlotWindow.h"

#include "core/AnalysisRecord.h"
#include "core/Dialogs.h"
#include "graphics/PlotMenu.h"
#include "ui/Controls.h"
#include "ui/PlotPainter.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QMenuBar>
#include <QPainter>

namespace zx {

namespace {

// Room left around a printed plot that would not fit the sheet, in cm.
constexpr double kPrintMargin = 1.0;

std::optional<QFont> fontDialog(const QFont& current, QWidget* parent)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, current, parent, "Schrift");
    return ok ? std::optional<QFont>(chosen) : std::nullopt;
}

std::optional<QString> imageFileDialog(QWidget* parent)
{
    QFileDialog dialog(parent, QString::fromUtf8("Graphik als Bild speichern"), QDir::homePath(),
        QString::fromUtf8("PNG-Bild (*.png);;SVG-Graphik (*.svg);;PDF-Dokument (*.pdf)"));
    dialog.setObjectName("ImageDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDefaultSuffix("png");
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter.section("*.", 1).left(3));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

} // namespace

PlotCanvas::PlotCanvas(const PlotSettings& settings, const PlottedSamples& samples, QWidget* parent)
    : QWidget(parent)
    , settings_(settings)
    , samples_(samples)
{
    setObjectName("PlotCanvas");
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setMinimumSize(200, 150);
}

void PlotCanvas::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintPlot(painter, QRectF(rect()), settings_, samples_);
}

PlotWindow::PlotWindow(const AnalysisRecord& record, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent, Qt::Window)
    , dialogs_(dialogs)
    , samples_(ReadPlottedSamples(record, dialogs))
{
    setObjectName("PlotWindow");
    setWindowTitle("Graphik");
    chooseFont = fontDialog;
    askImageFile = imageFileDialog;
    buildMenus();
    if (!samples_)
        return;
    canvas_ = new PlotCanvas(settings_, *samples_, this);
    setCentralWidget(canvas_);
    mnuBoxWisker->setEnabled(samples_->boxWhiskerOffered);
    resize(720, 540);
    CentreOnScreen(this, 0.5);
    redraw();
}

void PlotWindow::buildMenus()
{
    auto menu = [this](const char* name, const char* caption) {
        QMenu* m = menuBar()->addMenu(QString::fromUtf8(caption));
        m->setObjectName(name);
        return m;
    };
    auto entry = [this](QMenu* m, const char* name, const char* caption, void (PlotWindow::*handler)()) {
        QAction* a = m->addAction(QString::fromUtf8(caption));
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    QMenu* file = menu("mnuFileItem", "Datei");
    entry(file, "mnuFilePrint", "Drucken", &PlotWindow::mnuFilePrint_Click);
    entry(file, "mnuFileSaveImage", "Speichern als Bild…", &PlotWindow::mnuFileSaveImage_Click);
    entry(file, "mnuFileExit", "Schliessen", &PlotWindow::mnuFileExit_Click);
    QMenu* labels = menu("mnuFileSchrift", "Beschriftung");
    entry(labels, "mnuFileTitel", "Titel", &PlotWindow::mnuFileTitel_Click);
    entry(labels, "mnuFileYskala", "Änderung der Y-skalierung", &PlotWindow::mnuFileYskala_Click);
    entry(labels, "mnuFileYachse", "Name der Y-Achse", &PlotWindow::mnuFileYachse_Click);
    entry(labels, "mnuFileXAchse", "Name der X-Achse", &PlotWindow::mnuFileXAchse_Click);
    entry(labels, "mnuFileFonts", "Schrift", &PlotWindow::mnuFileFonts_Click);
    entry(labels, "mnuLinie", "Linienstärke", &PlotWindow::mnuLinie_Click);
    entry(labels, "mnuFileHilfe1", "Hinweis", &PlotWindow::mnuFileHilfe1_Click);
    QMenu* plot = menu("mnuGraphik", "Graphik");
    mnuBoxWisker = entry(plot, "mnuBoxWisker", "BoxWiskerPlot", &PlotWindow::mnuBoxWisker_Click);
    entry(plot, "mnuXSNPlot", "XSNPlot", &PlotWindow::mnuXSNPlot_Click);
    entry(plot, "mnuFileHilfe2", "Hinweis", &PlotWindow::mnuFileHilfe2_Click);
}

void PlotWindow::redraw()
{
    if (!samples_)
        return;
    UpdateYRange(settings_, *samples_);
    canvas_->update();
}

void PlotWindow::mnuFilePrint_Click()
{
    if (!samples_)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::processEvents();
    // The plot at the size it has on the screen, centred on the sheet.
    const double screenDpi = canvas_->logicalDpiX();
    const double plotWidth = canvas_->width() / screenDpi, plotHeight = canvas_->height() / screenDpi;
    lastPrint = PrintPages(this, dialogs_, printTarget, windowTitle(), [&](PrintPage& page) {
        const double dpi = page.dotsPerInch;
        const PlotArea area = SetPrinterScale(plotWidth, plotHeight, page.paper.width() / dpi, page.paper.height() / dpi,
            kPrintMargin / 2.54);
        PaintPlot(page.painter, QRectF(area.left * dpi, area.top * dpi, area.width * dpi, area.height * dpi), settings_, *samples_);
        return true;
    });
    QApplication::restoreOverrideCursor();
}

void PlotWindow::mnuFileSaveImage_Click()
{
    if (!samples_)
        return;
    const auto file = askImageFile ? askImageFile(this) : std::nullopt;
    if (!file)
        return;
    if (!SavePlotImage(*file, canvas_->size(), canvas_->logicalDpiX(), settings_, *samples_))
        dialogs_.ShowMessage("Die Graphik konnte nicht gespeichert werden:" + std::string(kCrLf) + file->toStdString(), "Fehler");
}

void PlotWindow::mnuFileExit_Click() { close(); }

void PlotWindow::mnuFileTitel_Click()
{
    AskTitle(settings_, dialogs_);
    redraw();
}

void PlotWindow::mnuFileYskala_Click()
{
    AskYScale(settings_, dialogs_);
    redraw();
}

void PlotWindow::mnuFileYachse_Click()
{
    AskYName(settings_, dialogs_);
    redraw();
}

void PlotWindow::mnuFileXAchse_Click()
{
    AskXNames(settings_, dialogs_);
    redraw();
}

void PlotWindow::mnuFileFonts_Click()
{
    const QFont current = NamedFont(QString::fromStdString(settings_.font.name), settings_.font.pointSize);
    const auto chosen = chooseFont ? chooseFont(current, this) : std::nullopt;
    if (!chosen)
        return;
    // Name and size only: the title is bold anyway, the rest never.
    settings_.font.name = chosen->family().toStdString();
    if (chosen->pointSizeF() > 0)
        settings_.font.pointSize = chosen->pointSizeF();
    redraw();
}

void PlotWindow::mnuLinie_Click()
{
    AskLineWidth(settings_, dialogs_);
    redraw();
}

void PlotWindow::mnuFileHilfe1_Click() { ShowLabellingNote(dialogs_); }

void PlotWindow::mnuBoxWisker_Click()
{
    settings_.PlotArt = kBoxWhiskerPlot;
    redraw();
}

void PlotWindow::mnuXSNPlot_Click()
{
    settings_.PlotArt = kXsnPlot;
    redraw();
}

void PlotWindow::mnuFileHilfe2_Click() { ShowPlotNote(dialogs_); }

} // namespace zx
