// The notice shown when the U-test is chosen: it assumes samples of the
// same distribution shape.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace zx {

class DistributionShapeNotice : public QWidget {
    Q_OBJECT
public:
    explicit DistributionShapeNotice(QWidget* parent = nullptr);

public slots:
    void Command1_Click();

private:
    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;
};

} // namespace zx
