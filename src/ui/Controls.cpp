#include "ui/Controls.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QWindow>
#include <QLibraryInfo>
#include <QTranslator>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
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

QItemSelectionModel::SelectionFlags ClickList::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    const auto flags = QListWidget::selectionCommand(index, event);
    if (flags.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::ClearAndSelect;
    return flags;
}

ClickLabel::ClickLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    // Reachable with Tab and opened with Enter or Space, like a button.
    setFocusPolicy(Qt::StrongFocus);
}

void ClickLabel::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        emit Click();
        return;
    }
    QLabel::keyPressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
}

ReportHead MakeReportHead(QWidget* window)
{
    ReportHead head;
    head.frame = new QFrame(window);
    head.frame->setObjectName("Shape1");
    head.frame->setFrameShape(QFrame::Box);
    head.product = new QLabel("Zerantix", head.frame);
    head.product->setObjectName("Label2");
    head.product->setFont(SerifFont(18, true, true));
    head.title = new QLabel(head.frame);
    head.title->setObjectName("Label1");
    head.title->setFont(ArialFont(13, true));
    head.title->setAlignment(Qt::AlignCenter);
    auto* layout = new QHBoxLayout(head.frame);
    layout->addWidget(head.product);
    layout->addWidget(head.title, 1);
    return head;
}

QPlainTextEdit* MakeReportBox(QWidget* window, const char* name)
{
    auto* box = new QPlainTextEdit(window);
    box->setObjectName(name);
    box->setFont(CourierFont(10));
    box->setReadOnly(true);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    return box;
}

namespace {

// Centred across the window's screen, its top where `top` says below the
// screen's top edge.
template <typename Top>
void moveCentred(QWidget* window, Top top)
{
    if (const QScreen* s = window->screen()) {
        const QRect area = s->availableGeometry();
        window->move(area.left() + (area.width() - window->width()) / 2, area.top() + top(area));
    }
}

} // namespace

void PlaceCentred(QWidget* window)
{
    moveCentred(window, [](const QRect& area) { return area.height() / 4; });
}

void CentreOnScreen(QWidget* window, double topShare)
{
    moveCentred(window,
        [&](const QRect& area) { return std::max(0, static_cast<int>((area.height() - window->height()) * topShare)); });
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


void EndProgram()
{
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

void SetOwner(QWidget* window, QWidget* owner)
{
    if (!window || !owner)
        return;
    window->winId();
    owner->winId();
    window->windowHandle()->setTransientParent(owner->windowHandle());
}

int RunWithoutModality(QDialog& dialog)
{
    QEventLoop loop;
    QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
    loop.exec();
    return dialog.result();
}

bool InstallGermanTranslations(QCoreApplication& application)
{
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}


} // namespace zx
