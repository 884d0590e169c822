#include "files/text_list.h"

#include <cstring>

namespace zw {

void TextList::Append(std::string_view text) {
    if (chunks_.empty() || text.size() > kChunkSize - used_) {
        // A text longer than a chunk gets a chunk of its own size.
        const std::size_t size = text.size() > kChunkSize ? text.size() : kChunkSize;
        chunks_.push_back(std::make_unique_for_overwrite<char[]>(size));
        used_ = 0;
    }
    char* chunk = chunks_.back().get();
    if (!text.empty())
        std::memcpy(chunk + used_, text.data(), text.size());
    entries_.push_back(Entry{static_cast<std::uint32_t>(chunks_.size() - 1),
                             static_cast<std::uint32_t>(used_), text.size()});
    used_ += text.size();
    if (text.size() > kChunkSize)
        used_ = kChunkSize;  // an oversized chunk takes nothing more
}

void TextList::Clear() {
    chunks_.clear();
    entries_.clear();
    used_ = kChunkSize;
}

}  // namespace zw
