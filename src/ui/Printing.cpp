#include "ui/Printing.h"

#include "core/Dialogs.h"
#include "core/NumberText.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

namespace zx {

namespace {

// The two file errors the program reports, by their old error numbers: a
// file name that cannot be, and a place that cannot be written to.
constexpr int kBadFileName = 64;
constexpr int kDriveNotReady = 79;

std::string fileErrorMessage(int number)
{
    return "Error = " + Str(number) + "in Zeile = " + Str(0)
        + (number == kBadFileName ? "Falsche Dateiname. FEHLER BEHEBEN. Weiter mit OK"
                                  : "Laufwerk nicht fertig. FEHLER BEHEBEN. Weiter mit OK");
}

std::optional<QString> askWithDialog(QWidget* parent)
{
    QFileDialog dialog(parent, QString::fromUtf8("Kein Drucker vorhanden: als PDF-Datei speichern"), QDir::homePath(),
        QString::fromUtf8("PDF-Dateien (*.pdf)"));
    dialog.setObjectName("PdfDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("pdf");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

} // namespace

bool PrinterAvailable() { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

PrintOutcome PrintWindowImage(QWidget* window, Dialogs& dialogs, const PrintTarget& target)
{
    // The window on one A4 page in portrait, scaled to fit, with margins.
    auto paint = [window](QPaintDevice& device, const QPageLayout& layout, int resolution) {
        QPainter painter;
        if (!painter.begin(&device))
            return false;
        const QRect page = layout.paintRectPixels(resolution);
        const double scale = std::min(page.width() / double(window->width()), page.height() / double(window->height()));
        painter.scale(scale, scale);
        window->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
        return painter.end();
    };
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);

    if (!target.pdfOnly && PrinterAvailable()) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageLayout(a4);
        if (!paint(printer, printer.pageLayout(), printer.resolution())) {
            dialogs.ShowMessage(fileErrorMessage(kDriveNotReady), "Fehler");
            return PrintOutcome::Failed;
        }
        return PrintOutcome::Printed;
    }

    const auto file = target.askPdfFile ? target.askPdfFile(window) : askWithDialog(window);
    if (!file)
        return PrintOutcome::Cancelled;
    const QFileInfo info(*file);
    if (file->trimmed().isEmpty() || info.fileName().isEmpty() || !info.dir().exists()) {
        dialogs.ShowMessage(fileErrorMessage(kBadFileName), "Fehler");
        return PrintOutcome::Failed;
    }
    // A PDF writer keeps the text as text, so the report can be searched and
    // copied from the file.
    QPdfWriter pdf(*file);
    pdf.setPageLayout(a4);
    pdf.setResolution(300);
    pdf.setTitle(window->windowTitle());
    pdf.setCreator("Zerantix");
    if (!paint(pdf, pdf.pageLayout(), pdf.resolution())) {
        dialogs.ShowMessage(fileErrorMessage(kDriveNotReady), "Fehler");
        return PrintOutcome::Failed;
    }
    return PrintOutcome::SavedAsPdf;
}

} // namespace zx
