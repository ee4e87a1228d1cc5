#include "model/kx_class.h"

#include <atomic>

namespace {
// The only process-wide state of the model (and a count of live objects for tests). Atomic so that
// tools running several projects on worker threads still never hand out one serial twice.
std::atomic<std::uint64_t> g_nextSerial {1};
std::atomic<std::int64_t> g_live {0};
} // namespace

KXClass::KXClass(int kind)
    : m_kind(kind)
    , m_serial(g_nextSerial.fetch_add(1, std::memory_order_relaxed))
{
    g_live.fetch_add(1, std::memory_order_relaxed);
}

KXClass::~KXClass()
{
    g_live.fetch_sub(1, std::memory_order_relaxed);
}

void KXClass::CopyFrom(const KXClass &other)
{
    m_kind = other.m_kind;
    m_treeExpanded = other.m_treeExpanded;
    m_serial = other.m_serial;
}

bool KXClass::IsSameAs(const KXClass &) const
{
    return false;
}

std::uint64_t KXClass::PeekNextSerial()
{
    return g_nextSerial.load(std::memory_order_relaxed);
}

std::int64_t KXClass::LiveCount()
{
    return g_live.load(std::memory_order_relaxed);
}
