// Everything the program shows or asks in a small modal box goes through this
// interface: the windows use a Qt implementation, tests a scripted one that
// plays prepared answers.
#pragma once

#include <optional>
#include <string>

namespace zx {

struct AnalysisRecord;

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Message with the single button "OK".
    virtual void ShowMessage(const std::string& text, const std::string& title) = 0;
    // Input box; nothing when the user chose "Abbrechen" or closed it.
    virtual std::optional<std::string> InputBox(const std::string& prompt, const std::string& title) = 0;
    // "Ja" gives true, "Nein" false.
    virtual bool AskYesNo(const std::string& text, const std::string& title) = 0;
    // "OK" gives true, "Abbrechen" false.
    virtual bool AskOkCancel(const std::string& text, const std::string& title) = 0;
};

inline constexpr const char* kInputTitle = "Dateneingabe";

// The input box of the numeric questions: the prompt is kept in Meldung, the
// title is "Dateneingabe", and "Abbrechen" gives an empty answer.
std::string InputValue(Dialogs& dialogs, AnalysisRecord& record, const std::string& prompt);

} // namespace zx
