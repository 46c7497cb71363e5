#include "ui/StartWindow.h"

#include "core/AnalysisRecord.h"
#include "core/Dialogs.h"
#include "core/ProgramDirectory.h"
#include "ui/Controls.h"
#include "ui/MainWindow.h"
#include "ui/QtDialogs.h"
#include "workflow/ModuleCatalogue.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

namespace zx {

namespace {

QPlainTextEdit* makeTextBox(const char* name, QWidget* parent)
{
    auto* t = new QPlainTextEdit(parent);
    t->setObjectName(name);
    t->setReadOnly(true);
    t->setFont(ArialFont(10));
    t->setLineWrapMode(QPlainTextEdit::NoWrap);
    return t;
}

} // namespace

StartWindow::StartWindow(AnalysisRecord& record, Dialogs& dialogs, StartOptions options, QWidget* parent)
    : QWidget(parent)
    , rec_(record)
    , dialogs_(dialogs)
    , options_(std::move(options))
{
    setObjectName("StartWindow");
    setWindowTitle("Zerantix");
    endProgram = EndProgram;
    buildControls();
    Form_Load();
}

StartWindow::~StartWindow()
{
    // The main window is a window of its own; it goes with the start window
    // only when the program ends.
    if (mainWindow_)
        delete mainWindow_.data();
}

void StartWindow::buildControls()
{
    setFont(ArialFont(10));
    resize(900, 640);

    Label1 = new QLabel("Zerantix", this);
    Label1->setObjectName("Label1");
    Label1->setFont(ArialFont(34, true, true));
    Label1->setStyleSheet("color: #1f3f7a;");
    Label1->setGeometry(24, 8, 300, 60);
    Label3 = new QLabel(QString::fromUtf8("Das Programm mit Übersicht für statistische Auswertungen"), this);
    Label3->setObjectName("Label3");
    Label3->setFont(ArialFont(12, false, true));
    Label3->setGeometry(26, 66, 600, 24);

    auto* shapeLine = new QFrame(this); // decorative rule under the title
    shapeLine->setObjectName("Shape1");
    shapeLine->setFrameShape(QFrame::HLine);
    shapeLine->setFrameShadow(QFrame::Sunken);
    shapeLine->setGeometry(20, 96, 860, 6);

    Frame1 = new QGroupBox(QString::fromUtf8("Hauptmenü: Module"), this);
    Frame1->setObjectName("Frame1");
    Frame1->setFont(ArialFont(10, true));
    Frame1->setGeometry(20, 112, 390, 440);

    const auto& catalogue = ModuleCatalogue();
    constexpr int rowHeight = 31;
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        const ModuleEntry& m = catalogue[i];
        auto* option = new QRadioButton(QString::fromStdString(m.caption), Frame1);
        option->setObjectName(QString::fromStdString(m.control));
        option->setFont(ArialFont(10));
        option->setGeometry(12, 28 + static_cast<int>(i) * rowHeight, 370, 24);
        connect(option, &QRadioButton::clicked, this, [this, i] { optionClick(i); });
        options.push_back(option);

        // The module codes beside the catalogue; only this module's is an entry.
        const int codeTop = 112 + 28 + static_cast<int>(i) * rowHeight;
        if (m.code == kThisModuleCode) {
            Label8 = new ClickLabel(QString::fromStdString(m.code), this);
            Label8->setObjectName("Label8");
            Label8->setFont(ArialFont(10, true));
            Label8->setStyleSheet("QLabel { color: #0b3fa8; text-decoration: underline; } QLabel:focus { background: #dbe6f8; }");
            Label8->setToolTip(QString::fromUtf8("Modul öffnen"));
            Label8->setGeometry(420, codeTop, 70, 24);
            connect(Label8, &ClickLabel::Click, this, &StartWindow::Label8_Click);
        } else {
            auto* code = new QLabel(QString::fromStdString(m.code), this);
            code->setObjectName(QString("Label4_%1").arg(Label4.size()));
            code->setFont(ArialFont(10));
            code->setStyleSheet("color: #777777;");
            code->setGeometry(420, codeTop, 70, 24);
            Label4.push_back(code);
        }
    }

    const QRect rightArea(500, 112, 380, 440);
    auto* shapeFrame = new QFrame(this); // decorative frame of the right part
    shapeFrame->setObjectName("Shape2");
    shapeFrame->setFrameShape(QFrame::Box);
    shapeFrame->setFrameShadow(QFrame::Raised);
    shapeFrame->setGeometry(rightArea.adjusted(-4, -4, 4, 4));

    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(rightArea);
    Image1->setPixmap(TitlePicture(rightArea.size()));
    Text2 = makeTextBox("Text2", this);
    Text2->setGeometry(rightArea);
    Text1 = makeTextBox("Text1", this);
    Text1->setGeometry(rightArea);
    QString why;
    for (const auto& line : WhyZerantixLines())
        why += QString::fromStdString(line) + '\n';
    Text1->setPlainText(why);

