// The descriptive-parameters window: the 21 parameters of one sample at a
// time, browsing to the other sample, and the printout of both.
#pragma once

#include "ui/Printing.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zx {

struct AnalysisRecord;
class Dialogs;

class ParametersWindow : public QWidget {
    Q_OBJECT
public:
    ParametersWindow(AnalysisRecord& record, Dialogs& dialogs, QWidget* parent = nullptr);

    // False when the arithmetic guard stopped the listing: there is nothing
    // to show then.
    bool listed() const { return listed_; }
    QString listingText() const;

    // How "Drucken" reaches a printer or a PDF file; tests set the file.
    PrintTarget printTarget;
    PrintOutcome lastPrint = PrintOutcome::Cancelled;

    void CmdBlättern_Click();

public slots:
    void Text1_Change();
    void CmdWeiter_Click();
    void CmdPrint_Click();

private:
    void Form_Load();
    // The listing of the next sample (paired values: the differences again).
    void showNextSample();

    AnalysisRecord& rec_;
    Dialogs& dialogs_;
    bool listed_ = false;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QPushButton* CmdBlättern = nullptr;
    QPushButton* CmdWeiter = nullptr;
    QPushButton* CmdPrint = nullptr;
};

} // namespace zx
