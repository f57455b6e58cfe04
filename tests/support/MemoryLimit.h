#pragma once

// Runs work in a child process whose address space is limited, so that a test
// can show that something stays within a memory budget. The sanitizers'
// shadow memory does not fit such a limit: there the limit cannot be used.

#include <cstddef>
#include <functional>
#include <string>

// False in a build with AddressSanitizer or ThreadSanitizer.
bool AddressSpaceLimitsWork();

// The address space this process uses now, in bytes.
std::size_t AddressSpaceInUse();

struct ChildResult
{
    int m_nExitCode = -1; // the child's exit status, -1 when it did not exit
    int m_nSignal = 0;    // the signal that ended it, 0 when it exited
    bool m_bOutOfMemory = false; // an allocation failed (std::bad_alloc)

    std::string Describe() const;
};

// Forks; the child limits its address space to limitBytes, runs work and exits
// with its result (an uncaught std::bad_alloc exits as out of memory).
ChildResult RunWithAddressSpaceLimit(std::size_t limitBytes, const std::function<int()>& work);
