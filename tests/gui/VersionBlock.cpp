#include "VersionBlock.h"

#include <cstring>

namespace
{
std::uint16_t Word(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    std::uint16_t value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof(value));
    return value;
}

std::size_t Aligned(std::size_t offset)
{
    return (offset + 3) & ~std::size_t{3};
}

// Each node: length, value length, type (1 text, 0 binary), key, padding, value, padding,
// children up to the node's length.
bool ParseNode(std::span<const std::uint8_t> bytes, VersionNode& node)
{
    if (bytes.size() < 6)
        return false;
    const std::size_t length = Word(bytes, 0);
    const std::size_t valueLength = Word(bytes, 2);
    node.isText = Word(bytes, 4) == 1;
    if (length < 6 || length > bytes.size())
        return false;
    std::size_t offset = 6;
    for (; offset + 2 <= length && Word(bytes, offset) != 0; offset += 2)
        node.key += static_cast<char16_t>(Word(bytes, offset));
    offset = Aligned(offset + 2);
    const std::size_t valueBytes = node.isText ? valueLength * 2 : valueLength;
    if (offset + valueBytes > length)
        return false;
    node.value.assign(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                      bytes.begin() + static_cast<std::ptrdiff_t>(offset + valueBytes));
    for (std::size_t unit = 0; node.isText && unit + 1 < node.value.size(); unit += 2)
    {
        const auto code = static_cast<char16_t>(node.value[unit] | node.value[unit + 1] << 8);
        if (code == 0)
            break;
        node.text += code;
    }
    for (offset = Aligned(offset + valueBytes); offset < length; offset = Aligned(offset + Word(bytes, offset)))
    {
        VersionNode child;
        if (!ParseNode(bytes.subspan(offset, length - offset), child))
            return false;
        node.children.push_back(std::move(child));
    }
    return true;
}
}

const VersionNode* VersionNode::Child(const std::u16string& childKey) const
{
    for (const VersionNode& child : children)
        if (child.key == childKey)
            return &child;
    return nullptr;
}

VersionNode ParseVersionBlock(std::span<const std::uint8_t> bytes)
{
    VersionNode root;
    if (!ParseNode(bytes, root))
        return VersionNode{};
    return root;
}
