// How mirelrep ends: its exit codes. When several apply, a failure (2 to 5, 7) wins over
// 6, and 6 over 8: data that are missing matter more than characters written as "?", and
// the warning about those is on standard error all the same.
#pragma once

enum class ExitCode {
    Success = 0,
    NoData = 1,
    Usage = 2,
    HostUnreachable = 3,
    WmiFailure = 4,
    FileError = 5,
    Incomplete = 6,       // written, but a reading broke off part way
    SomeFailed = 7,       // a run over many computers: not every one was OK
    CharactersLost = 8,   // written, some characters as "?" (ANSI)
    Changed = 9,          // /compare: the two checks differ
};
