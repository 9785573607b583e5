#pragma once
// The version block of a module file: product name, versions and legal texts
// (see platform/version/VersionResource.h for where a module keeps it).
#include "platform/types/Win32Types.h"
#include "platform/version/VersionResource.h"

#include <QString>

class COXVersionInfo {
public:
    COXVersionInfo() = default;

    // Reads the version block of fileName. Non-zero on success; on failure the
    // object holds no information.
    BOOL ReadInfo(const QString& fileName);
    BOOL ContainsValidInfo() const { return m_valid ? TRUE : FALSE; }
    void Empty();

    // The entry key (compared without regard to case), empty when absent.
    QString GetValue(const QString& key) const;
    const VersionEntries& Entries() const { return m_entries; }

    QString GetCompanyName() const { return GetValue(QStringLiteral("CompanyName")); }
    QString GetFileDescription() const { return GetValue(QStringLiteral("FileDescription")); }
    QString GetFileVersion() const { return GetValue(QStringLiteral("FileVersion")); }
    QString GetInternalName() const { return GetValue(QStringLiteral("InternalName")); }
    QString GetLegalCopyright() const { return GetValue(QStringLiteral("LegalCopyright")); }
    QString GetLegalTrademarks() const { return GetValue(QStringLiteral("LegalTrademarks")); }
    QString GetOriginalFileName() const { return GetValue(QStringLiteral("OriginalFilename")); }
    QString GetProductName() const { return GetValue(QStringLiteral("ProductName")); }
    QString GetProductVersion() const { return GetValue(QStringLiteral("ProductVersion")); }
    QString GetComments() const { return GetValue(QStringLiteral("Comments")); }
    QString GetPrivateBuild() const { return GetValue(QStringLiteral("PrivateBuild")); }
    QString GetSpecialBuild() const { return GetValue(QStringLiteral("SpecialBuild")); }

    // The four numbers of a version text ("9, 0, 0, 99" or "9.0.0.99") as the
    // platform packs them: major and minor in the high word (MS), patch and
    // build in the low word (LS). Missing numbers are 0; FALSE when the text
    // does not start with a number.
    static BOOL ParseVersion(const QString& text, DWORD& ms, DWORD& ls);

private:
    bool m_valid = false;
    VersionEntries m_entries;
};
