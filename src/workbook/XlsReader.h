// Excel 97-2003 and Excel 5.0/95 workbooks (.xls) from bytes in memory: the
// OLE2 compound file is opened with libgsf, its workbook stream is read by
// ParseWorkbookStream.
#pragma once

#include "workbook/BiffParser.h"
#include "workbook/Workbook.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace zx {

class XlsWorkbook final : public StoredWorkbook {
public:
    explicit XlsWorkbook(ParsedWorkbook book)
        : StoredWorkbook(std::move(static_cast<StoredBook&>(book)))
        , biffVersion_(book.biffVersion)
        , codePage_(book.codePage)
    {
    }

    int biffVersion() const { return biffVersion_; }
    unsigned codePage() const { return codePage_; }

private:
    int biffVersion_;
    unsigned codePage_;
};

struct XlsReadOutcome {
    std::unique_ptr<XlsWorkbook> workbook;
    ParseFailure failure; // meaningful when there is no workbook
};

// The bytes of a whole .xls file: an OLE2 compound file holding a "Workbook"
// (BIFF8) or "Book" (BIFF5/7) stream, names compared without regard to case,
// or such a stream on its own.
XlsReadOutcome ReadXlsBytes(std::span<const std::uint8_t> bytes);

// The bytes of the workbook stream inside an OLE2 compound file, or nothing
// (and the reason in failure).
std::optional<std::vector<std::uint8_t>> ExtractWorkbookStream(
    std::span<const std::uint8_t> bytes, ParseFailure& failure);

// True when the bytes start with the OLE2 compound file signature.
bool HasOle2Signature(std::span<const std::uint8_t> bytes);

} // namespace zx
