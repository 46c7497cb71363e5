#include "ui/DataManagerWindow.h"

#include "ui/Controls.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

namespace zx {

DataManagerWindow::DataManagerWindow(AnalysisRecord& record, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent)
    , view_(this)
    , manager_(record, dialogs, view_)
{
    setObjectName("DataManagerWindow");
    setWindowTitle("MANAGER");
    // The main window waits for the manager, whose commands are all hidden
    // meanwhile; the workbook window must stay usable for marking cells.
    setWindowModality(Qt::WindowModal);

    auto* menuBar = new QMenuBar(this);
    menuBar->setObjectName("MenuBar");
    QMenu* mnuDatei = menuBar->addMenu("Datei");
    mnuDatei->setObjectName("mnuDatei");
    QMenu* mnuFileDatentyp = menuBar->addMenu("Datentyp");
    mnuFileDatentyp->setObjectName("mnuFileDatentyp");
    auto item = [this](QMenu* menu, const char* name, const char* caption, void (DataManager::*handler)()) {
        QAction* a = menu->addAction(QString::fromUtf8(caption));
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, [this, handler] {
            (manager_.*handler)();
            afterMenu();
        });
        return a;
    };
    item(mnuDatei, "mnuOeffnen", "Arbeitsmappe öffnen…", &DataManager::mnuOeffnen_Click);
    item(mnuFileDatentyp, "mnuEinzel", "Einzelne Werte", &DataManager::mnuEinzel_Click);
    item(mnuFileDatentyp, "mnuKlassen", "Klassengruppen", &DataManager::mnuKlassen_Click);
    item(mnuFileDatentyp, "mnuWertepaare", "Wertepaare", &DataManager::mnuWertepaare_Click);
    item(mnuFileDatentyp, "mnuXquerSN", "Xquer-S-N", &DataManager::mnuXquerSN_Click);
    mnuFileDatentyp->addSeparator();
    item(mnuFileDatentyp, "mnuAbbruch", "Abbrechen", &DataManager::mnuAbbruch_Click);
    QAction* steps = menuBar->addAction("Arbeitsschritte");
    steps->setObjectName("mnuArbeitschritte");
    connect(steps, &QAction::triggered, this, [this] { manager_.mnuArbeitschritte_Click(); });
    QAction* help = menuBar->addAction("Hilfe");
    help->setObjectName("mnuHilfe");
    connect(help, &QAction::triggered, this, [this] { manager_.mnuHilfe_Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    Text1 = new QLabel("Mit [ALT][TAB] \nwechseln Sie \nzwischen EXCEL und \nMANAGER", this);
    Text1->setObjectName("Text1");
    Text1->setFrameShape(QFrame::Panel);
    Text1->setFrameShadow(QFrame::Sunken);
    Text1->setMargin(6);
    layout->addWidget(Text1);
    setMinimumWidth(menuBar->sizeHint().width() + 16); // the whole menu in one line
    adjustSize();

    // Near the top right corner; kept on the screen when the menu needs more
    // width than the corner leaves.
    if (const QScreen* s = screen()) {
        const QRect area = s->availableGeometry();
        const int sw = area.width();
        const int left = std::min(sw - Twips(this, 1600) - sw / 100, sw - width() - 10);
        move(area.left() + left, area.top() + area.height() / 25);
    }

    manager_.Form_Load();
}

void DataManagerWindow::afterMenu()
{
    if (manager_.closed())
        done(QDialog::Accepted);
}

void DataManagerWindow::reject()
{
    manager_.windowClosed();
    QDialog::reject();
}

void DataManagerWindow::closeEvent(QCloseEvent* event)
{
    manager_.windowClosed();
    QDialog::closeEvent(event);
}

} // namespace zx
