// Small controls with the behaviour the windows rely on, and the fonts and
// the end of the program they share.
#pragma once

#include <QLabel>
#include <QListWidget>

class QWidget;

namespace zx {

// A list whose Click fires when the user picks an item, with the mouse or the
// keyboard, also when the item was already selected, and never when the
// program changes the selection.
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
};

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

// Today in the short date form of the user's regional settings.
QString ShortDate();

// Closes every window and leaves the event loop.
void EndProgram();

} // namespace zx
