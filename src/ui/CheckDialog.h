// The assumption-check dialog: asks whether the chosen parametric test's
// assumptions are to be checked, and with which normality test; a click on
// a test asks its level and runs the check.
#pragma once

#include "workflow/AssumptionCheck.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace zx {

struct AnalysisRecord;
class Dialogs;
class ClickList;

class CheckDialog : public QWidget {
    Q_OBJECT
public:
    CheckDialog(AnalysisRecord& record, Dialogs& dialogs, QWidget* parent = nullptr);

    // Clears both check boxes, disables the list and fills it with the
    // normality tests of the data type.
    void Form_Load();

signals:
    // The check ran; its reports are to be shown. The dialog has closed.
    void checked(const zx::CheckRun& run);

public slots:
    void Check1_Click();
    void Check2_Click();
    void Command1_Click();
    void List1_Click();

private:
    AnalysisRecord& rec_;
    Dialogs& dialogs_;
    std::vector<NormalityTest> offered_;
    QGroupBox* Frame2 = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    ClickList* List1 = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
};

} // namespace zx
