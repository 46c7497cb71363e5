#include "ui/MainWindow.h"

#include "core/AnalysisRecord.h"
#include "core/Dialogs.h"
#include "core/TestNames.h"
#include "ui/CheckDialog.h"
#include "ui/CheckResultsWindow.h"
#include "ui/Controls.h"
#include "ui/DataManagerWindow.h"
#include "ui/DistributionShapeNotice.h"
#include "ui/ParametersWindow.h"
#include "ui/PlotWindow.h"
#include "ui/ResultsWindow.h"
#include "workflow/AssumptionCheck.h"
#include "workflow/Confirmation.h"
#include "workflow/ResultsCommand.h"
#include "workflow/TestChoice.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QPointer>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace zx {

namespace {

constexpr int kWindowHeight = 430;

} // namespace

MainWindow::MainWindow(AnalysisRecord& record, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent)
    , rec_(record)
    , dialogs_(dialogs)
{
    setObjectName("MainWindow");
    setWindowTitle("KAPA21");
    setFont(ArialFont(9));
    endProgram = EndProgram;
    runDataManager = [this] {
        // Owned by this window, which the window manager keeps below it.
        DataManagerWindow manager(rec_, dialogs_, this);
        // Loading may already have ended the manager (no workbook, and none chosen).
        if (!manager.manager().closed())
            manager.exec();
    };
    buildControls();
    Form_Initialize();
    Form_Load();
}

QPushButton* MainWindow::makeButton(const char* name, const char* caption)
{
    auto* b = new QPushButton(QString::fromUtf8(caption), this);
    b->setObjectName(name);
    return b;
}

QLabel* MainWindow::makeLabel(const char* name, const char* caption)
{
    auto* l = new QLabel(QString::fromUtf8(caption), this);
    l->setObjectName(name);
    return l;
}

ClickList* MainWindow::makeList(const char* name, std::initializer_list<const char*> items)
{
    auto* list = new ClickList(this);
    list->setObjectName(name);
    for (const char* item : items)
        list->addItem(QString::fromUtf8(item));
    return list;
}

