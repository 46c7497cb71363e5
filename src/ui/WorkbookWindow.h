// The workbook window: shows the open workbook read-only, one tab per sheet,
// with column letters and row numbers, and reports the cells the user marks.
// With the range question beside it, it takes the place a spreadsheet
// program has for the data manager.
#pragma once

#include "input/DataManager.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QPointer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QTabWidget;
class QTableView;

namespace zx {

// One sheet of a workbook as a table model. Numbers show in their default
// text with the regional decimal separator, as a spreadsheet shows them.
class SheetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    SheetModel(const Workbook* workbook, int sheet, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const Workbook* workbook_;
    int sheet_;
    SheetExtent extent_;
};

class WorkbookWindow : public QWidget {
    Q_OBJECT
public:
    explicit WorkbookWindow(QWidget* parent = nullptr);

    // Shows the workbook (nothing: an empty window), opened on its front sheet.
    void setWorkbook(const Workbook* workbook, const QString& fileName);
    const Workbook* workbook() const { return workbook_; }
    int currentSheet() const;
    int frontSheet() const;
    // Marks the range (switching to its sheet) without reporting it back.
    void showRange(const CellRange& range);
    // The table of a sheet, for tests that mark cells as a user does.
    QTableView* table(int sheet) const;

signals:
    // The user marked cells: the bounding rectangle of the marked ones.
    void rangeMarked(const zx::CellRange& range);
    // Enter in a sheet: the marked range is the answer.
    void confirmed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void selectionChanged(int sheet);

    const Workbook* workbook_ = nullptr;
    QLabel* hint_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    bool reporting_ = true;
};

// The range question: a prompt, a reference that follows what the user marks
// in the workbook window and can also be typed, "OK" and "Abbrechen".
class RangeDialog : public QDialog {
    Q_OBJECT
public:
    RangeDialog(const QString& prompt, const QString& title, WorkbookWindow* workbookWindow, QWidget* parent);

    std::optional<CellRange> range() const { return range_; }
    QLineEdit* referenceField() const { return reference_; }

    void accept() override;

private:
    WorkbookWindow* window_;
    QLineEdit* reference_ = nullptr;
    QLabel* problem_ = nullptr;
    std::optional<CellRange> range_;
};

// The manager's view of the workbook: the workbook window, the range
// question and the file dialog, as Qt windows. The workbook window belongs
// to the manager's window and the range question to the workbook window, so
// that a window manager keeps them in this order above the main window.
class QtWorkbookView : public WorkbookView {
public:
    explicit QtWorkbookView(QWidget* dialogParent);
    ~QtWorkbookView() override;

    void showWorkbook(const Workbook* workbook, const std::string& fileName) override;
    void setVisible(bool visible) override;
    std::optional<CellRange> askRange(const std::string& prompt, const std::string& title) override;
    std::optional<std::string> chooseWorkbookFile(const std::string& folder) override;

    WorkbookWindow* window() const { return window_; }
    // Closes a range question that is open, as "Abbrechen" does.
    void cancelQuestion();

private:
    QWidget* dialogParent_;
    WorkbookWindow* window_;
    QPointer<RangeDialog> question_;
};

} // namespace zx
