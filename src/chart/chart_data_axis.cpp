#include "chart/chart_data_axis.h"

std::string_view RChartDataAxis::Name(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return names_[std::size_t(index)];
}