void MainWindow::buildControls()
{
    auto frame = [this](const char* name) {
        auto* f = new QFrame(this);
        f->setObjectName(name);
        f->setFrameShape(QFrame::Box);
        f->setFrameShadow(QFrame::Sunken);
        f->lower();
        return f;
    };
    Shape1 = frame("Shape1");
    Shape2 = frame("Shape2");
    Shape3 = frame("Shape3");
    Shape4 = frame("Shape4");
    Shape5 = frame("Shape5");

    Label1 = makeLabel("Label1", "Vergleich zweier Stichproben");
    Label4 = makeLabel("Label4", "Zerantix");
    Label3 = makeLabel("Label3", "Wahl eines TESTs");
    Label6 = makeLabel("Label6", "DATENTYP:");
    Label2 = makeLabel("Label2", "Für einzelne Daten");
    Label9 = makeLabel("Label9", "Für gruppierte Daten");
    Label8 = makeLabel("Label8", "Für Wertepaare");
    Label7 = makeLabel("Label7", "Wahl der ALTERNATIV-Hypothese");

    QFont title = font();
    title.setPointSize(15);
    title.setBold(true);
    Label1->setFont(title);
    Label4->setFont(SerifFont(22, true, true));
    QFont heading = font();
    heading.setPointSize(11);
    heading.setBold(true);
    Label3->setFont(heading);
    Label6->setFont(heading);

    List1 = makeList("List1", { "  t-Test für Zweistichpr.", "  WELCH-Test", "  LORD-Test", "  WEIR-Test", "  U-Test", "  MEDIAN-Test" });
    List2 = makeList("List2", { "  t-Test für Zweistichpr.", "  WELCH-Test", "  LORD-Test", "  WEIR-Test" });
    List3 = makeList("List3", { "  t-Test für Wertepaare", "  WILCOXON-Test", "  VORZEICHEN-Test" });
    List4 = makeList("List4", { "  t-Test Varianzvgl.  Abhängige Stichproben" });
    List6 = makeList("List6", { "  F-Test Varianzvgl.Unabhängige Stichproben" });
    List5 = makeList("List5", { "  Zweiseitiger Test    (µ1 <>  µ2) ", "  Einseitiger Test      (µ1  <  µ2)", "  Einseitiger Test      (µ1  >  µ2)" });

    CmdEingabe = makeButton("CmdEingabe", "&DATEN: Eingabe");
    CmdNeuStart = makeButton("CmdNeuStart", "(&Neu)Start");
    CmdTestWahl = makeButton("CmdTestWahl", "&Wahl des TESTS");
    CmdZusatzTest = makeButton("CmdZusatzTest", "W&eitere Tests");
    CmdErgebnisse = makeButton("CmdErgebnisse", "E&rgebnisse");
    CmdDeskriptive = makeButton("CmdDeskriptive", "Deskriptive &Parameter");
    CmdGraphik = makeButton("CmdGraphik", "&Graphik");
    CmdEnde = makeButton("CmdEnde", "&Abbrechen");

    // Positions of the left part; the button column follows the screen width.
    Label1->setGeometry(30, 14, 420, 34);
    Label4->setGeometry(470, 8, 200, 44);
    Shape1->setGeometry(20, 62, 770, 340);
    Label3->setGeometry(36, 72, 200, 24);
    Label6->setGeometry(250, 72, 520, 24);
    Label2->setGeometry(36, 108, 230, 20);
    List1->setGeometry(36, 130, 230, 130);
    Label9->setGeometry(286, 108, 230, 20);
    List2->setGeometry(286, 130, 230, 90);
    Label8->setGeometry(536, 108, 230, 20);
    List3->setGeometry(536, 130, 230, 70);
    Label7->setGeometry(36, 290, 330, 20);
    List5->setGeometry(36, 312, 330, 70);
    Shape5->setGeometry(396, 290, 380, 100);
    List4->setGeometry(406, 302, 360, 34);
    List6->setGeometry(406, 344, 360, 34);

    connect(CmdEingabe, &QPushButton::clicked, this, &MainWindow::CmdEingabe_Click);
    connect(CmdNeuStart, &QPushButton::clicked, this, &MainWindow::CmdNeuStart_Click);
    connect(CmdTestWahl, &QPushButton::clicked, this, &MainWindow::CmdTestWahl_Click);
    connect(CmdZusatzTest, &QPushButton::clicked, this, &MainWindow::CmdZusatzTest_Click);
    connect(CmdErgebnisse, &QPushButton::clicked, this, &MainWindow::CmdErgebnisse_Click);
    connect(CmdDeskriptive, &QPushButton::clicked, this, &MainWindow::CmdDeskriptive_Click);
    connect(CmdGraphik, &QPushButton::clicked, this, &MainWindow::CmdGraphik_Click);
    connect(CmdEnde, &QPushButton::clicked, this, &MainWindow::CmdEnde_Click);
    connect(List1, &ClickList::Click, this, &MainWindow::List1_Click);
    connect(List2, &ClickList::Click, this, &MainWindow::List2_Click);
    connect(List3, &ClickList::Click, this, &MainWindow::List3_Click);
    connect(List4, &ClickList::Click, this, &MainWindow::List4_Click);
    connect(List5, &ClickList::Click, this, &MainWindow::List5_Click);
    connect(List6, &ClickList::Click, this, &MainWindow::List6_Click);

    // Design-time states; loading then sets those of a fresh start.
    for (ClickList* l : { List1, List2, List3, List5 })
        l->setEnabled(false);
    for (QPushButton* b : { CmdTestWahl, CmdErgebnisse, CmdDeskriptive, CmdGraphik })
        b->setEnabled(false);
}

