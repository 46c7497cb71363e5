// Opening a workbook file: reading its bytes, telling its format, and the
// German sentences for everything that can go wrong.
#include "workbook/Workbook.h"

#include "workbook/CsvReader.h"
#include "workbook/OdsReader.h"
#include "workbook/XlsReader.h"
#include "workbook/XlsxReader.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <vector>

namespace zx {

namespace {

namespace fs = std::filesystem;

enum class Why { Plain, Folder, Empty, OtherZip, Markup, OldExcel };

std::string quoted(const std::string& path) { return "\u201E" + path + "\u201C"; }

std::string sentence(OpenErrorCode code, Why why, const std::string& path, const std::string& reason)
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
        case Why::OtherZip:
            return "Die Datei " + file
                + " ist ein ZIP-Archiv, aber keine Arbeitsmappe im Format Excel (*.xlsx) oder OpenDocument (*.ods).";
        case Why::Markup:
            return "Die Datei " + file
                + " ist eine Web-Seite oder XML-Datei und keine Arbeitsmappe. Bitte speichern Sie sie in Excel "
                  "oder LibreOffice als Arbeitsmappe (*.xlsx, *.ods oder *.xls) und öffnen Sie sie dann erneut.";
        case Why::OldExcel:
            return "Die Datei " + file
                + " stammt aus einer älteren Excel-Version (2.x bis 4.0). Bitte speichern Sie sie als "
                  "\u201EExcel 97-2003-Arbeitsmappe (*.xls)\u201C und öffnen Sie sie dann erneut.";
        default:
            return "Die Datei " + file
                + " ist keine Arbeitsmappe, die Zerantix lesen kann (Excel *.xls oder *.xlsx, OpenDocument *.ods, "
                  "Text mit Trennzeichen *.csv oder *.txt).";
        }
    case OpenErrorCode::Encrypted:
        return "Die Arbeitsmappe " + file
            + " ist mit einem Kennwort geschützt und kann nicht gelesen werden. Bitte heben Sie den "
              "Kennwortschutz in Excel auf und speichern Sie die Arbeitsmappe erneut.";
    case OpenErrorCode::Damaged:
        return "Die Arbeitsmappe " + file + " ist beschädigt und kann nicht gelesen werden.";
    case OpenErrorCode::TooLarge:
        return "Die Arbeitsmappe " + file + " ist zu groß für Zerantix" + (reason.empty() ? "" : ": " + reason) + ".";
    }
    return {};
}

OpenResult failure(OpenErrorCode code, Why why, const std::string& path, std::string detail, const std::string& reason = {})
{
    OpenResult r;
    r.error = OpenError{ code, sentence(code, why, path, reason), std::move(detail) };
    return r;
}

OpenResult failure(const ParseFailure& f, const std::string& path)
{
    return failure(f.code, Why::Plain, path, f.detail, f.reason);
}

OpenResult success(std::unique_ptr<Workbook> workbook)
{
    OpenResult r;
    r.workbook = std::move(workbook);
    return r;
}

// Markup rather than values: a web page or XML saved under a workbook's name.
bool startsWithMarkup(const std::vector<std::uint8_t>& bytes)
{
    std::size_t i = bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF ? 3 : 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return i < bytes.size() && bytes[i] == '<';
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
    case OpenErrorCode::TooLarge: return "too-large";
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
    enum class Format { Xls, Zip, Text } format;
    try {
        std::ifstream in(p, std::ios::binary);
        if (!in)
            return failure(OpenErrorCode::NotReadable, Why::Plain, path, std::strerror(errno));
        // The first bytes tell the format, so that a large file of another
        // kind is never read whole.
        bytes.resize(64 * 1024);
        in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
        if (in.bad())
            return failure(OpenErrorCode::NotReadable, Why::Plain, path, "input/output error");

        if (bytes.empty())
            return failure(OpenErrorCode::NotAWorkbook, Why::Empty, path, "empty file");
        if (isOldExcelStream(bytes))
            return failure(OpenErrorCode::NotAWorkbook, Why::OldExcel, path, "an Excel 2.x-4.0 stream");
        if (HasOle2Signature(bytes) || startsWith(bytes, { 0x09, 0x08 }))
            format = Format::Xls;
        else if (ZipPackage::signature(bytes))
            format = Format::Zip;
        else if (LooksLikeText(bytes) && !startsWithMarkup(bytes))
            format = Format::Text;
        else if (LooksLikeText(bytes))
            return failure(OpenErrorCode::NotAWorkbook, Why::Markup, path, "markup (HTML or XML)");
        else
            return failure(OpenErrorCode::NotAWorkbook, Why::Plain, path, "neither a workbook nor text");

        std::error_code sizeError;
        const std::uintmax_t size = fs::file_size(p, sizeError);
        if (format != Format::Xls && !sizeError && size > kMaxFileBytes)
            return failure(OpenErrorCode::TooLarge, Why::Plain, path, "a file beyond the limit",
                "die Datei ist größer als " + GermanCount(kMaxFileBytes >> 20) + " MB");
        if (!sizeError && size > bytes.size())
            bytes.reserve(static_cast<std::size_t>(size));
        std::vector<char> buffer(1 << 16);
        while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0) {
            bytes.insert(bytes.end(), buffer.data(), buffer.data() + in.gcount());
            // A file that grows while it is read.
            if (format != Format::Xls && bytes.size() > kMaxFileBytes)
                return failure(OpenErrorCode::TooLarge, Why::Plain, path, "a file beyond the limit",
                    "die Datei ist größer als " + GermanCount(kMaxFileBytes >> 20) + " MB");
        }
        if (in.bad())
            return failure(OpenErrorCode::NotReadable, Why::Plain, path, "input/output error");
    } catch (const std::bad_alloc&) {
        return failure(OpenErrorCode::NotReadable, Why::Plain, path, "too large to hold in memory");
    }

    try {
        switch (format) {
        case Format::Xls: {
            XlsReadOutcome read = ReadXlsBytes(bytes);
            return read.workbook ? success(std::move(read.workbook)) : failure(read.failure, path);
        }
        case Format::Zip: {
            ParseFailure f;
            const auto package = ZipPackage::open(bytes, f);
            if (!package)
                return failure(f, path);
            ReadOutcome read;
            if (IsXlsxPackage(*package))
                read = ReadXlsxPackage(*package);
            else if (IsOdsPackage(*package))
                read = ReadOdsPackage(*package);
            else
                return failure(OpenErrorCode::NotAWorkbook, Why::OtherZip, path, "a ZIP file of another kind");
            return read.workbook ? success(std::move(read.workbook)) : failure(read.failure, path);
        }
        case Format::Text: {
            // One sheet, named after the file as spreadsheets name it.
            ReadOutcome read = ReadCsvBytes(bytes, p.stem().string());
            return read.workbook ? success(std::move(read.workbook)) : failure(read.failure, path);
        }
        }
    } catch (const std::bad_alloc&) {
        return failure(OpenErrorCode::TooLarge, Why::Plain, path, "out of memory while reading");
    }
    return failure(OpenErrorCode::NotAWorkbook, Why::Plain, path, "unknown format");
}

} // namespace zx
