#include "model/CCard.h"

CCard::CCard(std::uint8_t nSuit, std::uint8_t nRank)
    : m_nSuit(nSuit), m_nRank(nRank), m_pNext(nullptr)
{
}

CCard::~CCard() = default;
