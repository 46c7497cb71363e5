// The data manager's window "MANAGER": a small window near the top right of
// the screen with the data-type menu, beside the workbook window.
#pragma once

#include "input/DataManager.h"
#include "ui/WorkbookWindow.h"

#include <QDialog>

class QLabel;
class QMenuBar;

namespace zx {

class DataManagerWindow : public QDialog {
    Q_OBJECT
public:
    // Loads the manager: places the window, opens the workbook. The manager
    // belongs to `owner` (the main window), which waits for it.
    DataManagerWindow(AnalysisRecord& record, Dialogs& dialogs, QWidget* owner);

    DataManager& manager() { return manager_; }
    WorkbookWindow* workbookWindow() const { return view_.window(); }

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void afterMenu();

    QtWorkbookView view_;
    DataManager manager_;
    QMenuBar* menuBar_ = nullptr;
    QLabel* Text1 = nullptr;
};

} // namespace zx
