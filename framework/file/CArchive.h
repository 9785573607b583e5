#pragma once
// The framework's archive: a direction (loading or storing) over an open
// file. Documents read their file through it in Serialize.
#include "CFile.h"

class CDocument;

class CArchive {
public:
    enum Mode { store = 0, load = 1 };

    CArchive(CFile* file, Mode mode) : m_pFile(file), m_mode(mode) {}

    bool IsLoading() const { return m_mode == load; }
    bool IsStoring() const { return m_mode == store; }
    CFile* GetFile() const { return m_pFile; }

    UINT Read(void* buffer, UINT count) { return m_pFile->Read(buffer, count); }
    void Write(const void* buffer, UINT count) { m_pFile->Write(buffer, count); }

    // The document being loaded or stored, when the framework set it.
    CDocument* m_pDocument = nullptr;

private:
    CFile* m_pFile;
    Mode m_mode;
};