void MainWindow::Form_Initialize()
{
    const QScreen* s = screen();
    const QRect area = s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
    const int sw = area.width();
    const int sh = area.height();
    resize(sw, kWindowHeight);
    move(area.left() + (sw - width()) / 2, area.top() + sh / 4);

    // The buttons form a column at the right edge of the screen.
    const int buttonLeft = sw - Twips(this, 1900) - sw / 50;
    const int frameLeft = sw - Twips(this, 2000) - sw / 50;
    const int buttonWidth = Twips(this, 1800);
    const int frameWidth = Twips(this, 2000);
    constexpr int h = 30;
    int y = 74;
    auto place = [&](QPushButton* b) {
        b->setGeometry(buttonLeft, y, buttonWidth, h);
        y += h + 8;
    };
    place(CmdEingabe);
    place(CmdNeuStart);
    place(CmdTestWahl);
    place(CmdZusatzTest);
    Shape2->setGeometry(frameLeft, 66, frameWidth, y - 66);
    y += 16;
    const int shape3Top = y - 8;
    place(CmdErgebnisse);
    place(CmdDeskriptive);
    place(CmdGraphik);
    Shape3->setGeometry(frameLeft, shape3Top, frameWidth, y - shape3Top);
    y += 16;
    const int shape4Top = y - 8;
    place(CmdEnde);
    Shape4->setGeometry(frameLeft, shape4Top, frameWidth, y - shape4Top);
}

void MainWindow::Form_Load()
{
    rec_.CrLf = kCrLf;
    CmdEingabe->setEnabled(true);
    CmdEnde->setEnabled(true);
    CmdNeuStart->setEnabled(false);
    CmdZusatzTest->setEnabled(false);
    for (ClickList* l : { List4, List6 }) {
        l->setVisible(false);
        l->setEnabled(false);
    }
    Shape5->setVisible(false);
}

void MainWindow::CmdEingabe_Click() { DataControl(); }

void MainWindow::CmdNeuStart_Click() { DataControl(); }

void MainWindow::setCommandsVisible(bool visible)
{
    for (QPushButton* b : { CmdEingabe, CmdNeuStart, CmdTestWahl, CmdZusatzTest, CmdErgebnisse, CmdDeskriptive, CmdGraphik, CmdEnde })
        b->setVisible(visible);
    for (QFrame* f : { Shape2, Shape3, Shape4 })
        f->setVisible(visible);
    if (!visible)
        Shape5->setVisible(false);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // The input runs on this window's stack; it must end first.
    if (inputRunning_)
        event->ignore();
    else
        QWidget::closeEvent(event);
}

void MainWindow::runManagerAlone()
{
    if (!runDataManager)
        return;
    // Every other window waits while the manager runs, as behind a modal
    // window; the manager keeps its workbook window usable for marking.
    QList<QPointer<QWidget>> paused;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->isEnabled()) {
            w->setEnabled(false);
            paused << w;
        }
    }
    inputRunning_ = true;
    runDataManager();
    inputRunning_ = false;
    for (const auto& w : paused)
        if (w)
            w->setEnabled(true);
}

