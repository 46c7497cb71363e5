#include "ui/Controls.h"

#include <QApplication>
#include <QDate>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalBlocker>

namespace zx {

ClickList::ClickList(QWidget* parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem*) { emit Click(); });
}

int ClickList::ListIndex() const
{
    const auto selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void ClickList::setListIndex(int index)
{
    const QSignalBlocker block(this);
    if (index < 0 || index >= count()) {
        clearSelection();
        setCurrentRow(-1);
    } else {
        setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    }
}

void ClickList::keyPressEvent(QKeyEvent* event)
{
    const int before = ListIndex();
    QListWidget::keyPressEvent(event);
    const int after = ListIndex();
    const bool pick = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (after >= 0 && (after != before || pick))
        emit Click();
}

ClickLabel::ClickLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
}

void CentreOnScreen(QWidget* window, double topShare)
{
    if (const QScreen* s = window->screen()) {
        const QRect area = s->availableGeometry();
        window->move(area.left() + (area.width() - window->width()) / 2,
            area.top() + std::max(0, static_cast<int>((area.height() - window->height()) * topShare)));
    }
}

int Twips(const QWidget* widget, int twips)
{
    const QScreen* screen = widget ? widget->screen() : nullptr;
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return static_cast<int>(twips * dpi / 1440.0 + (twips >= 0 ? 0.5 : -0.5));
}

namespace {

QFont font(const char* family, QFont::StyleHint hint, int pointSize, bool bold, bool italic)
{
    QFont f(family);
    f.setStyleHint(hint);
    f.setPointSize(pointSize);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

} // namespace

QFont ArialFont(int pointSize, bool bold, bool italic) { return font("Arial", QFont::SansSerif, pointSize, bold, italic); }

QFont SerifFont(int pointSize, bool bold, bool italic)
{
    return font("Times New Roman", QFont::Serif, pointSize, bold, italic);
}

QFont CourierFont(int pointSize) { return font("Courier New", QFont::TypeWriter, pointSize, false, false); }

QFont NamedFont(const QString& family, double pointSize, bool bold)
{
    QFont f(family);
    if (family.contains("Courier", Qt::CaseInsensitive))
        f.setStyleHint(QFont::TypeWriter);
    else if (family.contains("Times", Qt::CaseInsensitive))
        f.setStyleHint(QFont::Serif);
    else
        f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

QString ShortDate() { return QLocale().toString(QDate::currentDate(), QLocale::ShortFormat); }

void EndProgram()
{
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

} // namespace zx
