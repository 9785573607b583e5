#pragma once
// The application's document templates and what spans them: opening a file
// with the best template, the open dialog's filter list, closing all.
#include "platform/types/Win32Types.h"

#include <QString>
#include <QStringList>
#include <vector>

class CDocTemplate;
class CDocument;

class CDocManager {
public:
    CDocManager() = default;
    ~CDocManager();
    CDocManager(const CDocManager&) = delete;
    CDocManager& operator=(const CDocManager&) = delete;

    // Takes ownership.
    void AddDocTemplate(CDocTemplate* tmpl);
    const std::vector<CDocTemplate*>& GetTemplates() const { return m_templates; }

    // The document already showing path is activated; otherwise the
    // template that knows the extension (or else the first) opens it.
    CDocument* OpenDocumentFile(const QString& path);
    // The open dialog's filters: one per template ("Enhanced Metafiles (*.emf)"),
    // then the framework's all-files entry.
    QStringList FilterList() const;
    // Runs the framework's file dialog; false when cancelled.
    bool DoPromptFileName(QString& fileName, const QString& title, bool openDialog);
    void OnFileOpen();

    int GetOpenDocumentCount() const;
    std::vector<CDocument*> GetDocuments() const;
    bool SaveAllModified();
    void CloseAllDocuments(bool endSession);

private:
    std::vector<CDocTemplate*> m_templates;
};
