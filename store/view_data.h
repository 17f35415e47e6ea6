// The CREATE VIEW statements of the store, generated from store/views.sql with their
// placeholders for values expanded ({big} and {real} are left for the database's types),
// and how the tables the store keeps of the latest checks are filled.
#pragma once
#include <span>

struct KeptTable {
    const char* table;
    const char* fillAll;          // INSERT ... SELECT of the rows of every computer's latest check
    const char* fillOne;          // the same of one computer's, whose id each of its "?" binds
    int computerParameters;       // how many "?" fillOne holds
};

std::span<const char* const> StoreViewStatements();
std::span<const KeptTable> KeptTables();
