#include "LoadedImage.h"
#include "TempDir.h"

#include <File.h>

#include <gtest/gtest.h>

LoadedImage::LoadedImage(const Bytes& bytes)
{
    const TempDir dir;
    WriteFile(dir / "image.pgs", bytes);
    platform::CFile source;
    EXPECT_EQ(source.OpenForReading(U16(dir / "image.pgs")), platform::OpenResult::Opened);
    EXPECT_TRUE(m_image.Allocate());
    EXPECT_TRUE(m_image.Load(source));
    m_programs.emplace(m_image, m_crc);
}
