#pragma once
// The error a memory block (MemAlloc) throws when it is misused: an index
// outside the block, a block too large, or a heap that could not give one.
// The message comes from the library's string table and is kept in a field
// of 128 characters (longer messages are cut to 127).
#include <exception>
#include <typeinfo>

class xAllocException : public std::exception {
public:
    explicit xAllocException(const char* message);
    const char* what() const noexcept override { return m_text; }

    // The element type's name as run-time type information gives it ("char").
    static const char* TypeName(const std::type_info& type);

    // 27000: an element is requested while there is no block.
    [[noreturn]] static void ThrowNoBuffer(const char* typeName, unsigned index, unsigned elementSize);
    // 27001: index is not below the block's capacity.
    [[noreturn]] static void ThrowBadIndex(const char* typeName, unsigned index, unsigned count,
                                           unsigned capacity, unsigned elementSize);
    // 27002: a resize asks for more elements than a block may hold.
    [[noreturn]] static void ThrowTooLarge(const char* typeName, unsigned count, unsigned elementSize);
    // 27003: after a resize the block holds fewer elements than asked for.
    [[noreturn]] static void ThrowNotAllocated(const char* typeName, int wanted, int allocated,
                                               unsigned elementSize);

private:
    char m_text[128];
};
