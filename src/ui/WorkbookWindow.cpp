#include "ui/WorkbookWindow.h"

#include "core/NumberText.h"
#include "ui/Controls.h"
#include "ui/QtDialogs.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace zx {

namespace {
// Empty rows and columns beyond the data, so that the sheet looks like one.
constexpr int kSpareRows = 40;
constexpr int kSpareColumns = 10;
constexpr int kMinRows = 100;
constexpr int kMinColumns = 26;
} // namespace

SheetModel::SheetModel(const Workbook* workbook, int sheet, QObject* parent)
    : QAbstractTableModel(parent)
    , workbook_(workbook)
    , sheet_(sheet)
    , extent_(workbook ? workbook->extent(sheet) : SheetExtent {})
{
}

int SheetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::min(std::max(extent_.rows + kSpareRows, kMinRows), kMaxReferenceRows);
}

int SheetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::min(std::max(extent_.columns + kSpareColumns, kMinColumns), kMaxReferenceColumns);
}

QVariant SheetModel::data(const QModelIndex& index, int role) const
{
    if (!workbook_ || !index.isValid())
        return {};
    const Cell c = workbook_->cell(sheet_, index.row(), index.column());
    if (role == Qt::DisplayRole) {
        switch (c.kind()) {
        case CellKind::Number: return QString::fromStdString(CStr(c.numberValue()));
        case CellKind::Text:
        case CellKind::Error: return QString::fromStdString(c.textValue());
        case CellKind::Boolean: return c.booleanValue() ? QStringLiteral("WAHR") : QStringLiteral("FALSCH");
        case CellKind::Empty: return {};
        }
    }
    if (role == Qt::TextAlignmentRole) {
        if (c.isNumber())
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        if (c.isBoolean() || c.isError())
            return QVariant::fromValue(Qt::AlignHCenter | Qt::AlignVCenter);
    }
    return {};
}

QVariant SheetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return QString::fromStdString(ColumnLetters(section));
    return section + 1;
}

WorkbookWindow::WorkbookWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName("WorkbookWindow");
    setWindowTitle(QString::fromUtf8("Arbeitsmappe"));
    auto* layout = new QVBoxLayout(this);
    hint_ = new QLabel(QString::fromUtf8(
        "Markieren Sie die Zellen einer Stichprobe mit der Maus: den ganzen Bereich ziehen oder nur die erste Zelle "
        "anklicken. Gelesen wird von der ersten markierten Zeile abwärts bis zur ersten leeren Zelle."), this);
    hint_->setWordWrap(true);
    tabs_ = new QTabWidget(this);
    tabs_->setTabPosition(QTabWidget::South); // sheet tabs below the grid, where users look for them
    layout->addWidget(hint_);
    layout->addWidget(tabs_, 1);
    if (const QScreen* s = screen()) {
        const QRect area = s->availableGeometry();
        setGeometry(area.left() + 10, area.top() + area.height() / 25, area.width() * 3 / 5, area.height() * 7 / 10);
    }
}

void WorkbookWindow::setWorkbook(const Workbook* workbook, const QString& fileName)
{
    workbook_ = workbook;
    while (tabs_->count() > 0) {
        QWidget* w = tabs_->widget(0);
        tabs_->removeTab(0);
        delete w;
    }
    setWindowTitle(fileName.isEmpty() ? QStringLiteral("Arbeitsmappe") : QStringLiteral("Arbeitsmappe - ") + fileName);
    if (!workbook)
        return;
    for (int s = 0; s < workbook->sheetCount(); ++s) {
        auto* view = new QTableView(tabs_);
        view->setObjectName(QString("Tabelle%1").arg(s));
        view->setModel(new SheetModel(workbook, s, view));
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setSelectionMode(QAbstractItemView::ContiguousSelection);
        view->installEventFilter(this);
        view->horizontalHeader()->setDefaultSectionSize(90);
        view->verticalHeader()->setDefaultSectionSize(22);
        connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this, s] { selectionChanged(s); });
        tabs_->addTab(view, QString::fromStdString(workbook->sheetName(s)));
        if (workbook->sheetVisibility(s) != SheetVisibility::Visible)
            tabs_->setTabVisible(s, false);
    }
    if (workbook->frontSheet() >= 0)
        tabs_->setCurrentIndex(workbook->frontSheet());
}

bool WorkbookWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit confirmed();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

int WorkbookWindow::currentSheet() const { return std::max(tabs_->currentIndex(), 0); }

int WorkbookWindow::frontSheet() const { return workbook_ ? std::max(workbook_->frontSheet(), 0) : 0; }

QTableView* WorkbookWindow::table(int sheet) const { return qobject_cast<QTableView*>(tabs_->widget(sheet)); }

void WorkbookWindow::selectionChanged(int sheet)
{
    if (!reporting_)
        return;
    const QTableView* view = table(sheet);
    const QModelIndexList marked = view ? view->selectionModel()->selectedIndexes() : QModelIndexList();
    if (marked.isEmpty())
        return;
    CellRange range;
    range.sheet = sheet;
    range.first = { marked.first().row(), marked.first().column() };
    range.last = range.first;
    for (const QModelIndex& i : marked) {
        range.first = { std::min(range.first.row, i.row()), std::min(range.first.column, i.column()) };
        range.last = { std::max(range.last.row, i.row()), std::max(range.last.column, i.column()) };
    }
    emit rangeMarked(range);
}

