#include "core/Dialogs.h"

#include "core/AnalysisRecord.h"

namespace zx {

std::string InputValue(Dialogs& dialogs, AnalysisRecord& record, const std::string& prompt)
{
    record.Meldung = prompt;
    return dialogs.InputBox(prompt, kInputTitle).value_or(std::string());
}

} // namespace zx
