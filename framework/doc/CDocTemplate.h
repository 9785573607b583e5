#pragma once
// A document template: the classes of one document type (document, frame,
// view), its resource id (document string, menu, icon) and its open documents.
#include "framework/cmd/CCmdTarget.h"

#include <QString>
#include <QStringList>
#include <vector>

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
public:
    // The seven newline-separated fields of the document string.
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };
    enum Confidence { noAttempt, maybeAttemptForeign, maybeAttemptNative, yesAttemptForeign, yesAttemptNative, yesAlreadyOpen };

    CDocTemplate(UINT nIDResource, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                 const CRuntimeClass* viewClass);
    ~CDocTemplate() override;

    virtual bool GetDocString(QString& out, DocStringIndex index) const;
    // The extensions of the filter field (".emf"; several separated by ';').
    QStringList FilterExtensions() const;

    virtual Confidence MatchDocType(const QString& path, CDocument*& match) const;
    virtual CDocument* CreateNewDocument();
    virtual CFrameWnd* CreateNewFrame(CDocument* doc, CFrameWnd* other);
    virtual void InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, bool makeVisible = true);
    // Opens path in a new document and window; null (after the framework's
    // message) when the file cannot be opened.
    virtual CDocument* OpenDocumentFile(const QString& path, bool makeVisible = true);

    virtual void AddDocument(CDocument* doc);
    virtual void RemoveDocument(CDocument* doc);
    const std::vector<CDocument*>& GetDocuments() const { return m_docList; }
    void CloseAllDocuments(bool endSession);
    bool SaveAllModified();

    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;

protected:
    QString m_strDocStrings;
    std::vector<CDocument*> m_docList;
};

// The template of a multiple-document application: any number of
// documents, each in its own MDI child frame.
class CMultiDocTemplate : public CDocTemplate {
public:
    using CDocTemplate::CDocTemplate;
};
