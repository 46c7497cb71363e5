// Reference files of the committed scripts, in ZX_TEST_DATA_DIR/data: blocks
// of "case <kind> <name>" followed by "<key> <values...>" lines.
#pragma once

#include "ReadNumber.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace zx::test {

struct ReferenceCase {
    std::string kind;
    std::string name;
    std::map<std::string, std::vector<std::string>> fields;

    const std::vector<std::string>& at(const std::string& key) const
    {
        const auto it = fields.find(key);
        if (it == fields.end())
            throw std::runtime_error("reference " + name + " has no " + key);
        return it->second;
    }
    bool has(const std::string& key) const { return fields.count(key) != 0; }
    double number(const std::string& key) const { return ReadNumber(at(key).at(0)); }
    std::vector<double> numbers(const std::string& key) const
    {
        std::vector<double> v;
        for (const auto& s : at(key))
            v.push_back(ReadNumber(s));
        return v;
    }
};

inline std::vector<ReferenceCase> LoadReference(const std::string& file)
{
    std::ifstream in(std::string(ZX_TEST_DATA_DIR) + "/data/" + file);
    EXPECT_TRUE(in) << file;
    std::vector<ReferenceCase> cases;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream s(line);
        std::string key;
        s >> key;
        if (key == "case") {
            cases.emplace_back();
            s >> cases.back().kind >> cases.back().name;
            continue;
        }
        std::vector<std::string> values;
        std::string v;
        while (s >> v)
            values.push_back(v);
        cases.back().fields[key] = values;
    }
    return cases;
}

} // namespace zx::test
