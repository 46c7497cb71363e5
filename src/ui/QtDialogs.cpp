#include "ui/QtDialogs.h"

#include "core/AnalysisRecord.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace zx {

namespace {

QWidget* dialogParent() { return QApplication::activeWindow(); }

// Runs a message box with the given buttons; returns the role of the button
// pressed (Escape and the close box count as the reject button).
QMessageBox::ButtonRole ask(const std::string& text, const std::string& title, QMessageBox::Icon icon,
    std::initializer_list<std::pair<const char*, QMessageBox::ButtonRole>> buttons)
{
    QMessageBox box(icon, QString::fromStdString(title), DisplayText(text), QMessageBox::NoButton, dialogParent());
    box.setObjectName("MessageBox");
    box.setTextFormat(Qt::PlainText);
    QPushButton* first = nullptr;
    for (const auto& [caption, role] : buttons) {
        QPushButton* b = box.addButton(QString::fromUtf8(caption), role);
        if (!first)
            first = b;
        if (role == QMessageBox::RejectRole || role == QMessageBox::NoRole)
            box.setEscapeButton(b);
    }
    box.setDefaultButton(first);
    box.exec();
    if (!box.clickedButton())
        return QMessageBox::RejectRole;
    return box.buttonRole(box.clickedButton());
}

} // namespace

QString DisplayText(const std::string& text) { return QString::fromStdString(WithLineFeeds(text)); }

void QtDialogs::ShowMessage(const std::string& text, const std::string& title)
{
    ask(text, title, QMessageBox::NoIcon, { { "OK", QMessageBox::AcceptRole } });
}

std::optional<std::string> QtDialogs::InputBox(const std::string& prompt, const std::string& title)
{
    QInputDialog dlg(dialogParent());
    dlg.setObjectName("InputBox");
    dlg.setWindowTitle(QString::fromStdString(title));
    dlg.setLabelText(DisplayText(prompt));
    dlg.setInputMode(QInputDialog::TextInput);
    dlg.setOkButtonText(QStringLiteral("OK"));
    dlg.setCancelButtonText(QStringLiteral("Abbrechen"));
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return dlg.textValue().toStdString();
}

bool QtDialogs::AskYesNo(const std::string& text, const std::string& title)
{
    return ask(text, title, QMessageBox::NoIcon, { { "&Ja", QMessageBox::YesRole }, { "&Nein", QMessageBox::NoRole } })
        == QMessageBox::YesRole;
}

bool QtDialogs::AskOkCancel(const std::string& text, const std::string& title)
{
    return ask(text, title, QMessageBox::NoIcon, { { "OK", QMessageBox::AcceptRole }, { "Abbrechen", QMessageBox::RejectRole } })
        == QMessageBox::AcceptRole;
}

} // namespace zx
