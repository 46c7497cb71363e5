#include "workbook/XlsReader.h"

#include "workbook/GsfSupport.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-utils.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

namespace zx {

namespace {

constexpr std::uint8_t kOle2Signature[8] = { 0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1 };

XlsReadOutcome parse(std::span<const std::uint8_t> stream)
{
    ParseOutcome parsed = ParseWorkbookStream(stream);
    XlsReadOutcome out;
    if (parsed.workbook)
        out.workbook = std::make_unique<XlsWorkbook>(std::move(*parsed.workbook));
    else
        out.failure = std::move(parsed.failure);
    return out;
}

// Finds the workbook stream among the streams at the top of the container:
// "Workbook" (Excel 97-2003) before "Book" (Excel 5.0/95), whatever the case
// of their letters (some reporting tools write "BOOK").
int findWorkbookStream(GsfInfile* ole)
{
    int book = -1;
    const int children = gsf_infile_num_children(ole);
    for (int i = 0; i < children; ++i) {
        const char* name = gsf_infile_name_by_index(ole, i);
        if (!name)
            continue;
        if (SameNameIgnoringCase(name, "Workbook"))
            return i;
        if (book < 0 && SameNameIgnoringCase(name, "Book"))
            book = i;
    }
    return book;
}

} // namespace

bool HasOle2Signature(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= sizeof kOle2Signature && std::memcmp(bytes.data(), kOle2Signature, sizeof kOle2Signature) == 0;
}

std::optional<std::vector<std::uint8_t>> ExtractWorkbookStream(
    std::span<const std::uint8_t> bytes, ParseFailure& failure)
{
    InitGsf();

    const auto fail = [&failure](OpenErrorCode code, std::string detail) {
        failure = ParseFailure{ code, std::move(detail) };
        return std::nullopt;
    };
    GRef<GsfInput> input(gsf_input_memory_new(bytes.data(), static_cast<gsf_off_t>(bytes.size()), FALSE));
    if (!input)
        return fail(OpenErrorCode::Damaged, "the container could not be opened");
    GError* error = nullptr;
    GRef<GsfInfile> ole(gsf_infile_msole_new(input.get(), &error));
    if (!ole) {
        std::string detail = "OLE2 container: ";
        detail += error && error->message ? error->message : "unreadable";
        if (error)
            g_error_free(error);
        return fail(OpenErrorCode::Damaged, detail);
    }
    const int index = findWorkbookStream(ole.get());
    if (index < 0) {
        // Excel keeps a password-protected .xlsx in an OLE2 container.
        for (int i = 0; i < gsf_infile_num_children(ole.get()); ++i)
            if (const char* name = gsf_infile_name_by_index(ole.get(), i); name && SameNameIgnoringCase(name, "EncryptedPackage"))
                return fail(OpenErrorCode::Encrypted, "an encrypted Office Open XML package");
        return fail(OpenErrorCode::NotAWorkbook, "an OLE2 file without a Workbook or Book stream");
    }
    GRef<GsfInput> stream(gsf_infile_child_by_index(ole.get(), index));
    if (!stream)
        return fail(OpenErrorCode::Damaged, "the workbook stream cannot be opened");
    const gsf_off_t size = gsf_input_size(stream.get());
    // A stream is stored in the file's own sectors: it cannot be larger.
    if (size < 0 || static_cast<std::uint64_t>(size) > bytes.size())
        return fail(OpenErrorCode::Damaged, "the workbook stream claims more bytes than the file holds");
    std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
    if (size > 0 && !gsf_input_read(stream.get(), data.size(), data.data()))
        return fail(OpenErrorCode::Damaged, "the workbook stream cannot be read to its end");
    return data;
}

XlsReadOutcome ReadXlsBytes(std::span<const std::uint8_t> bytes)
{
    if (!HasOle2Signature(bytes))
        return parse(bytes); // a bare workbook stream
    XlsReadOutcome out;
    const auto stream = ExtractWorkbookStream(bytes, out.failure);
    if (!stream)
        return out;
    return parse(*stream);
}

} // namespace zx
