// Printing a window's image: on the default printer, or, where there is no
// printer, into a PDF file the user names. One routine for every window that
// prints itself.
#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace zx {

class Dialogs;

enum class PrintOutcome { Printed, SavedAsPdf, Cancelled, Failed };

struct PrintTarget {
    // The file name for the PDF when no printer is there; nothing: cancelled.
    // Default: a file dialog.
    std::function<std::optional<QString>(QWidget* parent)> askPdfFile;
    // Force the PDF even with a printer (tests).
    bool pdfOnly = false;
};

// Paints the window, scaled to the page width, on one page. A file that
// cannot be written shows the file-error message ("Error =  64in Zeile = ...")
// in a "Fehler" box and gives Failed.
PrintOutcome PrintWindowImage(QWidget* window, Dialogs& dialogs, const PrintTarget& target = {});

// True when the system knows at least one printer.
bool PrinterAvailable();

} // namespace zx