void MainWindow::DataControl()
{
    for (ClickList* l : { List1, List2, List3, List5 })
        l->setEnabled(false);
    List4->setVisible(false);
    List6->setVisible(false);
    rec_.TestName.clear();
    unloadResultWindows();
    // The checks of the earlier data are over.
    unloadCheckWindows();
    for (QPushButton* b : { CmdEnde, CmdEingabe, CmdErgebnisse, CmdDeskriptive, CmdGraphik, CmdTestWahl, CmdZusatzTest })
        b->setEnabled(false);

    for (;;) {
        // While the manager runs, the only way on is through it.
        setCommandsVisible(false);
        runManagerAlone();
        if (rec_.TestName == TestNames::Unende)
            continue; // the reading failed: the manager opens again
        if (rec_.TestName == TestNames::Ende) {
            for (QPushButton* b : { CmdEnde, CmdEingabe })
                b->setEnabled(true);
            CmdZusatzTest->setEnabled(hasFurtherTests());
            setCommandsVisible(true);
            return;
        }
        if (const auto listing = ConfirmationListing(rec_))
            rec_.Meldung = *listing;
        if (dialogs_.AskYesNo(rec_.Meldung, "Bitte bestätigen Sie"))
            break;
    }
    if (rec_.Datentyp == 4)
        FillDifferences(rec_);
    for (QPushButton* b : { CmdEnde, CmdTestWahl, CmdNeuStart })
        b->setEnabled(true);
    CmdZusatzTest->setEnabled(hasFurtherTests());
    setCommandsVisible(true);
}

bool MainWindow::hasFurtherTests() const { return rec_.Datentyp != 3; }

void MainWindow::CmdEnde_Click()
{
    if (endProgram)
        endProgram();
}

void MainWindow::CmdTestWahl_Click()
{
    for (QPushButton* b : { CmdZusatzTest, CmdEingabe, CmdErgebnisse, CmdDeskriptive, CmdGraphik, CmdTestWahl })
        b->setEnabled(false);
    CmdZusatzTest->setEnabled(hasFurtherTests());
    Label6->setVisible(true);
    unloadCheckWindows();

    ClickList* offered = testList(ListFor(rec_.Datentyp));
    for (ClickList* l : { List1, List2, List3 })
        l->setEnabled(l == offered);
    Label6->setText(QString::fromUtf8(DataTypeLine(rec_.Datentyp)));
    // Data whose values the arithmetic guard stopped cannot be tested: the list waits.
    if (!StartTestChoice(rec_, dialogs_) && offered)
        offered->setEnabled(false);
}

ClickList* MainWindow::testList(TestList list) const
{
    switch (list) {
    case TestList::Single: return List1;
    case TestList::Grouped: return List2;
    case TestList::Paired: return List3;
    case TestList::None: break;
    }
    return nullptr;
}

void MainWindow::List1_Click() { testListClick(TestList::Single); }
void MainWindow::List2_Click() { testListClick(TestList::Grouped); }
void MainWindow::List3_Click() { testListClick(TestList::Paired); }

void MainWindow::testListClick(TestList list)
{
    ClickList* clicked = testList(list);
    for (ClickList* l : { List1, List2, List3 })
        if (l != clicked)
            l->setListIndex(-1);
    unloadResultWindows();
    // The check dialog and the notice belong to the test chosen before.
    unloadWindow(Window::AssumptionDialog);
    unloadWindow(Window::ShapeNotice);
    switch (ChooseTest(rec_, dialogs_, list, clicked->ListIndex())) {
    case TestChosen::None: break;
    case TestChosen::NeedsHypothesis: List5->setEnabled(true); break;
    case TestChosen::TwoSidedOnly:
        showWindow(Window::AssumptionDialog);
        CmdErgebnisse->setEnabled(true);
        List5->setEnabled(false);
        break;
    }
}

void MainWindow::List5_Click()
{
    if (!ChooseHypothesis(rec_, List5->ListIndex()))
        return;
    CmdErgebnisse->setEnabled(true);

    switch (AssumptionStepFor(rec_.TestName)) {
    case AssumptionStep::Check: showWindow(Window::AssumptionDialog); break;
    case AssumptionStep::ShapeNotice: showWindow(Window::ShapeNotice); break;
    case AssumptionStep::None: break;
    }
}

void MainWindow::CmdZusatzTest_Click()
{
    switch (rec_.Datentyp) {
    case 1: List1->setEnabled(false); break;
    case 2: List2->setEnabled(false); break;
    case 4: List3->setEnabled(false); break;
    default: break;
    }
    List4->setVisible(true);
    List6->setVisible(true);
    Shape5->setVisible(true);
    List4->setEnabled(rec_.Datentyp == 4);
    List6->setEnabled(rec_.Datentyp != 4);
}

