// The dialogs of the program as Qt message and input boxes, with German
// button texts.
#pragma once

#include "core/Dialogs.h"

#include <QString>

class QWidget;

namespace zx {

class QtDialogs : public Dialogs {
public:
    void ShowMessage(const std::string& text, const std::string& title) override;
    std::optional<std::string> InputBox(const std::string& prompt, const std::string& title) override;
    bool AskYesNo(const std::string& text, const std::string& title) override;
    bool AskOkCancel(const std::string& text, const std::string& title) override;
};

// CR LF and bare CR, as the program's texts use them, become Qt line breaks.
QString DisplayText(const std::string& text);

} // namespace zx
