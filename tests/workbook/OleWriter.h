// Writes OLE2 compound files with libgsf, to wrap test streams the way
// spreadsheet programs store them.
#pragma once

#include "BiffBuilder.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-utils.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace zx::test {

using NamedStream = std::pair<std::string, ByteVector>;

inline ByteVector oleFile(const std::vector<NamedStream>& streams)
{
    gsf_init();
    GsfOutput* memory = gsf_output_memory_new();
    GsfOutfile* ole = gsf_outfile_msole_new(memory);
    for (const auto& [name, data] : streams) {
        GsfOutput* child = gsf_outfile_new_child(ole, name.c_str(), FALSE);
        gsf_output_write(child, data.size(), data.data());
        gsf_output_close(child);
        g_object_unref(child);
    }
    gsf_output_close(GSF_OUTPUT(ole));
    g_object_unref(ole);
    const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory));
    ByteVector out(bytes, bytes + gsf_output_size(memory));
    g_object_unref(memory);
    return out;
}

inline void writeFile(const std::string& path, const ByteVector& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
        static_cast<std::streamsize>(bytes.size()));
}

inline ByteVector readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return ByteVector(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace zx::test
