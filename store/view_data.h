// The CREATE VIEW statements of the store, generated from store/views.sql with their
// placeholders for values expanded ({big} and {real} are left for the database's types).
#pragma once
#include <span>

std::span<const char* const> StoreViewStatements();
