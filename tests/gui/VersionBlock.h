#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// One node of a version resource: its key, its value (text values without the terminator,
// binary values as bytes) and its children, in the order they are stored.
struct VersionNode
{
    std::u16string key;
    bool isText = false;
    std::u16string text;
    std::vector<std::uint8_t> value;
    std::vector<VersionNode> children;

    const VersionNode* Child(const std::u16string& childKey) const;
};

// An empty root (no key) when the bytes are not a well-formed block.
VersionNode ParseVersionBlock(std::span<const std::uint8_t> bytes);
