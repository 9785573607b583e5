#pragma once
// The viewer's document: one opened image file.
#include "framework/doc/CDocument.h"

class CLumivueDoc : public CDocument {
public:
    CLumivueDoc();
    ~CLumivueDoc() override;

    void Serialize(CArchive& ar) override;

    // The document number: 1 for the first document of the process, then 2...
    int32_t m_nDocNumber = 0;
    // Full path of the file the document shows.
    QString m_strFileName;
};
