#include "ui/MainWindow.h"

#include "core/AnalysisRecord.h"
#include "core/Dialogs.h"
#include "core/NumberText.h"
#include "core/TestNames.h"
#include "stats/Descriptive.h"
#include "stats/Helpers.h"
#include "stats/ReportLines.h"
#include "ui/Controls.h"
#include "ui/DataManagerWindow.h"
#include "ui/ParametersWindow.h"
#include "ui/PlotWindow.h"
#include "ui/ResultsWindow.h"
#include "workflow/Confirmation.h"
#include "workflow/ResultsCommand.h"

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

// The levels "Weitere Tests" accepts, in percent; any other answer is asked
// again.
constexpr Single kMinVarianceLevel = 0.00001f;
constexpr Single kMaxVarianceLevel = 50.0f;

// Data-type line shown above the lists once the test choice starts.
const char* dataTypeLine(int datentyp)
{
    switch (datentyp) {
    case 1: return "Datentyp: Einzelne Werte";
    case 2: return "Datentyp: Klassengruppen (Klassenmitte)";
    case 3: return "Datentyp: XQUER/STANDARDABWEICHUNG/UMFANG";
    case 4: return "Datentyp: Verbunden / Wertepaare";
    default: return "DATENTYP:";
    }
}

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
        // A window of its own rather than one stacked on the main window, so
        // that the workbook window can stay in front of the main window.
        DataManagerWindow manager(rec_, dialogs_, nullptr);
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

    CmdEingabe = makeButton("CmdEingabe", "DATEN: Eingabe");
    CmdNeuStart = makeButton("CmdNeuStart", "(Neu)Start");
    CmdTestWahl = makeButton("CmdTestWahl", "Wahl des TESTS");
    CmdZusatzTest = makeButton("CmdZusatzTest", "Weitere Tests");
    CmdErgebnisse = makeButton("CmdErgebnisse", "Ergebnisse");
    CmdDeskriptive = makeButton("CmdDeskriptive", "Deskriptive Parameter");
    CmdGraphik = makeButton("CmdGraphik", "Graphik");
    CmdEnde = makeButton("CmdEnde", "Abbrechen");

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
    for (QPushButton* b : { CmdEnde, CmdEingabe, CmdErgebnisse, CmdDeskriptive, CmdGraphik, CmdTestWahl, CmdZusatzTest })
        b->setEnabled(false);

    for (;;) {
        // While the manager runs, the only way on is through it.
        setCommandsVisible(false);
        runManagerAlone();
        if (rec_.TestName == TestNames::Unende)
            continue; // the reading failed: the manager opens again
        if (rec_.TestName == TestNames::Ende) {
            for (QPushButton* b : { CmdEnde, CmdEingabe, CmdZusatzTest })
                b->setEnabled(true);
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
    for (QPushButton* b : { CmdEnde, CmdTestWahl, CmdNeuStart, CmdZusatzTest })
        b->setEnabled(true);
    setCommandsVisible(true);
}

void MainWindow::CmdEnde_Click()
{
    if (endProgram)
        endProgram();
}

void MainWindow::CmdTestWahl_Click()
{
    rec_.NormPruef = " ";
    rec_.VarPruef = " ";
    for (QPushButton* b : { CmdZusatzTest, CmdEingabe, CmdErgebnisse, CmdDeskriptive, CmdGraphik, CmdTestWahl })
        b->setEnabled(false);
    // Summary values have no additional tests.
    if (rec_.Datentyp != 3)
        CmdZusatzTest->setEnabled(true);
    Label6->setVisible(true);
    unloadWindow(Window::AssumptionDialog);
    unloadWindow(Window::CheckReport);

    ClickList* offered = nullptr;
    switch (rec_.Datentyp) {
    case 1: offered = List1; break;
    case 2:
    case 3: offered = List2; break;
    case 4: offered = List3; break;
    default: break;
    }
    for (ClickList* l : { List1, List2, List3 })
        l->setEnabled(l == offered);
    Label6->setText(QString::fromUtf8(dataTypeLine(rec_.Datentyp)));

    // Summary values got their descriptive values at input.
    if (rec_.Datentyp != 3)
        ComputeDescriptives(rec_, dialogs_);
}

void MainWindow::List1_Click() { testListClick(List1, 1); }
void MainWindow::List2_Click() { testListClick(List2, 2); }
void MainWindow::List3_Click() { testListClick(List3, 3); }

void MainWindow::testListClick(ClickList* clicked, int listNumber)
{
    for (ClickList* l : { List1, List2, List3 })
        if (l != clicked)
            l->setListIndex(-1);
    rec_.TestName.clear();
    unloadResultWindows();
    if (listNumber == 2)
        rec_.ErgText[0] = kHeadingGrouped;
    else if (listNumber == 3)
        rec_.ErgText[0] = kHeading;

    const int index = clicked->ListIndex();
    static constexpr const char* independent[] = { TestNames::TTestZwei, TestNames::Welch, TestNames::Lord,
        TestNames::Weir, TestNames::UTest, TestNames::Median };
    static constexpr const char* paired[] = { TestNames::TTestPaare, TestNames::Wilcoxon, TestNames::Vorzeichen };
    if (index < 0 || index >= clicked->count())
        return;
    rec_.TestName = listNumber == 3 ? paired[index] : independent[index];
    List5->setEnabled(true);

    if (listNumber != 3 && index == 3) {
        // The WEIR test runs two-sided only.
        rec_.HaWahl = "N";
        const Hypothesis* twoSided = HypothesisOf("N");
        rec_.ErgText[1] = LevelLine(5);
        rec_.ErgText[2] = twoSided->line2;
        rec_.ErgText[3] = twoSided->line3;
        showWindow(Window::AssumptionDialog);
        CmdErgebnisse->setEnabled(true);
        List5->setEnabled(false);
    } else if (listNumber == 1 && index == 4) {
        // The U-test wants the smaller sample first.
        if (rec_.AnzahlWerte[1] > rec_.AnzahlWerte[2]) {
            const std::string& crlf = rec_.CrLf;
            dialogs_.ShowMessage("Beim U-Test muß n < m eingegeben werden." + crlf + "n < > m werden durch Zerantix vertauscht"
                    + crlf + "Bei der Ha-Wahl muß dies berücksichtigt werden." + crlf + "Zum Fortsetzen drucken Sie OK.",
                "Fehler");
            SwapSamples(rec_);
        }
    }
}

void MainWindow::List5_Click()
{
    const Hypothesis* h = HypothesisAt(List5->ListIndex());
    if (!h)
        return;
    rec_.HaWahl = h->HaWahl;
    rec_.ErgText[2] = h->line2;
    rec_.ErgText[3] = h->line3;
    CmdErgebnisse->setEnabled(true);

    const int i1 = List1->ListIndex();
    const int i2 = List2->ListIndex();
    const int i3 = List3->ListIndex();
    if (i1 >= 0 && i1 <= 3)
        showWindow(Window::AssumptionDialog);
    if (i2 >= 0 && i2 <= 3)
        showWindow(Window::AssumptionDialog);
    if (i3 == 0)
        showWindow(Window::AssumptionDialog);
    if (i1 == 4)
        showWindow(Window::ShapeNotice);
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

void MainWindow::List4_Click()
{
    varianceTestClick(List4, TestNames::TVarianz, "t-Tab.", rec_.Datentyp == 4);
}

void MainWindow::List6_Click()
{
    varianceTestClick(List6, TestNames::FVarianz, "F-Tab.", rec_.Datentyp != 4);
}

void MainWindow::varianceTestClick(ClickList* clicked, const char* testName, const char* tableWord, bool asks)
{
    if (clicked->ListIndex() == 0)
        rec_.TestName = testName;
    // Without data (after a cancelled input) there is nothing to compare.
    if (!computeMoments())
        return;

    const std::string prompt = std::string("Irrtumswahrscheinlichkeit/") + tableWord + kCr + kCr + "(z.B. 0.5, 1 oder 5%)";
    for (;;) {
        const std::string answer = asks ? InputValue(dialogs_, rec_, prompt) : std::string();
        rec_.Irrtum = static_cast<Single>(LevelValue(answer));
        if (rec_.Irrtum >= kMinVarianceLevel && rec_.Irrtum <= kMaxVarianceLevel)
            break;
    }

    unloadWindow(Window::AssumptionDialog);
    runVarianceTest();

    CmdErgebnisse->setEnabled(false);
    CmdZusatzTest->setEnabled(false);
    CmdTestWahl->setEnabled(true);
    List4->setVisible(false);
    List6->setVisible(false);
    Shape5->setVisible(false);
    clicked->setEnabled(false);
}

bool MainWindow::computeMoments()
{
    for (int k = 1; k <= 2; ++k) {
        rec_.StichprobeNr = static_cast<Integer>(k);
        if (!ComputeMoments(rec_, dialogs_, k))
            return false;
    }
    return true;
}

ResultsWindow* MainWindow::resultsWindow() const { return resultsWindow_; }
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
        for (QPushButton* b : { CmdGraphik, CmdDeskriptive, CmdErgebnisse, CmdEingabe })
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
