#include "platform/res/ResourceTable.h"

#include "tests/platform/res/DibBytes.h"

#include <gtest/gtest.h>

namespace {

using namespace dibtest;

Bytes SmallBitmap()
{
    DibPicture s;
    s.width = 2;
    s.height = 1;
    s.bitCount = 24;
    s.rows = {{0xABCDEF, 0x123456}};
    return MakeBmp(s);
}

Bytes SquareImage(int size, std::uint32_t colour)
{
    DibPicture s;
    s.width = size;
    s.height = size;
    s.bitCount = 24;
    s.rows.assign(static_cast<std::size_t>(size), std::vector<std::uint32_t>(static_cast<std::size_t>(size), colour));
    const std::vector<std::vector<int>> mask(static_cast<std::size_t>(size), std::vector<int>(static_cast<std::size_t>(size), 0));
    return MakeIconImage(s, mask);
}

class ResourceTable : public testing::Test {
protected:
    void SetUp() override
    {
        m_aEntries = {
            ResourceEntry{ResourceType::Bitmap, 7, m_aBitmap},
            ResourceEntry{ResourceType::Icon, 7, m_aIcon},
            ResourceEntry{ResourceType::Bitmap, 8, m_aBroken},
            ResourceEntry{ResourceType::Bitmap, 7, m_aBroken},  // a later duplicate is never found
        };
        InstallResources(m_aEntries);
    }
    void TearDown() override { InstallResources({}); }

    const Bytes m_aBitmap = SmallBitmap();
    const Bytes m_aIcon = MakeIco({SquareImage(32, 0x202020), SquareImage(16, 0x101010)}, {32, 16});
    const Bytes m_aBroken = {'B', 'M', 1, 2, 3};
    std::vector<ResourceEntry> m_aEntries;
};

TEST_F(ResourceTable, FindsEntriesByTypeAndId)
{
    const auto bitmap = FindResource(ResourceType::Bitmap, 7);
    EXPECT_EQ(bitmap.data(), m_aBitmap.data());
    EXPECT_EQ(bitmap.size(), m_aBitmap.size());
    EXPECT_EQ(FindResource(ResourceType::Icon, 7).data(), m_aIcon.data());
    EXPECT_TRUE(FindResource(ResourceType::Icon, 8).empty());
    EXPECT_TRUE(FindResource(ResourceType::Bitmap, 9).empty());

    InstallResources({});
    EXPECT_TRUE(FindResource(ResourceType::Bitmap, 7).empty());
}

TEST_F(ResourceTable, LoadsBitmaps)
{
    std::string error;
    const auto surface = LoadBitmapResource(7, &error);
    ASSERT_TRUE(surface) << error;
    EXPECT_EQ(surface->Width(), 2);
    EXPECT_EQ(surface->At(0, 0), 0xABCDEFu);

    EXPECT_FALSE(LoadBitmapResource(9, &error));
    EXPECT_EQ(error, "no bitmap resource 9");
    EXPECT_FALSE(LoadBitmapResource(8, &error));
    EXPECT_EQ(error, "resource 8: bitmap: truncated file header (5 bytes)");
    EXPECT_FALSE(LoadBitmapResource(9));
}

TEST_F(ResourceTable, LoadsIconsBySize)
{
    std::string error;
    auto icon = LoadIconResource(7, 16, &error);
    ASSERT_TRUE(icon) << error;
    EXPECT_EQ(icon->Width(), 16);
    EXPECT_EQ(icon->color.At(0, 0), 0x101010u);
    icon = LoadIconResource(7, 32);
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->Width(), 32);
    EXPECT_EQ(icon->color.At(31, 31), 0x202020u);

    EXPECT_FALSE(LoadIconResource(8, 16, &error));
    EXPECT_EQ(error, "no icon resource 8");
}

TEST_F(ResourceTable, ReportsABrokenIcon)
{
    const Bytes broken = {0, 0, 1, 0, 0, 0};
    const ResourceEntry entries[] = {{ResourceType::Icon, 3, broken}};
    InstallResources(entries);
    std::string error;
    EXPECT_FALSE(LoadIconResource(3, 16, &error));
    EXPECT_EQ(error, "resource 3: icon: the directory lists no images");
}

}  // namespace