    auto button = [this](const char* name, const char* caption, int left) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(name);
        b->setFont(ArialFont(10));
        b->setGeometry(left, 580, 190, 36);
        return b;
    };
    CmdInhalt = button("CmdInhalt", "&Inhalt der Module", 20);
    CmdInfo = button("CmdInfo", "In&fo", 240);
    CmdWarum = button("CmdWarum", "Wa&rum Zerantix", 460);
    CmdEnde = button("CmdEnde", "&Beenden", 690);
    connect(CmdInhalt, &QPushButton::clicked, this, &StartWindow::CmdInhalt_Click);
    connect(CmdInfo, &QPushButton::clicked, this, &StartWindow::CmdInfo_Click);
    connect(CmdWarum, &QPushButton::clicked, this, &StartWindow::CmdWarum_Click);
    connect(CmdEnde, &QPushButton::clicked, this, &StartWindow::CmdEnde_Click);

    CentreOnScreen(this, 0.5);
}

MainWindow* StartWindow::mainWindow() const { return mainWindow_; }

void StartWindow::Form_Load()
{
    rec_.Verzeichnis = ResolveProgramDirectory({ ReadParameterRecord1(options_.parameterFile),
        options_.argumentFolder, options_.exampleFolder, options_.currentFolder });
    Label1->setVisible(true);
    Label3->setVisible(true);
    Image1->setVisible(true);
    Text1->setVisible(false);
    Text2->setVisible(false);
}

void StartWindow::optionClick(std::size_t module)
{
    Image1->setVisible(false);
    Label1->setVisible(true);
    Label3->setVisible(true);
    Text2->setPlainText(DisplayText(ModuleDescription(ModuleCatalogue().at(module))));
    Text2->setVisible(true);
    Text2->raise(); // in front of the "Warum" text, which may still be shown
}

void StartWindow::Label8_Click()
{
    if (!mainWindow_) {
        mainWindow_ = new MainWindow(rec_, dialogs_);
        mainWindow_->setAttribute(Qt::WA_DeleteOnClose);
    }
    mainWindow_->show();
    mainWindow_->raise();
    mainWindow_->activateWindow();
}

void StartWindow::CmdInhalt_Click()
{
    dialogs_.ShowMessage("Bitte oben im HAUPTMENÜ auf die einzelnen Module klicken!", "Tests und Verfahren im Zerantix");
}

void StartWindow::CmdInfo_Click()
{
    dialogs_.ShowMessage("Bitte Datei InfoDemo.txt im Verzeichnis Zerantix lesen!", "Weitere Infos über Zerantix");
}

void StartWindow::CmdWarum_Click()
{
    Text1->setVisible(true);
    Text1->raise();
    Image1->setVisible(false);
    Text2->setVisible(false);
}

void StartWindow::CmdEnde_Click()
{
    if (endProgram)
        endProgram();
}

QPixmap TitlePicture(QSize size)
{
    QPixmap pix(size);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor("#eef3fb"));
    sky.setColorAt(1, QColor("#c9d8f0"));
    p.fillRect(pix.rect(), sky);

    const double w = size.width();
    const double h = size.height();
    const double baseY = h * 0.62;
    const double left = w * 0.08;
    const double right = w * 0.92;

    // Two normal densities, the second shifted: two samples to compare.
    auto density = [&](double mean, double sd) {
        QPainterPath path(QPointF(left, baseY));
        for (int i = 0; i <= 200; ++i) {
            const double x = left + (right - left) * i / 200.0;
            const double u = (x - mean) / sd;
            path.lineTo(x, baseY - h * 0.42 * std::exp(-0.5 * u * u));
        }
        path.lineTo(right, baseY);
        path.closeSubpath();
        return path;
    };
    const QPainterPath first = density(w * 0.40, w * 0.10);
    const QPainterPath second = density(w * 0.60, w * 0.10);
    p.setPen(QPen(QColor("#1f3f7a"), 2));
    p.setBrush(QColor(31, 63, 122, 90));
    p.drawPath(first);
    p.setPen(QPen(QColor("#b5522b"), 2));
    p.setBrush(QColor(201, 96, 43, 90));
    p.drawPath(second);

    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(QPointF(left, baseY), QPointF(right, baseY));

    // Box-whisker plots of the two samples below the axis.
    auto box = [&](double y, double q1, double med, double q3, double lo, double hi, QColor c) {
        p.setPen(QPen(c.darker(140), 1.5));
        p.setBrush(c);
        p.drawLine(QPointF(lo, y), QPointF(q1, y));
        p.drawLine(QPointF(q3, y), QPointF(hi, y));
        p.drawLine(QPointF(lo, y - 6), QPointF(lo, y + 6));
        p.drawLine(QPointF(hi, y - 6), QPointF(hi, y + 6));
        p.drawRect(QRectF(q1, y - 10, q3 - q1, 20));
        p.drawLine(QPointF(med, y - 10), QPointF(med, y + 10));
    };
    box(h * 0.72, w * 0.33, w * 0.40, w * 0.47, w * 0.18, w * 0.62, QColor(31, 63, 122, 110));
    box(h * 0.82, w * 0.53, w * 0.60, w * 0.67, w * 0.38, w * 0.82, QColor(201, 96, 43, 110));

    p.setPen(QColor("#1f3f7a"));
    p.setFont(ArialFont(13, false, true));
    p.drawText(QRectF(0, h * 0.88, w, h * 0.1), Qt::AlignCenter, QString::fromUtf8("Ho: µ1 = µ2  ?"));
    return pix;
}

} // namespace zx
