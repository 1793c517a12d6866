#pragma once
// The resources a test installs for its lifetime: bitmaps and icons (the
// program's artwork and any made by the test) and a set of structured
// resources. Everything is taken down again when the object goes.
//
//     CTestResources res;
//     res.WithArtwork().AddBitmap(900, MakeBmp4(...)).SetAppResources(&kTables).Install();

#include "platform/fw/AppResources.h"
#include "platform/res/ResourceTable.h"

#include <cstdint>
#include <deque>
#include <vector>

class CTestResources {
public:
    CTestResources() = default;
    ~CTestResources();
    CTestResources(const CTestResources&) = delete;
    CTestResources& operator=(const CTestResources&) = delete;

    // The program's bitmaps 128 to 136 and icon 128.
    CTestResources& WithArtwork();
    CTestResources& AddBitmap(unsigned id, std::vector<std::uint8_t> bytes);
    CTestResources& SetAppResources(const AppResources* pResources);
    // Makes all of the above the installed resources.
    void Install();

private:
    bool m_bArtwork = false;
    std::deque<std::vector<std::uint8_t>> m_aBytes;  // stable while entries point into it
    std::vector<ResourceEntry> m_aEntries;
    std::vector<unsigned> m_aIds;
    const AppResources* m_pApp = nullptr;
};