void MainWindow::List4_Click() { varianceTestClick(List4, VarianceList::Paired); }

void MainWindow::List6_Click() { varianceTestClick(List6, VarianceList::Independent); }

void MainWindow::varianceTestClick(ClickList* clicked, VarianceList list)
{
    if (clicked->ListIndex() != 0)
        return;
    unloadWindow(Window::AssumptionDialog);
    // Without data (after a cancelled input) there is nothing to compare.
    const auto report = RunFurtherVarianceTest(rec_, dialogs_, list);
    if (!report)
        return;
    loadCheckResults()->showVarianceTest(rec_.TestName, *report);

    CmdErgebnisse->setEnabled(false);
    CmdZusatzTest->setEnabled(false);
    CmdTestWahl->setEnabled(true);
    List4->setVisible(false);
    List6->setVisible(false);
    Shape5->setVisible(false);
    clicked->setEnabled(false);
    // The variance test is no mean comparison: no hypothesis leads from it to
    // "Ergebnisse".
    List5->setEnabled(false);
}

ResultsWindow* MainWindow::resultsWindow() const { return resultsWindow_; }
CheckDialog* MainWindow::checkDialog() const { return checkDialog_; }
CheckResultsWindow* MainWindow::checkResultsWindow() const { return checkResults_; }
DistributionShapeNotice* MainWindow::shapeNotice() const { return shapeNotice_; }

CheckResultsWindow* MainWindow::loadCheckResults()
{
    unloadWindow(Window::CheckReport);
    checkResults_ = new CheckResultsWindow(dialogs_, this);
    checkResults_->setAttribute(Qt::WA_DeleteOnClose);
    connect(checkResults_, &CheckResultsWindow::testChoiceOffered, this, [this] {
        CmdTestWahl->setEnabled(true);
        unloadWindow(Window::AssumptionDialog);
    });
    connect(checkResults_, &CheckResultsWindow::resultsWindowClosed, this, [this] { unloadWindow(Window::Results); });
    checkResults_->show();
    checkResults_->raise();
    return checkResults_;
}

void MainWindow::showCheckResults(const CheckRun& run) { loadCheckResults()->showCheck(run); }

ParametersWindow* MainWindow::parametersWindow() const { return parametersWindow_; }
PlotWindow* MainWindow::plotWindow() const { return plotWindow_; }

namespace {

// Loads the window once; a window whose computation the arithmetic guard
// stopped has nothing to show and goes again.
template <typename W, typename Make, typename Shows>
bool load(QPointer<W>& window, Make make, Shows shows)
{
    if (!window) {
        window = make();
        window->setAttribute(Qt::WA_DeleteOnClose);
        if (!shows(*window)) {
            delete window.data();
            return false;
        }
    }
    window->show();
    window->raise();
    return true;
}

} // namespace

