#include "ui/Printing.h"

#include "core/AnalysisRecord.h"
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
#include <QPrintDialog>
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

// The old message, then which file and why, in words a user can act on.
std::string pdfErrorMessage(int number, const QString& file, const QString& why)
{
    return fileErrorMessage(number) + kCrLf + "Die PDF-Datei \u201E" + file.toStdString()
        + "\u201C kann nicht geschrieben werden: " + why.toStdString() + ".";
}

// Why a PDF cannot be written to `file`, or nothing when it can be tried.
std::optional<QString> unwritablePdf(const QString& file)
{
    const QFileInfo info(file);
    if (file.trimmed().isEmpty() || info.fileName().isEmpty())
        return QString::fromUtf8("der Dateiname fehlt");
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists())
        return QString::fromUtf8("der Ordner \u201E%1\u201C existiert nicht").arg(folder.filePath());
    if (!folder.isDir())
        return QString::fromUtf8("\u201E%1\u201C ist kein Ordner").arg(folder.filePath());
    if (info.exists() && info.isDir())
        return QString::fromUtf8("unter diesem Namen steht ein Ordner");
    return std::nullopt;
}

bool askWithPrintDialog(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName("PrintDialog");
    return dialog.exec() == QDialog::Accepted;
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
        if (!(target.askPrinter ? target.askPrinter(printer, parent) : askWithPrintDialog(printer, parent)))
            return PrintOutcome::Cancelled;
        if (!writePages(printer, printer.resolution(), write)) {
            dialogs.ShowMessage(fileErrorMessage(kDriveNotReady), "Fehler");
            return PrintOutcome::Failed;
        }
        return PrintOutcome::Printed;
    }

    const auto file = target.askPdfFile ? target.askPdfFile(parent) : askWithDialog(parent);
    if (!file)
        return PrintOutcome::Cancelled;
    if (const auto why = unwritablePdf(*file)) {
        dialogs.ShowMessage(pdfErrorMessage(kBadFileName, *file, *why), "Fehler");
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
        dialogs.ShowMessage(pdfErrorMessage(kDriveNotReady, *file, QString::fromUtf8("der Ordner erlaubt kein Schreiben, "
                                                                                    "oder der Datenträger ist voll")),
            "Fehler");
        return PrintOutcome::Failed;
    }
    return PrintOutcome::SavedAsPdf;
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

namespace {

// A report line broken into pieces that fit `width`, at blanks where it can.
QStringList wrapped(const QString& line, const QFontMetricsF& fm, double width)
{
    QStringList out;
    QString rest = line;
    while (fm.horizontalAdvance(rest) > width && rest.size() > 1) {
        qsizetype fits = 1;
        while (fits < rest.size() && fm.horizontalAdvance(rest.left(fits + 1)) <= width)
            ++fits;
        const qsizetype blank = rest.lastIndexOf(' ', fits);
        const qsizetype cut = blank > 0 ? blank + 1 : fits;
        out << rest.left(cut);
        rest = rest.mid(cut);
    }
    out << rest;
    return out;
}

} // namespace

PrintOutcome PrintReport(QWidget* parent, Dialogs& dialogs, const PrintTarget& target, const QString& title,
    const QString& text)
{
    return PrintPages(parent, dialogs, target, title, [&](PrintPage& page) {
        QPainter& p = page.painter;
        const QRectF sheet = page.paper.adjusted(page.cm(2), page.cm(1.5), -page.cm(2), -page.cm(1.5));
        const QRectF head(sheet.topLeft(), QSizeF(sheet.width(), page.cm(1.8)));
        const QRectF frame(QPointF(sheet.left(), head.bottom() + page.cm(0.5)), QPointF(sheet.right(), sheet.bottom() - page.cm(0.8)));
        const QRectF inner = frame.adjusted(page.cm(0.3), page.cm(0.3), -page.cm(0.3), -page.cm(0.3));
        const QFont courier = CourierFont(10);
        const QFontMetricsF fm(courier, p.device());

        QStringList lines;
        QString all = text;
        all.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        for (const QString& line : all.split('\n'))
            lines << wrapped(line, fm, inner.width());
        const int perSheet = std::max(1, static_cast<int>(inner.height() / fm.lineSpacing()));
        const int sheets = static_cast<int>((lines.size() + perSheet - 1) / perSheet);

        const QPen frameLine(Qt::black, page.cm(0.03));
        for (int s = 0; s < sheets; ++s) {
            if (s > 0 && !page.newPage())
                return false;
            p.setPen(frameLine);
            p.setBrush(Qt::NoBrush);
            p.drawRect(head);
            p.drawRect(frame);
            p.setFont(SerifFont(18, true, true));
            p.drawText(head.adjusted(page.cm(0.4), 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Zerantix"));
            p.setFont(ArialFont(13, true));
            p.drawText(head.adjusted(page.cm(4), 0, -page.cm(0.4), 0), Qt::AlignCenter, title);
            p.setFont(courier);
            double y = inner.top() + fm.ascent();
            for (qsizetype i = qsizetype(s) * perSheet; i < std::min<qsizetype>(lines.size(), qsizetype(s + 1) * perSheet); ++i) {
                p.drawText(QPointF(inner.left(), y), lines[i]);
                y += fm.lineSpacing();
            }
            if (sheets > 1) {
                p.setFont(ArialFont(9));
                p.drawText(QRectF(frame.left(), frame.bottom(), frame.width(), page.cm(0.7)), Qt::AlignRight | Qt::AlignVCenter,
                    QStringLiteral("Seite %1 von %2").arg(s + 1).arg(sheets));
            }
        }
        return true;
    });
}

} // namespace zx
