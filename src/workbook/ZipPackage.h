// The parts of a ZIP package (.xlsx, .ods) from bytes in memory, read with
// libgsf. A part is unpacked piece by piece and never beyond kMaxPartBytes,
// whatever sizes the package claims: a ZIP bomb ends in TooLarge.
#pragma once

#include "workbook/StoredWorkbook.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zx {

class ZipPackage {
public:
    // The package, or nothing and the reason in failure. The bytes must
    // outlive the package.
    static std::unique_ptr<ZipPackage> open(std::span<const std::uint8_t> bytes, ParseFailure& failure);
    ~ZipPackage();

    // True when the package holds a part at path ("xl/workbook.xml"); names
    // compare without regard to case.
    bool has(std::string_view path) const;

    // The bytes of the part at path. Nothing when it is missing (failure
    // untouched) or cannot be read whole (the reason in failure).
    std::optional<std::string> read(std::string_view path, ParseFailure& failure) const;

    // True when bytes start with a ZIP local file header.
    static bool signature(std::span<const std::uint8_t> bytes);

private:
    struct Impl;
    explicit ZipPackage(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

// Opens the package in bytes and reads it with read(const ZipPackage&).
template <typename Read>
ReadOutcome ReadPackageBytes(std::span<const std::uint8_t> bytes, Read&& read)
{
    ReadOutcome out;
    const auto package = ZipPackage::open(bytes, out.failure);
    return package ? read(*package) : std::move(out);
}

} // namespace zx
