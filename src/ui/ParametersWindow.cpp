#include "ui/ParametersWindow.h"

#include "core/AnalysisRecord.h"
#include "core/DateText.h"
#include "stats/Descriptive.h"
#include "ui/Controls.h"
#include "ui/QtDialogs.h"
#include "workflow/ParametersListing.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace zx {

ParametersWindow::ParametersWindow(AnalysisRecord& record, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , rec_(record)
    , dialogs_(dialogs)
{
    setObjectName("ParametersWindow");
    setWindowTitle("Deskriptive Parameter");
    setFont(ArialFont(10));

    auto* layout = new QVBoxLayout(this);
    auto* head = new QHBoxLayout();
    auto box = [this](const char* name) {
        auto* f = new QFrame(this);
        f->setObjectName(name);
        f->setFrameShape(QFrame::Box);
        return f;
    };
    QFrame* Shape1 = box("Shape1"); // around the product's name
    QFrame* Shape2 = box("Shape2"); // around the title and the sample number
    Label2 = new QLabel("Zerantix", Shape1);
    Label2->setObjectName("Label2");
    Label2->setFont(SerifFont(18, true, true));
    (new QHBoxLayout(Shape1))->addWidget(Label2);
    Label1 = new QLabel("DESKRIPTIVE PARAMETER", Shape2);
    Label1->setObjectName("Label1");
    Label1->setFont(ArialFont(13, true));
    Label3 = new QLabel(Shape2);
    Label3->setObjectName("Label3");
    Label3->setFont(SerifFont(16, true));
    auto* titleLayout = new QHBoxLayout(Shape2);
    titleLayout->addWidget(Label1, 1, Qt::AlignCenter);
    titleLayout->addWidget(Label3);
    head->addWidget(Shape1);
    head->addWidget(Shape2, 1);
    layout->addLayout(head);

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName("Text1");
    const QFont courier = CourierFont(10);
    Text1->setFont(courier);
    Text1->setReadOnly(true); // the listing, nothing to edit
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(Text1, 1);

    auto* buttons = new QHBoxLayout();
    CmdBlättern = new QPushButton(QString::fromUtf8("Blättern"), this);
    CmdBlättern->setObjectName(QString::fromUtf8("CmdBlättern"));
    CmdPrint = new QPushButton("Drucken", this);
    CmdPrint->setObjectName("CmdPrint");
    CmdWeiter = new QPushButton("Weiter", this);
    CmdWeiter->setObjectName("CmdWeiter");
    buttons->addStretch();
    buttons->addWidget(CmdBlättern);
    buttons->addWidget(CmdPrint);
    buttons->addWidget(CmdWeiter);
    layout->addLayout(buttons);
    connect(CmdBlättern, &QPushButton::clicked, this, &ParametersWindow::CmdBlättern_Click);
    connect(CmdPrint, &QPushButton::clicked, this, &ParametersWindow::CmdPrint_Click);
    connect(CmdWeiter, &QPushButton::clicked, this, &ParametersWindow::CmdWeiter_Click);

    const QFontMetrics fm(courier);
    resize(fm.horizontalAdvance(QString(64, 'M')) + 60, fm.lineSpacing() * 26 + 130);
    Form_Load();
}

void ParametersWindow::Form_Load()
{
    if (const QScreen* s = screen()) {
        const QRect area = s->availableGeometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + area.height() / 4);
    }
    // Sample 1 first: the listing switches from 2 to 1.
    rec_.StichprobeNr = 2;
    showNextSample();
}

void ParametersWindow::showNextSample()
{
    listed_ = parameter(rec_, dialogs_);
    Label3->setText(QString::number(rec_.StichprobeNr));
    Text1_Change();
    Text1->setVisible(true);
}

QString ParametersWindow::listingText() const { return Text1->toPlainText(); }

void ParametersWindow::Text1_Change()
{
    Text1->setPlainText(listed_ ? DisplayText(ParametersText(rec_, ReportDate())) : QString());
}

void ParametersWindow::CmdBlättern_Click() { showNextSample(); }

void ParametersWindow::CmdWeiter_Click() { close(); }

void ParametersWindow::CmdPrint_Click()
{
    const auto page = ParametersPrintout(rec_, dialogs_, ReportDate());
    if (!page)
        return;
    lastPrint = PrintPages(this, dialogs_, printTarget, windowTitle(), [&page](PrintPage& p) { return WriteText(p, *page); });
}

} // namespace zx