void MainWindow::showWindow(Window window)
{
    switch (window) {
    case Window::Results:
        if (!resultsWindow_) {
            resultsWindow_ = new ResultsWindow(rec_, dialogs_, this);
            resultsWindow_->setAttribute(Qt::WA_DeleteOnClose);
        }
        resultsWindow_->setTitle(QString::fromStdString(rec_.TestName));
        // While the report is shown the test lists wait.
        for (ClickList* l : { List1, List2, List3, List5 })
            l->setEnabled(false);
        resultsWindow_->show();
        resultsWindow_->raise();
        break;
    case Window::AssumptionDialog:
        if (!checkDialog_) {
            checkDialog_ = new CheckDialog(rec_, dialogs_, this);
            checkDialog_->setAttribute(Qt::WA_DeleteOnClose);
            connect(checkDialog_, &CheckDialog::checked, this, &MainWindow::showCheckResults);
        }
        checkDialog_->show();
        checkDialog_->raise();
        break;
    case Window::ShapeNotice:
        if (!shapeNotice_) {
            shapeNotice_ = new DistributionShapeNotice(this);
            shapeNotice_->setAttribute(Qt::WA_DeleteOnClose);
        }
        shapeNotice_->show();
        shapeNotice_->raise();
        break;
    case Window::Descriptive:
    case Window::Graphics: {
        const bool shown = window == Window::Descriptive
            ? load(parametersWindow_, [this] { return new ParametersWindow(rec_, dialogs_, this); },
                  [](ParametersWindow& w) { return w.listed(); })
            : load(plotWindow_, [this] { return new PlotWindow(rec_, dialogs_, this); }, [](PlotWindow& w) { return w.hasPlot(); });
        if (shown) {
            for (ClickList* l : { List1, List2, List3, List5 })
                l->setEnabled(false);
            CmdGraphik->setEnabled(true);
        }
        break;
    }
    default:
        break; // windows that are not part of the program yet
    }
}

void MainWindow::unloadWindow(Window window)
{
    switch (window) {
    case Window::Results:
        delete resultsWindow_.data();
        break;
    case Window::CheckReport:
        delete checkResults_.data();
        break;
    case Window::AssumptionDialog:
        delete checkDialog_.data();
        break;
    case Window::ShapeNotice:
        delete shapeNotice_.data();
        break;
    case Window::Descriptive:
        delete parametersWindow_.data();
        break;
    case Window::Graphics:
        delete plotWindow_.data();
        break;
    default:
        break;
    }
}

void MainWindow::unloadCheckWindows()
{
    unloadWindow(Window::AssumptionDialog);
    unloadWindow(Window::CheckReport);
    unloadWindow(Window::ShapeNotice);
}

void MainWindow::runResults()
{
    // What the results command does to this window while it runs.
    class View : public ResultsCommandView {
    public:
        explicit View(MainWindow& f) : f_(f) { }
        void unloadResultsWindow() override { f_.unloadWindow(Window::Results); }
        void disableDescriptiveAndGraphics() override
        {
            f_.CmdDeskriptive->setEnabled(false);
            f_.CmdGraphik->setEnabled(false);
        }
        void setResultsButtonEnabled(bool enabled) override { f_.CmdErgebnisse->setEnabled(enabled); }

    private:
        MainWindow& f_;
    } view(*this);

    const TestListSelection lists { List1->ListIndex(), List2->ListIndex(), List3->ListIndex() };
    switch (RunResults(rec_, dialogs_, lists, view)) {
    case ResultsOutcome::Refused:
    case ResultsOutcome::NoTest:
        break;
    case ResultsOutcome::Shown:
        unloadWindow(Window::Results); // a WEIR test asks no level, so an old report may still be open
        showWindow(Window::Results);
        for (QPushButton* b : { CmdDeskriptive, CmdGraphik, CmdTestWahl })
            b->setEnabled(true);
        break;
    case ResultsOutcome::NotPossible:
        for (ClickList* l : { List1, List2, List3, List5 })
            l->setEnabled(false);
        for (QPushButton* b : { CmdGraphik, CmdDeskriptive, CmdErgebnisse, CmdEingabe, CmdZusatzTest })
            b->setEnabled(false);
        for (QPushButton* b : { CmdNeuStart, CmdTestWahl })
            b->setEnabled(true);
        break;
    }
}

void MainWindow::CmdErgebnisse_Click() { runResults(); }

void MainWindow::CmdDeskriptive_Click() { showWindow(Window::Descriptive); }

void MainWindow::CmdGraphik_Click() { showWindow(Window::Graphics); }

void MainWindow::unloadResultWindows()
{
    unloadWindow(Window::Results);
    unloadWindow(Window::Descriptive);
    unloadWindow(Window::Graphics);
}

} // namespace zx
