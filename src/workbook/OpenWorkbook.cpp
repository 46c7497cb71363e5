// Opening a workbook file: reading its bytes, telling its format, and the
// German sentences for everything that can go wrong.
#include "workbook/Workbook.h"

#include "workbook/XlsReader.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <vector>

namespace zx {

namespace {

namespace fs = std::filesystem;

enum class Why { Plain, Folder, Empty, ZipPackage, OldExcel };

std::string quoted(const std::string& path) { return "\u201E" + path + "\u201C"; }

std::string sentence(OpenErrorCode code, Why why, const std::string& path)
{
    const std::string file = quoted(path);
    switch (code) {
    case OpenErrorCode::FileNotFound:
        return "Die Datei " + file + " wurde nicht gefunden.";
    case OpenErrorCode::NotReadable:
        if (why == Why::Folder)
            return file + " ist ein Ordner und keine Arbeitsmappe.";
        return "Die Datei " + file
            + " kann nicht gelesen werden. Bitte prüfen Sie, ob Sie die Berechtigung zum Lesen haben.";
    case OpenErrorCode::NotAWorkbook:
        switch (why) {
        case Why::Empty:
            return "Die Datei " + file + " ist leer und enthält keine Arbeitsmappe.";
        case Why::ZipPackage:
            return "Die Datei " + file
                + " ist im neueren Format .xlsx oder .ods gespeichert. Bitte speichern Sie sie als "
                  "\u201EExcel 97-2003-Arbeitsmappe (*.xls)\u201C und öffnen Sie sie dann erneut.";
        case Why::OldExcel:
            return "Die Datei " + file
                + " stammt aus einer älteren Excel-Version (2.x bis 4.0). Bitte speichern Sie sie als "
                  "\u201EExcel 97-2003-Arbeitsmappe (*.xls)\u201C und öffnen Sie sie dann erneut.";
        default:
            return "Die Datei " + file
                + " ist keine Excel-Arbeitsmappe im Format Excel 97-2003 oder Excel 5.0/95 (*.xls).";
        }
    case OpenErrorCode::Encrypted:
        return "Die Arbeitsmappe " + file
            + " ist mit einem Kennwort geschützt und kann nicht gelesen werden. Bitte heben Sie den "
              "Kennwortschutz in Excel auf und speichern Sie die Arbeitsmappe erneut.";
    case OpenErrorCode::Damaged:
        return "Die Arbeitsmappe " + file + " ist beschädigt und kann nicht gelesen werden.";
    }
    return {};
}

OpenResult failure(OpenErrorCode code, Why why, const std::string& path, std::string detail)
{
    OpenResult r;
    r.error = OpenError{ code, sentence(code, why, path), std::move(detail) };
    return r;
}

bool startsWith(const std::vector<std::uint8_t>& bytes, std::initializer_list<std::uint8_t> prefix)
{
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

// A bare stream of Excel 2.x to 4.0: its first record is a BOF of those versions.
bool isOldExcelStream(const std::vector<std::uint8_t>& bytes)
{
    if (bytes.size() < 4 || bytes[0] != 0x09 || (bytes[1] != 0x00 && bytes[1] != 0x02 && bytes[1] != 0x04))
        return false;
    const unsigned length = bytes[2] | (bytes[3] << 8);
    return length >= 4 && length <= 20;
}

} // namespace

std::string_view OpenErrorCodeName(OpenErrorCode code)
{
    switch (code) {
    case OpenErrorCode::FileNotFound: return "not-found";
    case OpenErrorCode::NotReadable: return "not-readable";
    case OpenErrorCode::NotAWorkbook: return "not-a-workbook";
    case OpenErrorCode::Encrypted: return "encrypted";
    case OpenErrorCode::Damaged: return "damaged";
    }
    return "unknown";
}

OpenResult OpenWorkbook(const std::string& path)
{
    std::error_code ec;
    const fs::path p(path);
    const fs::file_status status = fs::status(p, ec);
    if (status.type() == fs::file_type::not_found)
        return failure(OpenErrorCode::FileNotFound, Why::Plain, path, "no such file");
    if (ec)
        return failure(OpenErrorCode::NotReadable, Why::Plain, path, ec.message());
    if (status.type() == fs::file_type::directory)
        return failure(OpenErrorCode::NotReadable, Why::Folder, path, "a folder");
    // A device or a pipe could be read forever.
    if (status.type() != fs::file_type::regular)
        return failure(OpenErrorCode::NotReadable, Why::Plain, path, "not a regular file");

    // Read-only and whole: the file is closed again before anything is parsed,
    // so others can go on reading and writing it.
    std::vector<std::uint8_t> bytes;
    try {
        std::ifstream in(p, std::ios::binary);
        if (!in)
            return failure(OpenErrorCode::NotReadable, Why::Plain, path, std::strerror(errno));
        // The first bytes tell the format, so that a large file of another
        // kind is never read whole.
        bytes.resize(8);
        in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
        if (in.bad())
            return failure(OpenErrorCode::NotReadable, Why::Plain, path, "input/output error");

        if (bytes.empty())
            return failure(OpenErrorCode::NotAWorkbook, Why::Empty, path, "empty file");
        if (startsWith(bytes, { 'P', 'K', 0x03, 0x04 }))
            return failure(OpenErrorCode::NotAWorkbook, Why::ZipPackage, path, "a ZIP package (.xlsx, .ods)");
        if (isOldExcelStream(bytes))
            return failure(OpenErrorCode::NotAWorkbook, Why::OldExcel, path, "an Excel 2.x-4.0 stream");
        if (!HasOle2Signature(bytes) && !startsWith(bytes, { 0x09, 0x08 }))
            return failure(OpenErrorCode::NotAWorkbook, Why::Plain, path, "neither an OLE2 file nor a BIFF stream");

        std::error_code sizeError;
        const std::uintmax_t size = fs::file_size(p, sizeError);
        if (!sizeError && size > bytes.size())
            bytes.reserve(static_cast<std::size_t>(size));
        std::vector<char> buffer(1 << 16);
        while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0)
            bytes.insert(bytes.end(), buffer.data(), buffer.data() + in.gcount());
        if (in.bad())
            return failure(OpenErrorCode::NotReadable, Why::Plain, path, "input/output error");
    } catch (const std::bad_alloc&) {
        return failure(OpenErrorCode::NotReadable, Why::Plain, path, "too large to hold in memory");
    }

    XlsReadOutcome read = ReadXlsBytes(bytes);
    if (!read.workbook)
        return failure(read.failure.code, Why::Plain, path, read.failure.detail);
    OpenResult r;
    r.workbook = std::move(read.workbook);
    return r;
}

} // namespace zx
