// xlsdump: prints what the workbook reader sees in a workbook, for tests and
// for anyone puzzled by a workbook. See WorkbookDump.h for the format.
//   xlsdump FILE          the dump; exit status 1 when the file cannot be read
//   xlsdump -v FILE       also the technical reason of an error, on stderr
#include "workbook/Workbook.h"
#include "workbook/WorkbookDump.h"

#include <cstring>
#include <iostream>

int main(int argc, char** argv)
{
    bool verbose = false;
    int arg = 1;
    if (arg < argc && std::strcmp(argv[arg], "-v") == 0) {
        verbose = true;
        ++arg;
    }
    if (arg + 1 != argc) {
        std::cerr << "usage: xlsdump [-v] FILE\n";
        return 2;
    }
    std::ios::sync_with_stdio(false);
    const zx::OpenResult result = zx::OpenWorkbook(argv[arg]);
    if (!result) {
        zx::DumpError(*result.error, std::cout);
        if (verbose)
            std::cerr << "xlsdump: " << result.error->detail << '\n';
        return 1;
    }
    zx::DumpWorkbook(*result.workbook, std::cout);
    return std::cout.good() ? 0 : 1;
}
