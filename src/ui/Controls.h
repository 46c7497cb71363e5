// Small controls with the behaviour the windows rely on, and the fonts and
// the end of the program they share.
#pragma once

#include <QLabel>
#include <QListWidget>

class QCoreApplication;
class QDialog;
class QFrame;
class QPlainTextEdit;
class QWidget;

namespace zx {

// A list whose Click fires when the user picks an item, with the mouse or the
// keyboard, also when the item was already selected, and never when the
// program changes the selection. The user cannot take a pick back (a
// Ctrl-click or a click beside the items leaves the chosen item chosen).
class ClickList : public QListWidget {
    Q_OBJECT
public:
    explicit ClickList(QWidget* parent = nullptr);

    // Position of the selected item, -1 when none is selected.
    int ListIndex() const;
    // Selects an item (-1: none) without firing Click.
    void setListIndex(int index);

signals:
    void Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* event) const override;
};

// A label that reacts to a click.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// The head of a report window: a frame (Shape1) around the product name
// "Zerantix" (Label2) and the title (Label1).
struct ReportHead {
    QFrame* frame;
    QLabel* product;
    QLabel* title;
};
ReportHead MakeReportHead(QWidget* window);

// A box that shows report text in Courier, read-only (a display, nothing to
// edit), wrapped at its width.
QPlainTextEdit* MakeReportBox(QWidget* window, const char* name);

// Places a window centred across its screen, its top a quarter down.
void PlaceCentred(QWidget* window);

// Centres the window across its screen, its top at the given share of the
// height the screen leaves free (0.5: centred).
void CentreOnScreen(QWidget* window, double topShare);

// Lengths given in twips (1/1440 inch) in pixels of the window's screen.
int Twips(const QWidget* widget, int twips);

// The program's typefaces, or the closest installed match.
QFont ArialFont(int pointSize, bool bold = false, bool italic = false);
QFont SerifFont(int pointSize, bool bold = false, bool italic = false); // "Times New Roman"
QFont CourierFont(int pointSize);                                        // "Courier New"
// A typeface by the program's name for it, or the closest installed match.
QFont NamedFont(const QString& family, double pointSize, bool bold = false);


// Closes every window and leaves the event loop.
void EndProgram();

// Makes `owner` the window `window` belongs to, so that the window manager
// keeps it above its owner, without making it a child that is disabled with
// it.
void SetOwner(QWidget* window, QWidget* owner);

// Shows a dialog and waits until it is finished, without Qt's modality: the
// caller blocks what must wait, and windows the dialog's owner leads (the
// workbook window beside the range question) stay usable.
int RunWithoutModality(QDialog& dialog);

// Qt's own texts (the file, print and font dialogs, standard buttons) in
// German whatever the desktop's language; false when Qt's translations are
// not installed.
bool InstallGermanTranslations(QCoreApplication& application);


} // namespace zx
