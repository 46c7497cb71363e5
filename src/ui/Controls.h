// Small controls with the behaviour the windows rely on.
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

// Lengths given in twips (1/1440 inch) in pixels of the window's screen.
int Twips(const QWidget* widget, int twips);

} // namespace zx