void WorkbookWindow::showRange(const CellRange& range)
{
    QTableView* view = table(range.sheet);
    if (!view)
        return;
    reporting_ = false;
    tabs_->setCurrentIndex(range.sheet);
    const QAbstractItemModel* m = view->model();
    const int lastRow = std::min(range.last.row, m->rowCount() - 1);
    const int lastColumn = std::min(range.last.column, m->columnCount() - 1);
    if (range.first.row <= lastRow && range.first.column <= lastColumn) {
        const QItemSelection selection(m->index(range.first.row, range.first.column), m->index(lastRow, lastColumn));
        view->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
        view->scrollTo(m->index(range.first.row, range.first.column));
    }
    reporting_ = true;
}

RangeDialog::RangeDialog(const QString& prompt, const QString& title, WorkbookWindow* workbookWindow, QWidget* parent)
    : QDialog(parent)
    , window_(workbookWindow)
{
    setObjectName("RangeDialog");
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(prompt, this);
    label->setObjectName("Prompt");
    layout->addWidget(label);
    layout->addWidget(new QLabel(QString::fromUtf8("Bereich (in der Arbeitsmappe markieren oder eingeben):"), this));
    reference_ = new QLineEdit(this);
    reference_->setObjectName("Reference");
    reference_->setPlaceholderText("z.B. A1:A9");
    layout->addWidget(reference_);
    problem_ = new QLabel(this);
    problem_->setObjectName("Problem");
    problem_->setStyleSheet("color: #b00000;");
    problem_->setWordWrap(true);
    problem_->hide();
    layout->addWidget(problem_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName("OK");
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)->setObjectName("Abbrechen");
    connect(buttons, &QDialogButtonBox::accepted, this, &RangeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RangeDialog::reject);
    layout->addWidget(buttons);

    if (window_) {
        connect(window_, &WorkbookWindow::rangeMarked, this, [this](const CellRange& r) {
            reference_->setText(QString::fromStdString(RangeText(r, window_->workbook(), window_->frontSheet())));
            problem_->hide();
        });
        connect(window_, &WorkbookWindow::confirmed, this, &RangeDialog::accept);
        // A typed reference is marked in the workbook as the user types.
        connect(reference_, &QLineEdit::textEdited, this, [this](const QString& text) {
            if (const auto r = ParseRange(text.toStdString(), window_->workbook(), window_->currentSheet()))
                window_->showRange(*r);
        });
    }
    setMinimumWidth(fontMetrics().horizontalAdvance(title) + 140); // the whole title in its bar
    if (const QScreen* s = screen()) {
        const QRect area = s->availableGeometry();
        adjustSize();
        move(area.right() - width() - 20, area.top() + area.height() / 4);
    }
}

void RangeDialog::accept()
{
    const int sheet = window_ ? window_->currentSheet() : 0;
    range_ = ParseRange(reference_->text().toStdString(), window_ ? window_->workbook() : nullptr, sheet);
    if (!range_) {
        problem_->setText(QString::fromUtf8("Bitte markieren Sie einen Bereich in der Arbeitsmappe oder geben Sie ihn "
                                            "ein, z.B. A1:A9 oder $B$2:$C$20."));
        problem_->show();
        // Grow with the hint, keeping the right edge, so that the prompt
        // above it keeps every line.
        const int right = geometry().right();
        adjustSize();
        move(right - width() + 1, y());
        return;
    }
    QDialog::accept();
}

QtWorkbookView::QtWorkbookView(QWidget* dialogParent)
    : dialogParent_(dialogParent)
    , window_(new WorkbookWindow()) // not a child: it must stay usable while the manager waits for an answer
{
    SetOwner(window_, dialogParent_);
}

QtWorkbookView::~QtWorkbookView() { delete window_; }

void QtWorkbookView::showWorkbook(const Workbook* workbook, const std::string& fileName)
{
    window_->setWorkbook(workbook, QString::fromStdString(fileName));
}

void QtWorkbookView::setVisible(bool visible)
{
    window_->setVisible(visible);
    if (visible)
        window_->raise();
}

std::optional<CellRange> QtWorkbookView::askRange(const std::string& prompt, const std::string& title)
{
    // Owned by the workbook window and not modal, so that cells can be
    // marked beside it; the manager's menu waits meanwhile.
    RangeDialog dialog(DisplayText(prompt), QString::fromStdString(title), window_, window_);
    question_ = &dialog;
    const int result = RunWithoutModality(dialog);
    question_ = nullptr;
    if (result != QDialog::Accepted)
        return std::nullopt;
    return dialog.range();
}

void QtWorkbookView::cancelQuestion()
{
    if (question_)
        question_->reject();
}

std::optional<std::string> QtWorkbookView::chooseWorkbookFile(const std::string& folder)
{
    QFileDialog dialog(dialogParent_, QString::fromUtf8("Arbeitsmappe öffnen"), QString::fromStdString(folder),
        QString::fromUtf8("Arbeitsmappen (*.xls *.xlsx *.xlsm *.ods *.csv *.txt);;"
                          "Alle Dateien (*)"));
    dialog.setObjectName("FileDialog");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

} // namespace zx
