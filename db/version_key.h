// Version texts made comparable as texts: "1.2.10" sorts after "1.2.9" once every run of
// digits is padded to 20 digits ("00000000000000000001.00000000000000000002..."); the rest
// is compared without regard to case. The questions compare program versions with it, as
// the SQL function version_key (the store's database has one by the same rule).
#pragma once
#include <string>
#include <string_view>

std::string VersionKey(std::string_view version);
