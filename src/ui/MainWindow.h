// Main window of the two-sample comparison: leads from the data input to the
// test choice, the hypothesis and the results, enabling one step after the
// other. It only sets choices in the analysis record and starts the routines
// and windows of each step.
#pragma once

#include "workflow/TestChoice.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;

namespace zx {

struct AnalysisRecord;
struct CheckRun;
class Dialogs;
class CheckDialog;
class CheckResultsWindow;
class ClickList;
class DistributionShapeNotice;
class ParametersWindow;
class PlotWindow;
class ResultsWindow;
enum class VarianceList;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(AnalysisRecord& record, Dialogs& dialogs, QWidget* parent = nullptr);

    // What "Abbrechen" does to end the program; the default closes every
    // window and leaves the event loop. Tests replace it.
    std::function<void()> endProgram;
    // Runs the data manager modally; its outcome is left in TestName. The
    // default opens the manager's window; tests replace it.
    std::function<void()> runDataManager;

    void Form_Initialize();
    void Form_Load();

    // The windows this one opens, while they are loaded.
    ResultsWindow* resultsWindow() const;
    CheckDialog* checkDialog() const;
    CheckResultsWindow* checkResultsWindow() const;
    DistributionShapeNotice* shapeNotice() const;
    ParametersWindow* parametersWindow() const;
    PlotWindow* plotWindow() const;

protected:
    void closeEvent(QCloseEvent* event) override;

public slots:
    void CmdEingabe_Click();
    void CmdNeuStart_Click();
    void CmdTestWahl_Click();
    void CmdZusatzTest_Click();
    void CmdErgebnisse_Click();
    void CmdDeskriptive_Click();
    void CmdGraphik_Click();
    void CmdEnde_Click();
    void List1_Click();
    void List2_Click();
    void List3_Click();
    void List4_Click();
    void List5_Click();
    void List6_Click();
    void DataControl();

private:
    void buildControls();
    QPushButton* makeButton(const char* name, const char* caption);
    QLabel* makeLabel(const char* name, const char* caption);
    ClickList* makeList(const char* name, std::initializer_list<const char*> items);
    void testListClick(TestList list);
    ClickList* testList(TestList list) const;
    void setCommandsVisible(bool visible);
    void varianceTestClick(ClickList* clicked, VarianceList list);

    // Steps carried out by other windows of the workflow. Each does nothing
    // until its window is part of the program.
    enum class Window { Results, Descriptive, Graphics, CheckReport, AssumptionDialog, ShapeNotice };
    void showWindow(Window window);
    void unloadWindow(Window window);
    // A fresh assumption-results window, shown.
    CheckResultsWindow* loadCheckResults();
    void showCheckResults(const CheckRun& run);
    void runResults();
    void unloadResultWindows();
    void unloadCheckWindows();
    // Summary values have no additional tests.
    bool hasFurtherTests() const;

    void runManagerAlone();

    AnalysisRecord& rec_;
    Dialogs& dialogs_;
    bool inputRunning_ = false;
    QPointer<ResultsWindow> resultsWindow_;
    QPointer<CheckDialog> checkDialog_;
    QPointer<CheckResultsWindow> checkResults_;
    QPointer<DistributionShapeNotice> shapeNotice_;
    QPointer<ParametersWindow> parametersWindow_;
    QPointer<PlotWindow> plotWindow_;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    ClickList* List1 = nullptr;
    ClickList* List2 = nullptr;
    ClickList* List3 = nullptr;
    ClickList* List4 = nullptr;
    ClickList* List5 = nullptr;
    ClickList* List6 = nullptr;
    QPushButton* CmdEingabe = nullptr;
    QPushButton* CmdNeuStart = nullptr;
    QPushButton* CmdTestWahl = nullptr;
    QPushButton* CmdZusatzTest = nullptr;
    QPushButton* CmdErgebnisse = nullptr;
    QPushButton* CmdDeskriptive = nullptr;
    QPushButton* CmdGraphik = nullptr;
    QPushButton* CmdEnde = nullptr;
    QFrame* Shape1 = nullptr;
    QFrame* Shape2 = nullptr;
    QFrame* Shape3 = nullptr;
    QFrame* Shape4 = nullptr;
    QFrame* Shape5 = nullptr;
};

} // namespace zx
