#include "workbook/ZipPackage.h"

#include "workbook/GsfSupport.h"

#include <gsf/gsf-infile-zip.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input.h>

#include <vector>

namespace zx {

struct ZipPackage::Impl {
    GRef<GsfInput> input;
    GRef<GsfInfile> zip;

    // The entry at path, or nothing; the caller owns the reference.
    GsfInput* find(std::string_view path) const
    {
        if (!path.empty() && path.front() == '/')
            path.remove_prefix(1);
        GsfInfile* dir = zip.get();
        GsfInput* owned = nullptr; // the folder we stand in, when not the root
        GsfInput* found = nullptr;
        while (dir) {
            const std::size_t slash = path.find('/');
            const std::string_view name = path.substr(0, slash);
            GsfInput* child = nullptr;
            const int n = gsf_infile_num_children(dir);
            for (int i = 0; i < n && !child; ++i) {
                const char* childName = gsf_infile_name_by_index(dir, i);
                if (childName && SameNameIgnoringCase(childName, name))
                    child = gsf_infile_child_by_index(dir, i);
            }
            if (owned)
                g_object_unref(owned);
            owned = nullptr;
            if (!child)
                break;
            if (slash == std::string_view::npos) {
                found = child;
                break;
            }
            path.remove_prefix(slash + 1);
            if (!GSF_IS_INFILE(child)) {
                g_object_unref(child);
                break;
            }
            owned = child;
            dir = GSF_INFILE(child);
        }
        return found;
    }
};

ZipPackage::ZipPackage(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
ZipPackage::~ZipPackage() = default;

bool ZipPackage::signature(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= 4 && bytes[0] == 'P' && bytes[1] == 'K' && bytes[2] == 0x03 && bytes[3] == 0x04;
}

std::unique_ptr<ZipPackage> ZipPackage::open(std::span<const std::uint8_t> bytes, ParseFailure& failure)
{
    InitGsf();
    auto impl = std::make_unique<Impl>();
    impl->input.reset(gsf_input_memory_new(bytes.data(), static_cast<gsf_off_t>(bytes.size()), FALSE));
    if (!impl->input) {
        failure = { OpenErrorCode::Damaged, "the package could not be opened", {} };
        return nullptr;
    }
    GError* error = nullptr;
    impl->zip.reset(gsf_infile_zip_new(impl->input.get(), &error));
    if (!impl->zip) {
        std::string detail = "ZIP package: ";
        detail += error && error->message ? error->message : "unreadable";
        if (error)
            g_error_free(error);
        failure = { OpenErrorCode::Damaged, detail, {} };
        return nullptr;
    }
    return std::unique_ptr<ZipPackage>(new ZipPackage(std::move(impl)));
}

bool ZipPackage::has(std::string_view path) const
{
    GsfInput* entry = impl_->find(path);
    if (entry)
        g_object_unref(entry);
    return entry != nullptr;
}

std::optional<std::string> ZipPackage::read(std::string_view path, ParseFailure& failure) const
{
    GRef<GsfInput> entry(impl_->find(path));
    if (!entry)
        return std::nullopt;
    if (GSF_IS_INFILE(entry.get()) && gsf_infile_num_children(GSF_INFILE(entry.get())) > 0) {
        failure = { OpenErrorCode::Damaged, std::string(path) + " is a folder", {} };
        return std::nullopt;
    }
    const gsf_off_t size = gsf_input_size(entry.get());
    const auto tooLarge = [&] {
        failure = { OpenErrorCode::TooLarge, std::string(path) + " unpacks to more than the limit",
            "ein Teil der Datei ist entpackt größer als " + GermanCount(kMaxPartBytes >> 20) + " MB" };
        return std::nullopt;
    };
    // The size is the package's claim: refuse what it admits is too large,
    // and never read more than the limit even when it lies.
    if (size < 0 || static_cast<std::uint64_t>(size) > kMaxPartBytes)
        return tooLarge();
    std::string data(static_cast<std::size_t>(size), '\0');
    std::size_t done = 0;
    while (done < data.size()) {
        const std::size_t chunk = std::min<std::size_t>(data.size() - done, 1 << 20);
        if (!gsf_input_read(entry.get(), chunk, reinterpret_cast<guint8*>(data.data() + done))) {
            failure = { OpenErrorCode::Damaged, std::string(path) + " cannot be unpacked to its end", {} };
            return std::nullopt;
        }
        done += chunk;
    }
    return data;
}

} // namespace zx
