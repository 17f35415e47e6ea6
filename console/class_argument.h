// Naming a class of the catalog on the command line: by its WMI class name (any case)
// or by its class identifier.
#pragma once
#include <string>

// The class identifier `text` names; 0 with a one-line `reason` when it names none (a
// name outside the catalog, or an identifier outside 1000..1301).
int ClassIdFromArgument(const std::string& text, std::string& reason);

// The property of the class's catalog list whose name equals `name` without regard to
// case; nullptr when the class has no such property.
const wchar_t* FindClassProperty(int classId, const std::string& name);
