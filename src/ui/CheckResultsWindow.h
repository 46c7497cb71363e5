// The assumption-results window: shows the report of a check, first the
// normality page and after "Weiter" the variance page, each with the advice
// for another test when an assumption fails; also the report of a variance
// comparison chosen under "Weitere Tests". Prints itself.
#pragma once

#include "ui/Printing.h"
#include "workflow/AssumptionCheck.h"

#include <QWidget>

#include <map>
#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zx {

class Dialogs;

class CheckResultsWindow : public QWidget {
    Q_OBJECT
public:
    explicit CheckResultsWindow(Dialogs& dialogs, QWidget* parent = nullptr);

    // The normality page of a check, with its advice; "Weiter" leads on.
    void showCheck(const CheckRun& run);
    // A variance comparison of its own, under the test's name; nothing
    // follows it.
    void showVarianceTest(const std::string& testName, const std::string& report);

    void setTitle(const QString& title);
    QString reportText() const;
    // The name of the advice box shown, empty when none is.
    QString shownAdvice() const;

    // How "Drucken" reaches a printer or a PDF file; tests set the file.
    PrintTarget printTarget;
    PrintOutcome lastPrint = PrintOutcome::Cancelled;

signals:
    // The check failed and the user leaves its report: the main window's
    // test choice opens again.
    void testChoiceOffered();
    // "Schliessen" closes the test-results window too.
    void resultsWindowClosed();

public slots:
    void CmdWeiter_Click();
    void CmdDruck_Click();
    void CmdSchliessen_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showPage(const std::string& report, const Advice* advice);

    Dialogs& dialogs_;
    CheckRun run_;
    // Leaving the variance page with unequal variances offers the test
    // choice again.
    bool offerTestChoiceOnClose_ = false;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPlainTextEdit* Text5 = nullptr;
    std::map<std::string, QPlainTextEdit*> advice_;
    QPushButton* CmdDruck = nullptr;
    QPushButton* CmdWeiter = nullptr;
    QPushButton* CmdSchliessen = nullptr;
};

} // namespace zx
