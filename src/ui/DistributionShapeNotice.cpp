#include "ui/DistributionShapeNotice.h"

#include "ui/Controls.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zx {

DistributionShapeNotice::DistributionShapeNotice(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName("DistributionShapeNotice");
    setWindowTitle(QString::fromUtf8("Prüfung auf Verteilungsform"));
    setFont(ArialFont(10));
    Label1 = new QLabel("U-Test setzt gleiche Verteilungsform voraus.", this);
    Label1->setObjectName("Label1");
    Label1->setFont(ArialFont(12, true));
    Command1 = new QPushButton("&Schliessen", this);
    Command1->setObjectName("Command1");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    buttons->addWidget(Command1);
    layout->addLayout(buttons);
    connect(Command1, &QPushButton::clicked, this, &DistributionShapeNotice::Command1_Click);
    adjustSize();
    PlaceCentred(this);
}

void DistributionShapeNotice::Command1_Click() { close(); }

} // namespace zx
