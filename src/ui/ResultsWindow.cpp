#include "ui/ResultsWindow.h"

#include "core/AnalysisRecord.h"
#include "core/DateText.h"
#include "ui/Controls.h"
#include "ui/QtDialogs.h"
#include "workflow/ResultsReport.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zx {

namespace {

QString now() { return QString::fromStdString(ReportDateTime()); }

// Lines of the report box at the window's first size.
constexpr int kShownLines = 40;

} // namespace

ResultsWindow::ResultsWindow(AnalysisRecord& record, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , rec_(record)
    , dialogs_(dialogs)
{
    setObjectName("ResultsWindow");
    setWindowTitle("Test/Ergebnisse");
    setFont(ArialFont(10));

    auto* layout = new QVBoxLayout(this);
    const ReportHead head = MakeReportHead(this);
    Label1 = head.title;
    Label2 = head.product;
    layout->addWidget(head.frame);

    Text1 = MakeReportBox(this, "Text1");
    layout->addWidget(Text1, 1);

    auto* buttons = new QHBoxLayout();
    CmdWeiter = new QPushButton("&Weiter", this);
    CmdWeiter->setObjectName("CmdWeiter");
    CmdDruck = new QPushButton("&Drucken", this);
    CmdDruck->setObjectName("CmdDruck");
    buttons->addStretch();
    buttons->addWidget(CmdDruck);
    buttons->addWidget(CmdWeiter);
    layout->addLayout(buttons);
    connect(CmdWeiter, &QPushButton::clicked, this, &ResultsWindow::CmdWeiter_Click);
    connect(CmdDruck, &QPushButton::clicked, this, &ResultsWindow::CmdDruck_Click);

    // Tall enough for the report and its additions; never taller than the screen.
    const QFontMetrics fm(Text1->font());
    resize(fm.horizontalAdvance(QString(60, 'M')) + 60, fm.lineSpacing() * kShownLines + 140);
    if (const QScreen* s = screen())
        resize(width(), std::min(height(), s->availableGeometry().height()));
    CentreOnScreen(this, 1.0 / 3);

    Text1_Change();
    CmdWeiter->setEnabled(true);
    CmdDruck->setEnabled(true);
}

void ResultsWindow::setTitle(const QString& title) { Label1->setText(title); }

QString ResultsWindow::reportText() const { return Text1->toPlainText(); }

void ResultsWindow::Text1_Change()
{
    CompleteReportLines(rec_);
    Text1->setPlainText(DisplayText(ResultsReportText(rec_, now().toStdString())));
}

void ResultsWindow::CmdWeiter_Click() { close(); }

void ResultsWindow::CmdDruck_Click() { lastPrint = PrintReport(this, dialogs_, printTarget, Label1->text(), reportText()); }

} // namespace zx
