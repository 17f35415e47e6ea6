// Which object of one check is which object of another: the identifying properties of a
// class (store/identity.tsv) and the properties that change by themselves
// (store/volatile.tsv).
#pragma once
#include <string>
#include <vector>

#include "store/stored_check.h"

// The identity rule of a class for a part that read `properties`: the first alternative
// of its rule whose properties were all read ("Name", "Domain,Name"), "-" for one object
// per computer, "*" when nothing identifies its objects but their values (also for a class
// the program does not know).
std::string IdentityRuleFor(const std::string& className, const std::vector<std::string>& properties);

// True for a property whose value changes by itself; every property of a volatile class.
bool IsVolatileProperty(const std::string& className, const std::string& property);
// True for a class whose objects come and go by themselves (processes, sessions...).
bool IsVolatileClass(const std::string& className);

// The properties an administrator recognises an object of the class by (store/recognised.tsv):
// "DisplayName", "PathName" for a service; none for a class not listed.
std::vector<std::string> RecognisingProperties(const std::string& className);

// Sets the identity of every object of the part from its rule: "Name=BITS",
// "Domain=PC01;Name=Guest" from the raw values (the shown text where none was kept); ""
// under "-"; the digest of its values under "*". An identity met again in the same part
// gets "#2", "#3".
void AssignIdentities(StoredPart& part);

// The identity folded for matching: the same object spelt in another case is the same.
std::string IdentityMatchKey(const std::string& identity);
