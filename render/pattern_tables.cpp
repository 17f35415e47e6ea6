#include "render/pattern_tables.h"

UINT UnitSuffixFor(std::span<const UnitSuffix> units, int classId)
{
    for (const UnitSuffix& unit : units)
        if (unit.classes.Empty() || unit.classes.Contains(classId))
            return unit.id;
    return 0;
}
