#include "ui/Printing.h"

#include "core/Dialogs.h"
#include "core/NumberText.h"
#include "ui/Controls.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetricsF>
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

// Margins of printed text, in centimetres; the pieces themselves are placed
// from the sheet's left edge.
constexpr double kTopMargin = 1.5;
constexpr double kBottomMargin = 1.5;
constexpr double kRightMargin = 1.0;

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

// A4 in portrait, drawn from the sheet's corner: the writers place
// everything themselves.
const QPageLayout kA4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);

bool writePages(QPagedPaintDevice& device, int resolution, const PageWriter& write)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    PrintPage page { painter, QRectF(QPointF(0, 0), kA4.fullRectPixels(resolution).size()), double(resolution),
        [&device] { return device.newPage(); } };
    const bool written = write(page);
    return painter.end() && written;
}

} // namespace

bool PrinterAvailable() { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

PrintOutcome PrintPages(QWidget* parent, Dialogs& dialogs, const PrintTarget& target, const QString& documentName,
    const PageWriter& write)
{
    if (!target.pdfOnly && PrinterAvailable()) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setFullPage(true);
        printer.setPageLayout(kA4);
        printer.setDocName(documentName);
        if (!writePages(printer, printer.resolution(), write)) {
            dialogs.ShowMessage(fileErrorMessage(kDriveNotReady), "Fehler");
            return PrintOutcome::Failed;
        }
        return PrintOutcome::Printed;
    }

    const auto file = target.askPdfFile ? target.askPdfFile(parent) : askWithDialog(parent);
    if (!file)
        return PrintOutcome::Cancelled;
    const QFileInfo info(*file);
    if (file->trimmed().isEmpty() || info.fileName().isEmpty() || !info.dir().exists()) {
        dialogs.ShowMessage(fileErrorMessage(kBadFileName), "Fehler");
        return PrintOutcome::Failed;
    }
    // A PDF writer keeps the text as text, so the printout can be searched
    // and copied from the file.
    QPdfWriter pdf(*file);
    pdf.setPageLayout(kA4);
    pdf.setResolution(300);
    pdf.setTitle(documentName);
    pdf.setCreator("Zerantix");
    if (!writePages(pdf, pdf.resolution(), write)) {
        dialogs.ShowMessage(fileErrorMessage(kDriveNotReady), "Fehler");
        return PrintOutcome::Failed;
    }
    return PrintOutcome::SavedAsPdf;
}

PrintOutcome PrintWindowImage(QWidget* window, Dialogs& dialogs, const PrintTarget& target)
{
    // The window on the sheet within margins of 1.5 cm, scaled to fit.
    return PrintPages(window, dialogs, target, window->windowTitle(), [window](PrintPage& page) {
        const QRectF room = page.paper.adjusted(page.cm(1.5), page.cm(1.5), -page.cm(1.5), -page.cm(1.5));
        const double scale = std::min(room.width() / window->width(), room.height() / window->height());
        page.painter.translate(room.topLeft());
        page.painter.scale(scale, scale);
        window->render(&page.painter, QPoint(), QRegion(), QWidget::DrawChildren);
        return true;
    });
}

bool WriteText(PrintPage& page, const PrintedText& text)
{
    QPainter& p = page.painter;
    const double top = page.cm(kTopMargin);
    const double bottom = page.paper.height() - page.cm(kBottomMargin);
    const double right = page.paper.width() - page.cm(kRightMargin);
    double y = top;
    for (const PrintLine& line : text) {
        const QFont font = NamedFont(QString::fromStdString(line.font.family), line.font.pointSize, line.font.bold);
        p.setFont(font);
        const QFontMetricsF fm(font, p.device());
        const double height = fm.lineSpacing();
        bool rowUsed = false;
        double penX = 0;
        auto newRow = [&] {
            if (rowUsed)
                y += height;
            rowUsed = false;
            penX = 0;
        };
        auto place = [&](double x, const QString& s) {
            if (y + height > bottom && y > top) {
                if (!page.newPage())
                    return false;
                y = top;
            }
            p.drawText(QPointF(x, y + fm.ascent()), s);
            rowUsed = true;
            penX = x + fm.horizontalAdvance(s);
            return true;
        };
        for (const PrintPiece& piece : line.pieces) {
            const double x = piece.column > 0 ? (piece.column - 1) * fm.averageCharWidth() : page.cm(piece.leftCm);
            if (rowUsed && x < penX)
                newRow();
            QString rest = QString::fromStdString(piece.text);
            // What does not fit goes on below, at the same place.
            while (x + fm.horizontalAdvance(rest) > right && rest.size() > 1) {
                qsizetype fits = 1;
                while (fits < rest.size() && x + fm.horizontalAdvance(rest.left(fits + 1)) <= right)
                    ++fits;
                if (!place(x, rest.left(fits)))
                    return false;
                newRow();
                rest = rest.mid(fits);
            }
            if (!place(x, rest))
                return false;
        }
        y += height;
    }
    return true;
}

} // namespace zx
