#include "tests/e2e/CPeResources.h"

#include "tests/e2e/CChildProcess.h"

#include <functional>

namespace {

class CReader {
public:
    explicit CReader(const std::string& bytes) : m_bytes(bytes) {}
    bool Has(std::size_t at, std::size_t n) const { return at <= m_bytes.size() && n <= m_bytes.size() - at; }
    std::uint32_t U16(std::size_t at) const { return Has(at, 2) ? Byte(at) | Byte(at + 1) << 8 : 0; }
    std::uint32_t U32(std::size_t at) const { return Has(at, 4) ? U16(at) | U16(at + 2) << 16 : 0; }
    std::uint32_t Byte(std::size_t at) const { return static_cast<std::uint8_t>(m_bytes[at]); }

private:
    const std::string& m_bytes;
};

}  // namespace

bool CPeResources::Load(const std::string& path, std::string* why)
{
    m_resources.clear();
    const std::string file = CChildProcess::ReadFile(path);
    const CReader r(file);
    if (r.U16(0) != 0x5A4D) {  // "MZ"
        *why = path + " is no Windows program";
        return false;
    }
    const std::size_t pe = r.U32(0x3C);
    if (r.U32(pe) != 0x00004550) {  // "PE\0\0"
        *why = path + " has no PE header";
        return false;
    }
    const std::size_t sections = r.U16(pe + 6);
    const std::size_t optional = pe + 24;
    const std::size_t optionalSize = r.U16(pe + 20);
    if (r.U16(optional) != 0x20B) {  // PE32+, 64-bit
        *why = path + " is not a 64-bit program";
        return false;
    }
    // Data directory 2 is the resources: where they are once loaded.
    const std::uint32_t resourceRva = r.U32(optional + 112 + 2 * 8);
    if (resourceRva == 0) {
        *why = path + " has no resources";
        return false;
    }
    // Which section holds them, and where that is in the file.
    auto fileOffset = [&](std::uint32_t rva) {
        for (std::size_t i = 0; i < sections; ++i) {
            const std::size_t s = optional + optionalSize + i * 40;
            const std::uint32_t va = r.U32(s + 12);
            const std::uint32_t size = std::max(r.U32(s + 8), r.U32(s + 16));
            if (rva >= va && rva < va + size)
                return std::optional<std::size_t>(r.U32(s + 20) + (rva - va));
        }
        return std::optional<std::size_t>();
    };
    const auto root = fileOffset(resourceRva);
    if (!root) {
        *why = path + ": the resources lie in no section";
        return false;
    }
    // Three levels: type, name, language. Entries with a name (a string,
    // high bit set) rather than a number are passed over.
    auto entries = [&](std::size_t dir, const std::function<void(std::uint32_t id, std::uint32_t target)>& each) {
        const std::size_t count = r.U16(dir + 12) + r.U16(dir + 14);
        for (std::size_t i = 0; i < count && r.Has(dir + 16 + i * 8, 8); ++i) {
            const std::uint32_t name = r.U32(dir + 16 + i * 8);
            if (!(name & 0x80000000u))
                each(name, r.U32(dir + 20 + i * 8));
        }
    };
    bool damaged = false;
    entries(*root, [&](std::uint32_t type, std::uint32_t typeDir) {
        entries(*root + (typeDir & 0x7FFFFFFFu), [&](std::uint32_t id, std::uint32_t nameDir) {
            entries(*root + (nameDir & 0x7FFFFFFFu), [&](std::uint32_t, std::uint32_t leaf) {
                const std::size_t entry = *root + leaf;
                const auto data = fileOffset(r.U32(entry));
                const std::uint32_t size = r.U32(entry + 4);
                if (!data || !r.Has(*data, size)) {
                    damaged = true;
                    return;
                }
                m_resources.emplace(std::pair{type, id}, Bytes(file.begin() + static_cast<std::ptrdiff_t>(*data),
                                                               file.begin() + static_cast<std::ptrdiff_t>(*data + size)));
            });
        });
    });
    if (damaged)
        *why = path + ": a resource's data lies outside the file";
    return !damaged;
}

std::optional<CPeResources::Bytes> CPeResources::Find(unsigned type, unsigned id) const
{
    const auto it = m_resources.find({type, id});
    if (it == m_resources.end())
        return std::nullopt;
    return it->second;
}

std::size_t CPeResources::Count(unsigned type) const
{
    std::size_t n = 0;
    for (const auto& [key, data] : m_resources)
        n += key.first == type ? 1 : 0;
    return n;
}
