#include "las/las_column.h"

RLasColumn RLasColumn::ReadingCurve(const RLasCurve& curve)
{
    RLasColumn column;
    column.curve_ = &curve;
    return column;
}

RLasColumn& RLasColumn::operator=(const RLasColumn& other)
{
    if (this != &other) {
        values_ = other.Values();
        curve_ = nullptr;
        FileStyle = other.FileStyle;
    }
    return *this;
}

TDoubleArray RLasColumn::Values() const { return curve_ ? curve_->Values() : values_; }

namespace {

template <typename Other>
bool SameValues(const RLasColumn& a, const Other& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t row = 0; row < a.size(); ++row)
        if (!(a[row] == b[row]))
            return false;
    return true;
}

}  // namespace

bool operator==(const RLasColumn& a, const RLasColumn& b) { return SameValues(a, b); }
bool operator==(const RLasColumn& a, const TDoubleArray& b) { return SameValues(a, b); }
