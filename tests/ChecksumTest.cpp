#include <ByteOrder.h>
#include <Crc32.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace
{
TEST(Crc32, CheckValueOfTheDigitsOneToNine)
{
    const std::uint8_t digits[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(CCrc32().Compute(digits, 9), 0xCBF43926u);
}

TEST(Crc32, ZeroLengthGivesZero)
{
    const std::uint8_t unused = 0xAB;
    EXPECT_EQ(CCrc32().Compute(&unused, 0), 0u);
}

TEST(Crc32, OneObjectGivesTheSameResultEveryTime)
{
    const CCrc32 crc;
    std::vector<std::uint8_t> data(1000);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 31);
    const auto first = crc.Compute(data.data(), 1000);
    EXPECT_EQ(crc.Compute(data.data(), 1000), first);
    data[500] ^= 0x10;
    EXPECT_NE(crc.Compute(data.data(), 1000), first);
}

TEST(ByteOrder, SwapsReverseTheBytes)
{
    const CByteOrder order;
    EXPECT_EQ(order.Swap32(0x11223344u), 0x44332211u);
    EXPECT_EQ(order.Swap32(0xFFFFFFFFu), 0xFFFFFFFFu);
    EXPECT_EQ(order.Swap32(0x000000FFu), 0xFF000000u);
    EXPECT_EQ(order.Swap16(0x1234), 0x3412);
    EXPECT_EQ(order.Swap16(0x00FF), 0xFF00);
}

TEST(ByteOrder, Swap16ArrayWritesExactlyCountUnits)
{
    const CByteOrder order;
    const std::uint16_t source[4] = {0x0102, 0x0304, 0x0506, 0x0708};
    std::uint16_t destination[4] = {0xAAAA, 0xAAAA, 0xAAAA, 0xAAAA};
    order.Swap16Array(destination, source, 3);
    EXPECT_EQ(destination[0], 0x0201);
    EXPECT_EQ(destination[1], 0x0403);
    EXPECT_EQ(destination[2], 0x0605);
    EXPECT_EQ(destination[3], 0xAAAA);

    order.Swap16Array(destination, source, 0);
    EXPECT_EQ(destination[0], 0x0201);
}

TEST(ByteOrder, Swap16ArrayConvertsInPlace)
{
    const CByteOrder order;
    std::uint16_t units[3] = {0x0041, 0x4200, 0x1234};
    order.Swap16Array(units, units, 3);
    EXPECT_EQ(units[0], 0x4100);
    EXPECT_EQ(units[1], 0x0042);
    EXPECT_EQ(units[2], 0x3412);
}
}
