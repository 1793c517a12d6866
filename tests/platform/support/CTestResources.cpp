#include "tests/platform/support/CTestResources.h"

#include "res/ResourceData.h"

CTestResources::~CTestResources()
{
    InstallResources({});
    InstallAppResources(nullptr);
}

CTestResources& CTestResources::WithArtwork()
{
    m_bArtwork = true;
    return *this;
}

CTestResources& CTestResources::AddBitmap(unsigned id, std::vector<std::uint8_t> bytes)
{
    m_aBytes.push_back(std::move(bytes));
    m_aIds.push_back(id);
    return *this;
}

CTestResources& CTestResources::SetAppResources(const AppResources* pResources)
{
    m_pApp = pResources;
    return *this;
}

void CTestResources::Install()
{
    m_aEntries.clear();
    // The test's own bitmaps come first, so they win over artwork of the same id.
    for (std::size_t i = 0; i < m_aBytes.size(); ++i)
        m_aEntries.push_back({ResourceType::Bitmap, m_aIds[i], m_aBytes[i]});
    if (m_bArtwork)
        for (const ResourceEntry& e : CorvaneResourceData())
            m_aEntries.push_back(e);
    InstallResources(m_aEntries);
    InstallAppResources(m_pApp);
}
