#include "raster/font_raster_container.h"

#include "container/dc_node.h"
#include "raster/raster_lock.h"

#include <memory>
#include <mutex>

RFontRasterContainer::RFontRasterContainer(RFontMode mode) : mode_(mode)
{
    for (auto& bucket : buckets_)
        bucket.store(nullptr);
}

RFontRasterContainer::~RFontRasterContainer()
{
    for (auto& bucket : buckets_) {
        RFontData* entry = bucket.load();
        while (entry) {
            RFontData* next = entry->next;
            delete entry;
            entry = next;
        }
    }
}

RFontRasterContainer& RFontRasterContainer::TrueColor()
{
    static RFontRasterContainer cache(RFontMode::Grey);
    return cache;
}

RFontRasterContainer& RFontRasterContainer::TwoLevel()
{
    static RFontRasterContainer cache(RFontMode::TwoLevel);
    return cache;
}

int RFontRasterContainer::Bucket(const RFont& font)
{
    std::uint32_t hash = static_cast<std::uint32_t>(font.Size) * 31u + static_cast<std::uint32_t>(font.Weight);
    hash = hash * 8u + (font.Italic ? 4u : 0u) + (font.Underline ? 2u : 0u) + (font.StrikeOut ? 1u : 0u);
    return static_cast<int>(hash % kBucketCount);
}

RFontData* RFontRasterContainer::Find(const RFont& font) const
{
    for (RFontData* entry = buckets_[static_cast<std::size_t>(Bucket(font))].load(std::memory_order_acquire);
         entry; entry = entry->next)
        if (entry->Font() == font)
            return entry;
    return nullptr;
}

RFontData* RFontRasterContainer::Select(const RFont& font)
{
    if (RFontData* found = Find(font))
        return found;
    std::lock_guard guard(RasterLock());
    if (RFontData* found = Find(font))
        return found;
    auto entry = std::make_unique<RFontData>(font, mode_);
    entry->RasteriseMissing();
    auto& bucket = buckets_[static_cast<std::size_t>(Bucket(font))];
    entry->next = bucket.load(std::memory_order_relaxed);
    RFontData* published = entry.release();
    bucket.store(published, std::memory_order_release);
    return published;
}

int RFontRasterContainer::Count() const
{
    int count = 0;
    for (const auto& bucket : buckets_)
        for (RFontData* entry = bucket.load(std::memory_order_acquire); entry; entry = entry->next)
            ++count;
    return count;
}

void RFontRasterContainer::SaveToNode(RDCNodeList& root) const
{
    std::lock_guard guard(RasterLock());
    for (const auto& bucket : buckets_)
        for (RFontData* entry = bucket.load(std::memory_order_acquire); entry; entry = entry->next)
            entry->SaveToNode(*root.NodeByPath(entry->NodePath(), true));
}
