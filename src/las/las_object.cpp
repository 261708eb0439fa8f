#include "las/las_object.h"

#include "container/data_container.h"

bool RLasObject::LoadFromFile(const std::string& path)
{
    RDataContainer container;
    if (!container.LoadFromFile(path))
        return false;
    LoadFromNode(container);
    return true;
}

void RLasObject::SaveToFile(const std::string& path) const
{
    RDataContainer container;
    SaveToNode(container);
    container.SaveToFile(path, 0);
}
