// A compact list of strings: appending and reading line i are O(1), and a million short lines
// cost little more than their bytes. Text lives in 1 MiB chunks, so growing never copies it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zw {

class TextList {
public:
    void Append(std::string_view text);
    std::string_view operator[](std::size_t i) const {
        const Entry& e = entries_[i];
        return {chunks_[e.chunk].get() + e.offset, e.length};
    }
    std::size_t Count() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }
    void Clear();

private:
    struct Entry {
        std::uint32_t chunk;
        std::uint32_t offset;
        std::size_t length;
    };
    static constexpr std::size_t kChunkSize = std::size_t{1} << 20;

    std::vector<std::unique_ptr<char[]>> chunks_;
    std::size_t used_ = kChunkSize;  // bytes used in the last chunk; full before the first
    std::vector<Entry> entries_;
};

}  // namespace zw
