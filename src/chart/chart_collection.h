#pragma once
// RChartCollection: the owned, ordered items of one of the chart's
// collections (axes, series). Items keep their address while they live, so
// the chart and the caller may hold on to them between changes.

#include <memory>
#include <vector>

template <class Item>
class RChartCollection {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    // None when out of range.
    Item* At(int index) const
    {
        return index >= 0 && index < Count() ? items_[std::size_t(index)].get() : nullptr;
    }
    // The item at a valid index.
    Item& operator[](int index) const { return *items_[std::size_t(index)]; }
    void Delete(int index)
    {
        if (index >= 0 && index < Count())
            items_.erase(items_.begin() + index);
    }
    void Clear() { items_.clear(); }
    int IndexOf(const Item* item) const
    {
        for (int i = 0; i < Count(); ++i)
            if (items_[std::size_t(i)].get() == item)
                return i;
        return -1;
    }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

protected:
    Item& Append(std::unique_ptr<Item> item)
    {
        items_.push_back(std::move(item));
        return *items_.back();
    }

private:
    std::vector<std::unique_ptr<Item>> items_;
};
