// The test-results window: shows the report of the test that ran, framed,
// with the assumption note, the names and the date; prints it.
#pragma once

#include "ui/Printing.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zx {

struct AnalysisRecord;
class Dialogs;

class ResultsWindow : public QWidget {
    Q_OBJECT
public:
    ResultsWindow(AnalysisRecord& record, Dialogs& dialogs, QWidget* parent = nullptr);

    // The title label shows the test's name.
    void setTitle(const QString& title);
    QString reportText() const;

    // How "Drucken" reaches a printer or a PDF file; tests set the file.
    PrintTarget printTarget;
    PrintOutcome lastPrint = PrintOutcome::Cancelled;

public slots:
    void Text1_Change();
    void CmdWeiter_Click();
    void CmdDruck_Click();

private:
    AnalysisRecord& rec_;
    Dialogs& dialogs_;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QPushButton* CmdWeiter = nullptr;
    QPushButton* CmdDruck = nullptr;
};

} // namespace zx
