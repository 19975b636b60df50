#include "veltutil/grapher/trace_info.h"

#include <algorithm>

namespace {

// The default axes, read by a trace number outside a const list.
const CTraceInfo kDefaultTraceInfo;

}  // namespace

CTraceInfoList& CTraceInfoList::operator=(const CTraceInfoList& other) {
    if (this == &other) return *this;
    std::unique_ptr<CTraceInfo[]> info;
    std::unique_ptr<double[]> data;
    const int entries = other.m_nNumTraces + 1;
    if (other.m_pTraceInfo) {
        info = std::make_unique<CTraceInfo[]>(static_cast<std::size_t>(entries));
        std::copy_n(other.m_pTraceInfo.get(), std::min(entries, other.m_nTraceInfoSize), info.get());
    }
    if (other.m_pData) {
        data = std::make_unique<double[]>(static_cast<std::size_t>(entries));
        std::copy_n(other.m_pData.get(), entries, data.get());
    }
    m_pTraceInfo = std::move(info);
    m_pData = std::move(data);
    m_nNumTraces = other.m_nNumTraces;
    m_nTraceInfoSize = m_pTraceInfo ? entries : 0;
    return *this;
}

void CTraceInfoList::AddTrace() {
    const int entries = m_nNumTraces + 2;
    if (entries > m_nTraceInfoSize) {
        auto info = std::make_unique<CTraceInfo[]>(static_cast<std::size_t>(entries));
        if (m_pTraceInfo) std::copy_n(m_pTraceInfo.get(), m_nNumTraces + 1, info.get());
        m_pTraceInfo = std::move(info);
        m_nTraceInfoSize = entries;
    }
    m_pTraceInfo[entries - 1] = CTraceInfo();

    auto data = std::make_unique<double[]>(static_cast<std::size_t>(entries));
    if (m_pData) std::copy_n(m_pData.get(), m_nNumTraces + 1, data.get());
    m_pData = std::move(data);
    ++m_nNumTraces;
}

CTraceInfo& CTraceInfoList::GetNthTraceInfo(int n) {
    if (IsTrace(n)) return m_pTraceInfo[n + 1];
    m_Detached = CTraceInfo();
    return m_Detached;
}

const CTraceInfo& CTraceInfoList::DefaultTraceInfo() { return kDefaultTraceInfo; }

void CTraceInfoList::Reset() {
    m_pData.reset();
    m_nNumTraces = 0;
}
