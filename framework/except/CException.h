#pragma once
// The framework's own exceptions: the only exceptions the system throws.
// Failures are otherwise results. A handler that meets one reports it with
// the standard error box (ReportError) and goes on.
#include "platform/types/Win32Types.h"

#include <QString>
#include <exception>

class CException : public std::exception {
public:
    CException() = default;
    explicit CException(QString message) : m_message(std::move(message)) {}
    ~CException() override = default;

    // The exception's own text.
    virtual QString GetErrorMessage() const;
    // The framework's standard error box: the exception's text, OK button,
    // critical icon. Returns the button pressed.
    int ReportError(UINT type = MB_OK, const QString& fallback = QString()) const;

    const char* what() const noexcept override;

protected:
    QString m_message;

private:
    mutable QByteArray m_what;
};

class CMemoryException : public CException {
public:
    CMemoryException();
};

class CNotSupportedException : public CException {
public:
    CNotSupportedException();
};

class CResourceException : public CException {
public:
    CResourceException();
};

class CUserException : public CException {
public:
    CUserException();
};

class CArchiveException : public CException {
public:
    enum Cause { none, genericException, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };
    explicit CArchiveException(Cause cause = none, QString fileName = QString());
    Cause m_cause;
    QString m_strFileName;
};

class CFileException : public CException {
public:
    enum Cause {
        none, genericException, fileNotFound, badPath, tooManyOpenFiles, accessDenied,
        invalidFile, removeCurrentDir, directoryFull, badSeek, hardIO, sharingViolation,
        lockViolation, diskFull, endOfFile
    };
    explicit CFileException(Cause cause = none, int osError = 0, QString fileName = QString());
    QString GetErrorMessage() const override;

    // The cause that an errno value means.
    static Cause OsErrorToCause(int osError);

    Cause m_cause;
    int m_lOsError;
    QString m_strFileName;
};

// AfxMessageBox: the framework's message box, captioned with the application name.
int AfxMessageBox(const QString& text, UINT type = MB_OK);
