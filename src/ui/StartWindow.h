// Start window of the package: the module catalogue with a description of
// each module, and the entry into this module's main window.
#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace zx {

struct AnalysisRecord;
class Dialogs;
class ClickLabel;
class MainWindow;

// Where the program may find its directory, gathered by main().
struct StartOptions {
    std::string parameterFile; // path of the parameter file
    std::optional<std::string> argumentFolder;
    std::optional<std::string> exampleFolder;
    std::string currentFolder;
};

class StartWindow : public QWidget {
    Q_OBJECT
public:
    StartWindow(AnalysisRecord& record, Dialogs& dialogs, StartOptions options, QWidget* parent = nullptr);
    ~StartWindow() override;

    // What "Beenden" does; the default closes every window and leaves the
    // event loop. Tests replace it.
    std::function<void()> endProgram;

    // The module's main window while it is open.
    MainWindow* mainWindow() const;

    void Form_Load();

public slots:
    void Label8_Click();
    void CmdInhalt_Click();
    void CmdInfo_Click();
    void CmdWarum_Click();
    void CmdEnde_Click();

private:
    void optionClick(std::size_t module);
    void buildControls();

    AnalysisRecord& rec_;
    Dialogs& dialogs_;
    StartOptions options_;
    QPointer<MainWindow> mainWindow_;

    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    ClickLabel* Label8 = nullptr;
    std::vector<QLabel*> Label4;
    QGroupBox* Frame1 = nullptr;
    std::vector<QRadioButton*> options;
    QLabel* Image1 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QPlainTextEdit* Text2 = nullptr;
    QPushButton* CmdInhalt = nullptr;
    QPushButton* CmdInfo = nullptr;
    QPushButton* CmdWarum = nullptr;
    QPushButton* CmdEnde = nullptr;
};

// The start window's picture, drawn for the given size.
QPixmap TitlePicture(QSize size);

} // namespace zx
