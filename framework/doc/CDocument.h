#pragma once
// The framework's document: one opened file, shown by one or more views.
#include "framework/cmd/CCmdTarget.h"
#include "framework/file/CArchive.h"

#include <QString>
#include <vector>

class CDocTemplate;
class CView;
class CFrameWnd;

class CDocument : public CCmdTarget {
public:
    CDocument();
    ~CDocument() override;

    const QString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const QString& title);
    const QString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(const QString& path, bool addToMRU = true);

    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& GetViews() const { return m_viewList; }
    // Renumbers the titles of the document's windows ("name:1", "name:2").
    void UpdateFrameCounts();
    // Tells every view but sender that the document changed.
    void UpdateAllViews(CView* sender, intptr_t hint = 0, CObject* hintObject = nullptr);

    virtual BOOL OnNewDocument();
    // Opens the file, reads it through Serialize; reports failures.
    virtual BOOL OnOpenDocument(const QString& path);
    virtual BOOL OnSaveDocument(const QString& path);
    // Closes every frame showing the document, then deletes it.
    virtual void OnCloseDocument();
    virtual void DeleteContents() {}
    virtual void Serialize(CArchive& ar);
    virtual BOOL CanCloseFrame(CFrameWnd* frame);
    virtual BOOL SaveModified();
    virtual void ReportSaveLoadException(const QString& path, const CException* e, bool saving, UINT defaultPrompt);

    // Document, then its template.
    bool OnCmdMsg(UINT id, CCmdUI* update) override;

    // The framework's "Send..." command: mails the document's file.
    void OnFileSendMail();
    void OnUpdateFileSendMail(CCmdUI* cmdUI);

    bool m_bAutoDelete = true;

protected:
    friend class CDocTemplate;
    CDocTemplate* m_pDocTemplate = nullptr;
    QString m_strTitle;
    QString m_strPathName;
    bool m_bModified = false;
    std::vector<CView*> m_viewList;

private:
    bool m_closing = false;
};
