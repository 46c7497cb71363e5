#include "ui/CheckDialog.h"

#include "core/AnalysisRecord.h"
#include "ui/Controls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zx {

CheckDialog::CheckDialog(AnalysisRecord& record, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , rec_(record)
    , dialogs_(dialogs)
{
    setObjectName("CheckDialog");
    setWindowTitle(QString::fromUtf8("Erfüllung der Voraussetzungen"));
    setFont(ArialFont(10));

    Label1 = new QLabel(QString::fromUtf8("Prüfung der Voraussetzungen"), this);
    Label1->setObjectName("Label1");
    Label1->setFont(SerifFont(16, true));
    Label2 = new QLabel(QString::fromUtf8("Ein parametrischer Test wurde gewählt. Seine Anwendung soll nur bei Erfüllung "
                                          "bestimmter Bedingungen erfolgen."),
        this);
    Label2->setObjectName("Label2");
    Label2->setWordWrap(true);

    Frame2 = new QGroupBox(QString::fromUtf8("Prüfung der Voraussetzungen erwünscht?"), this);
    Frame2->setObjectName("Frame2");
    Check1 = new QCheckBox("&ja", Frame2);
    Check1->setObjectName("Check1");
    Check2 = new QCheckBox("&nein", Frame2);
    Check2->setObjectName("Check2");
    auto* frameLayout = new QHBoxLayout(Frame2);
    frameLayout->addWidget(Check1);
    frameLayout->addWidget(Check2);
    frameLayout->addStretch();

    Label3 = new QLabel("Wahl des Tests (nur 1x)", this);
    Label3->setObjectName("Label3");
    List1 = new ClickList(this);
    List1->setObjectName("List1");
    Command1 = new QPushButton("&Schliessen", this);
    Command1->setObjectName("Command1");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(Frame2);
    layout->addWidget(Label3);
    layout->addWidget(List1);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    buttons->addWidget(Command1);
    layout->addLayout(buttons);

    connect(Check1, &QCheckBox::clicked, this, &CheckDialog::Check1_Click);
    connect(Check2, &QCheckBox::clicked, this, &CheckDialog::Check2_Click);
    connect(Command1, &QPushButton::clicked, this, &CheckDialog::Command1_Click);
    connect(List1, &ClickList::Click, this, &CheckDialog::List1_Click);

    resize(420, 340);
    PlaceCentred(this);
    Form_Load();
}

void CheckDialog::Form_Load()
{
    List1->setEnabled(false);
    Check1->setChecked(false);
    Check2->setChecked(false);
    List1->clear();
    offered_ = OfferedNormalityTests(rec_.Datentyp);
    for (NormalityTest test : offered_)
        List1->addItem(QString::fromUtf8(NormalityTestEntry(test)));
}

void CheckDialog::Check1_Click() { List1->setEnabled(Check1->isChecked()); }

void CheckDialog::Check2_Click()
{
    if (!Check2->isChecked())
        return;
    DeclineAssumptionCheck(rec_);
    close();
}

void CheckDialog::Command1_Click() { close(); }

void CheckDialog::List1_Click()
{
    const int index = List1->ListIndex();
    if (index < 0 || index >= static_cast<int>(offered_.size()))
        return;
    const NormalityTest test = offered_[static_cast<std::size_t>(index)];
    const float level = AskCheckLevel(rec_, dialogs_, test);
    // Asked once: the dialog leaves while the samples are tested.
    hide();
    const CheckRun run = RunAssumptionCheck(rec_, dialogs_, test, level);
    if (run.refused) {
        // A sample does not suit this test: another may be chosen.
        Form_Load();
        show();
        raise();
        return;
    }
    close();
    emit checked(run);
}

} // namespace zx
