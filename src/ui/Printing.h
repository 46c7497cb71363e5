// The one way every printout goes: pages written by a page writer, on the
// default printer, or, where there is no printer, into a PDF file the user
// names. On it: reports as the windows show them, and text laid out for the
// printer.
#pragma once

#include "workflow/PrintedText.h"

#include <QRectF>
#include <QString>

#include <functional>
#include <optional>

class QPainter;
class QPrinter;
class QWidget;

namespace zx {

class Dialogs;

enum class PrintOutcome { Printed, SavedAsPdf, Cancelled, Failed };

struct PrintTarget {
    // The file name for the PDF when no printer is there; nothing: cancelled.
    // Default: a file dialog.
    std::function<std::optional<QString>(QWidget* parent)> askPdfFile;
    // The printer's own dialog before printing; false: cancelled. Default:
    // the platform's print dialog.
    std::function<bool(QPrinter& printer, QWidget* parent)> askPrinter;
    // Force the PDF even with a printer (tests).
    bool pdfOnly = false;
};

// An A4 sheet in portrait as a page writer sees it.
struct PrintPage {
    QPainter& painter;
    // The whole sheet in the painter's coordinates: device pixels from the
    // sheet's top left corner.
    QRectF paper;
    double dotsPerInch = 0;
    // Ends this sheet and starts the next; false when that failed.
    std::function<bool()> newPage;

    double cm(double centimetres) const { return centimetres * dotsPerInch / 2.54; }
};

// Writes the pages; false when the painter failed.
using PageWriter = std::function<bool(PrintPage& page)>;

// Prints what the writer writes. A file that cannot be written shows the
// file-error message ("Error =  64in Zeile = ...") in a "Fehler" box and
// gives Failed.
PrintOutcome PrintPages(QWidget* parent, Dialogs& dialogs, const PrintTarget& target, const QString& documentName,
    const PageWriter& write);

// A report as the report windows show it, on as many sheets as it needs:
// each sheet with the head ("Zerantix" and the title) and the text in
// Courier 10 in a frame, lines wrapped at the frame's width; "Seite i von n"
// below the frame when there is more than one sheet. `text` is the report
// with CR LF or LF between its lines.
PrintOutcome PrintReport(QWidget* parent, Dialogs& dialogs, const PrintTarget& target, const QString& title,
    const QString& text);

// Writes the text from the top margin down, each piece where it belongs. A
// piece that would run past the right margin goes on in the next line at
// the same place, and a line below the bottom margin begins a new sheet, so
// that no text is lost.
bool WriteText(PrintPage& page, const PrintedText& text);

// True when the system knows at least one printer.
bool PrinterAvailable();

} // namespace zx
