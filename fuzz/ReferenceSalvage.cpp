#include "ReferenceSalvage.h"

#include <optional>

namespace reference
{
namespace
{
constexpr std::uint64_t kMemory = 786432;
constexpr std::uint32_t kEndMark = 0xFFFFFFFF;

std::uint32_t StateAt(const Image& image, std::uint64_t offset)
{
    return image.BigEndian32(offset + 126);
}

std::uint64_t SizeAt(const Image& image, std::uint64_t offset)
{
    const std::uint64_t body = std::uint64_t{image.BigEndian32(offset + 150)} + image.BigEndian32(offset + 154);
    return 158 + body + body % 2;
}

// The first intact program at or after `from` and before `before`. Past the file every byte is
// 0xFF, so a state there is never 1 to 4: no need to look further.
std::optional<std::uint64_t> Search(const Image& image, std::uint64_t from, std::uint64_t before = kMemory)
{
    for (std::uint64_t q = from; q < before && q < kMemory && q < image.Size(); ++q)
    {
        if (IsIntactAt(image, q))
            return q;
    }
    return std::nullopt;
}

class Walk
{
public:
    Walk(const Image& image, bool pastEnd, const std::set<std::uint64_t>& plainKept)
        : m_image(image), m_searchPastEnd(pastEnd), m_plainKept(plainKept)
    {
        for (const std::uint64_t offset : plainKept)
            m_plainNames.insert(image.Name(offset));
    }

    Salvage Run()
    {
        std::uint64_t p = 0;
        bool atHeader = false;
        for (;;)
        {
            if (!atHeader && p >= kMemory)
                break;
            atHeader = false;
            if (StateAt(m_image, p) == kEndMark)
            {
                if (!m_searchPastEnd || !SearchOn(p))
                    break;
                continue;
            }
            const std::uint64_t size = SizeAt(m_image, p);
            const std::uint32_t state = StateAt(m_image, p);
            if (state == 0 && p + size <= kMemory)
            {
                Add(p, SalvageVerdict::Empty);
                const std::optional<std::uint64_t> inside = Search(m_image, p + 1, p + size);
                if (inside)
                    SkipTo(p, *inside);
                else
                    p += size;
                continue;
            }
            if (IsIntactAt(m_image, p))
            {
                Keep(p, size);
                p += size;
                continue;
            }
            Add(p, state == 0 ? SalvageVerdict::Empty
                   : state >= 1 && state <= 4 ? SalvageVerdict::Bad
                                              : SalvageVerdict::UnknownState);
            const std::uint64_t n = p + size;
            const std::optional<std::uint64_t> q = Search(m_image, p + 1);
            if (q && *q < n)
            {
                SkipTo(p, *q);
                continue;
            }
            if (n <= m_image.Size() && n < kMemory && StateAt(m_image, n) == kEndMark)
            {
                p = n;
                atHeader = true;
                continue;
            }
            if (q && *q == n)
            {
                p = n;
                continue;
            }
            if (!q)
                break;
            SkipTo(p, *q);
        }
        return m_salvage;
    }

private:
    // Behind an end mark: everything from here on is past the end.
    bool SearchOn(std::uint64_t& p)
    {
        m_pastEnd = true;
        const std::optional<std::uint64_t> q = Search(m_image, p + 1);
        if (!q)
            return false;
        SkipTo(p, *q);
        return true;
    }

    void SkipTo(std::uint64_t& p, std::uint64_t q)
    {
        m_salvage.skipped.push_back({p, q - p});
        p = q;
    }

    void Add(std::uint64_t offset, SalvageVerdict verdict)
    {
        m_salvage.records.push_back({offset, verdict, m_pastEnd, m_image.Name(offset)});
    }

    void Keep(std::uint64_t p, std::uint64_t size)
    {
        const std::u16string name = m_image.Name(p);
        SalvageVerdict verdict = SalvageVerdict::Good;
        if (!m_plainKept.contains(p))
            verdict = m_names.contains(name) || m_plainNames.contains(name) ? SalvageVerdict::Duplicate
                                                                             : SalvageVerdict::Recovered;
        Add(p, verdict);
        if (verdict == SalvageVerdict::Duplicate)
            return;
        m_names.insert(name);
        m_salvage.kept.insert(p);
        const Bytes record = m_image.Slice(p, size);
        m_salvage.cleaned.insert(m_salvage.cleaned.end(), record.begin(), record.end());
    }

    const Image& m_image;
    const bool m_searchPastEnd;
    const std::set<std::uint64_t>& m_plainKept;
    bool m_pastEnd = false;
    std::set<std::u16string> m_names;
    std::set<std::u16string> m_plainNames; // of the programs the plain walk keeps
    Salvage m_salvage;
};
}

bool IsIntactAt(const Image& image, std::uint64_t q)
{
    if (q >= kMemory)
        return false;
    const std::uint32_t state = StateAt(image, q);
    const std::uint64_t size = SizeAt(image, q);
    return state >= 1 && state <= 4 && q + size <= kMemory && Crc32(image, q + 4, q + size) == image.BigEndian32(q);
}

Salvage ExpectSalvage(const Image& image, bool pastEnd, const std::set<std::uint64_t>& plainKept)
{
    return Walk(image, pastEnd, plainKept).Run();
}

std::uint32_t ExpectLeftBehind(const Image& image, const std::set<std::uint64_t>& plainKept,
                               const std::set<std::uint64_t>& runKept)
{
    std::uint32_t left = 0;
    for (const std::uint64_t offset : ExpectSalvage(image, true, plainKept).kept)
        left += runKept.contains(offset) ? 0 : 1;
    return left;
}
}
