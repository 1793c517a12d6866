#pragma once
// The resources of a Windows program, read back from its file as Windows
// reads them: the PE headers, the resource section, and its directory of
// types, names and languages.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class CPeResources {
public:
    using Bytes = std::vector<std::uint8_t>;

    // False and why when the file is no PE image or its resources are damaged.
    bool Load(const std::string& path, std::string* why);

    // The data of a resource named by number, in whichever language it has.
    std::optional<Bytes> Find(unsigned type, unsigned id) const;
    std::size_t Count(unsigned type) const;

private:
    std::map<std::pair<unsigned, unsigned>, Bytes> m_resources;
};
