#include "ui/CheckResultsWindow.h"

#include "ui/Controls.h"
#include "ui/QtDialogs.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zx {

namespace {

constexpr const char* kTitle = "PRÜFUNG AUF ERFÜLLUNG DER VORAUSSETZUNGEN";

} // namespace

CheckResultsWindow::CheckResultsWindow(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , dialogs_(dialogs)
{
    setObjectName("CheckResultsWindow");
    setWindowTitle("Ergebnisse/Voraussetzungen");
    setFont(ArialFont(10));

    auto* layout = new QVBoxLayout(this);
    const ReportHead head = MakeReportHead(this);
    Label1 = head.title;
    Label2 = head.product;
    Label1->setText(QString::fromUtf8(kTitle));
    layout->addWidget(head.frame);

    auto* body = new QHBoxLayout();
    Text5 = MakeReportBox(this, "Text5");
    // Wide enough for the report's lines beside an advice box.
    const QFontMetrics fm(Text5->font());
    Text5->setMinimumWidth(fm.horizontalAdvance(QString(70, 'M')) + 30);
    body->addWidget(Text5, 1);
    // The advice boxes share one place beside the report; at most one shows.
    auto* adviceColumn = new QVBoxLayout();
    int adviceWidth = 0;
    for (const Advice& a : AllAdvice()) {
        QPlainTextEdit* box = MakeReportBox(this, a.box);
        box->setFont(ArialFont(10, true));
        box->setPlainText(DisplayText(a.text));
        adviceWidth = QFontMetrics(box->font()).horizontalAdvance(QString(36, 'n')) + 24;
        box->setFixedWidth(adviceWidth);
        box->setFixedHeight(QFontMetrics(box->font()).lineSpacing() * 8 + 16);
        QPalette p = box->palette();
        p.setColor(QPalette::Base, QColor(255, 250, 215));
        box->setPalette(p);
        box->hide();
        adviceColumn->addWidget(box);
        advice_[a.box] = box;
    }
    adviceColumn->addStretch();
    body->addLayout(adviceColumn);
    layout->addLayout(body, 1);

    auto* buttons = new QHBoxLayout();
    CmdDruck = new QPushButton("&Drucken", this);
    CmdDruck->setObjectName("CmdDruck");
    CmdWeiter = new QPushButton("&Weiter", this);
    CmdWeiter->setObjectName("CmdWeiter");
    CmdSchliessen = new QPushButton("&Schliessen", this);
    CmdSchliessen->setObjectName("CmdSchliessen");
    buttons->addWidget(CmdDruck);
    buttons->addStretch();
    buttons->addWidget(CmdWeiter);
    buttons->addWidget(CmdSchliessen);
    layout->addLayout(buttons);
    connect(CmdWeiter, &QPushButton::clicked, this, &CheckResultsWindow::CmdWeiter_Click);
    connect(CmdDruck, &QPushButton::clicked, this, &CheckResultsWindow::CmdDruck_Click);
    connect(CmdSchliessen, &QPushButton::clicked, this, &CheckResultsWindow::CmdSchliessen_Click);

    resize(Text5->minimumWidth() + adviceWidth + 40, fm.lineSpacing() * 32 + 140);
    PlaceCentred(this);
}

void CheckResultsWindow::setTitle(const QString& title) { Label1->setText(title); }

QString CheckResultsWindow::reportText() const { return Text5->toPlainText(); }

QString CheckResultsWindow::shownAdvice() const
{
    for (const auto& [name, box] : advice_)
        if (!box->isHidden())
            return QString::fromStdString(name);
    return {};
}

void CheckResultsWindow::showPage(const std::string& report, const Advice* advice)
{
    Text5->setPlainText(DisplayText(report));
    for (const auto& [name, box] : advice_) {
        const bool shown = advice && name == advice->box;
        box->setVisible(shown);
        box->setEnabled(shown);
    }
}

void CheckResultsWindow::showCheck(const CheckRun& run)
{
    run_ = run;
    setTitle(QString::fromUtf8(kTitle));
    showPage(run.normalityReport, run.normalityAdvice);
    offerTestChoiceOnClose_ = run.normalityAdvice != nullptr;
    CmdWeiter->setEnabled(true);
    CmdDruck->setEnabled(true);
}

void CheckResultsWindow::showVarianceTest(const std::string& testName, const std::string& report)
{
    run_ = {};
    setTitle(QString::fromStdString(testName));
    showPage(report, nullptr);
    offerTestChoiceOnClose_ = false;
    CmdWeiter->setEnabled(false);
    CmdDruck->setEnabled(true);
}

void CheckResultsWindow::CmdWeiter_Click()
{
    CmdWeiter->setEnabled(false);
    // After a passed normality test the variance comparison is shown, and
    // stays until the user closes it.
    if (!run_.normalityAdvice && run_.varianceReport) {
        showPage(*run_.varianceReport, run_.varianceAdvice);
        offerTestChoiceOnClose_ = run_.varianceAdvice != nullptr;
        return;
    }
    close();
}

void CheckResultsWindow::CmdDruck_Click()
{
    // The report, and below it the advice shown beside it.
    QString text = reportText();
    for (const auto& [name, box] : advice_)
        if (box->isVisible())
            text += "\n\n" + box->toPlainText();
    lastPrint = PrintReport(this, dialogs_, printTarget, Label1->text(), text);
}

void CheckResultsWindow::CmdSchliessen_Click()
{
    emit resultsWindowClosed();
    close();
}

void CheckResultsWindow::closeEvent(QCloseEvent* event)
{
    if (offerTestChoiceOnClose_) {
        offerTestChoiceOnClose_ = false;
        emit testChoiceOffered();
    }
    QWidget::closeEvent(event);
}

} // namespace zx
