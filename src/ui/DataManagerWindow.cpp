#include "ui/DataManagerWindow.h"

#include "ui/Controls.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

namespace zx {

DataManagerWindow::DataManagerWindow(AnalysisRecord& record, Dialogs& dialogs, QWidget* owner)
    : QDialog(nullptr) // not a child: the main window is disabled while the manager runs
    , view_(this)
    , manager_(record, dialogs, view_)
{
    setObjectName("DataManagerWindow");
    setWindowTitle("MANAGER");
    SetOwner(this, owner);
    // The main window waits for the manager, whose commands are all hidden
    // meanwhile; the workbook window, which the manager owns, stays usable
    // for marking cells.
    setWindowModality(Qt::WindowModal);

    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName("MenuBar");
    QMenu* mnuDatei = menuBar_->addMenu("Da&tei");
    mnuDatei->setObjectName("mnuDatei");
    QMenu* mnuFileDatentyp = menuBar_->addMenu("&Datentyp");
    mnuFileDatentyp->setObjectName("mnuFileDatentyp");
    // While a menu's reading asks its questions the menu waits: a second
    // reading must not start inside the first.
    auto run = [this](auto handler) {
        return [this, handler] {
            menuBar_->setEnabled(false);
            (manager_.*handler)();
            menuBar_->setEnabled(true);
            afterMenu();
        };
    };
    auto item = [&](QMenu* menu, const char* name, const char* caption, void (DataManager::*handler)()) {
        QAction* a = menu->addAction(QString::fromUtf8(caption));
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, run(handler));
        return a;
    };
    item(mnuDatei, "mnuOeffnen", "Arbeitsmappe &öffnen…", &DataManager::mnuOeffnen_Click);
    item(mnuFileDatentyp, "mnuEinzel", "&Einzelne Werte", &DataManager::mnuEinzel_Click);
    item(mnuFileDatentyp, "mnuKlassen", "&Klassengruppen", &DataManager::mnuKlassen_Click);
    item(mnuFileDatentyp, "mnuWertepaare", "&Wertepaare", &DataManager::mnuWertepaare_Click);
    item(mnuFileDatentyp, "mnuXquerSN", "&Xquer-S-N", &DataManager::mnuXquerSN_Click);
    mnuFileDatentyp->addSeparator();
    item(mnuFileDatentyp, "mnuAbbruch", "A&bbrechen", &DataManager::mnuAbbruch_Click);
    QAction* steps = menuBar_->addAction("&Arbeitsschritte");
    steps->setObjectName("mnuArbeitschritte");
    connect(steps, &QAction::triggered, this, run(&DataManager::mnuArbeitschritte_Click));
    QAction* help = menuBar_->addAction("&Hilfe");
    help->setObjectName("mnuHilfe");
    connect(help, &QAction::triggered, this, run(&DataManager::mnuHilfe_Click));

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar_);
    Text1 = new QLabel(QString::fromUtf8("Markieren Sie \ndie Daten im \nFenster \u201EArbeitsmappe\u201C"), this);
    Text1->setObjectName("Text1");
    Text1->setFrameShape(QFrame::Panel);
    Text1->setFrameShadow(QFrame::Sunken);
    Text1->setMargin(6);
    layout->addWidget(Text1);
    setMinimumWidth(menuBar_->sizeHint().width() + 16); // the whole menu in one line
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
    view_.cancelQuestion();
    manager_.windowClosed();
    QDialog::reject();
}

void DataManagerWindow::closeEvent(QCloseEvent* event)
{
    view_.cancelQuestion();
    manager_.windowClosed();
    QDialog::closeEvent(event);
}

} // namespace zx
