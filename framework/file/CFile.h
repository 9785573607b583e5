#pragma once
// The framework's binary file: unbuffered reads and writes on a file
// descriptor. Open reports failure through its result (and the optional
// exception record); Read, Write and Seek on an open file throw
// CFileException when the system refuses.
#include "framework/except/CException.h"
#include "platform/types/Win32Types.h"

#include <QString>
#include <cstdint>

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    CFile() = default;
    // Opens at once; throws CFileException on failure.
    CFile(const QString& fileName, UINT openFlags);
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    virtual BOOL Open(const QString& fileName, UINT openFlags, CFileException* error = nullptr);
    virtual void Close();
    // Closes without throwing, whatever the state.
    virtual void Abort();

    virtual UINT Read(void* buffer, UINT count);
    virtual void Write(const void* buffer, UINT count);
    virtual uint64_t Seek(int64_t offset, UINT from);
    uint64_t SeekToBegin() { return Seek(0, begin); }
    uint64_t SeekToEnd() { return Seek(0, end); }
    virtual uint64_t GetPosition() const;
    virtual uint64_t GetLength() const;
    virtual void SetLength(uint64_t length);
    virtual void Flush();

    bool IsOpen() const { return m_fd >= 0; }
    // The full path given to Open, and its file part.
    QString GetFilePath() const { return m_strFilePath; }
    QString GetFileName() const;

protected:
    [[noreturn]] void ThrowOsError(int osError) const;

    int m_fd = -1;
    QString m_strFilePath;
};
