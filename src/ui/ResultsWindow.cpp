#include "ui/ResultsWindow.h"

#include "core/AnalysisRecord.h"
#include "ui/Controls.h"
#include "ui/QtDialogs.h"
#include "workflow/ResultsReport.h"

#include <QDateTime>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace zx {

namespace {

QString now() { return ReportDateTime(QDateTime::currentDateTime()); }

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
    auto* head = new QFrame(this); // the decorative frame around the title
    head->setObjectName("Shape1");
    head->setFrameShape(QFrame::Box);
    auto* headLayout = new QHBoxLayout(head);
    Label2 = new QLabel("Zerantix", head);
    Label2->setObjectName("Label2");
    Label2->setFont(SerifFont(18, true, true));
    Label1 = new QLabel(head);
    Label1->setObjectName("Label1");
    Label1->setFont(ArialFont(13, true));
    Label1->setAlignment(Qt::AlignCenter);
    headLayout->addWidget(Label2);
    headLayout->addWidget(Label1, 1);
    layout->addWidget(head);

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName("Text1");
    const QFont courier = CourierFont(10);
    Text1->setFont(courier);
    Text1->setReadOnly(true); // a display of the report, nothing to edit
    Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
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

    // Tall enough for the report and its additions, which the window's
    // image carries onto paper; never taller than the screen.
    const QFontMetrics fm(courier);
    resize(fm.horizontalAdvance(QString(60, 'M')) + 60, fm.lineSpacing() * kShownLines + 140);
    if (const QScreen* s = screen()) {
        const QRect area = s->availableGeometry();
        resize(width(), std::min(height(), area.height()));
        move(area.left() + (area.width() - width()) / 2, area.top() + std::max(0, (area.height() - height()) / 3));
    }

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

void ResultsWindow::CmdDruck_Click()
{
    CmdWeiter->hide();
    CmdDruck->hide();
    lastPrint = PrintWindowImage(this, dialogs_, printTarget);
    CmdWeiter->show();
    CmdDruck->show();
}

} // namespace zx
