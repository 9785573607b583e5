#pragma once
// "Select Image Destination": where a captured bitmap goes. Clipboard
// ends the dialog with IDYES (6); File asks for a bitmap file name and
// ends it with IDNO (7) once a name is chosen (a cancelled file dialog
// leaves this dialog open); Cancel ends it with IDCANCEL.
#include "framework/dialog/CDialog.h"
#include "toolkit/COXCoolButton.h"

#include <QString>
#include <functional>

class CImageDestinationDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 146 };
    enum { IDC_EXPLANATION = 1000 };
    enum { IDC_CLIPBOARD = IDYES, IDC_FILE = IDNO };

    explicit CImageDestinationDlg(QWidget* parent = nullptr);

    // The bitmap file chosen with File; empty before.
    QString m_strPathName;

    // The file prompt: the dialog as parent, the chosen path out (empty
    // when cancelled). Tests replace it; null restores the file dialog.
    using FilePrompt = std::function<QString(QWidget* parent)>;
    static void SetFilePrompt(FilePrompt prompt);
    static const QString kFilter;

protected:
    BOOL OnInitDialog() override;

private:
    void onClipboard();
    void onFile();

    COXCoolButton m_btnClipboard;
    COXCoolButton m_btnFile;
    COXCoolButton m_btnCancel;
};
