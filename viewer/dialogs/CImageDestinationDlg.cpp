#include "CImageDestinationDlg.h"

#include "framework/except/CException.h"
#include "toolkit/COXMetaFile.h"

#include <QFileDialog>
#include <QLabel>
#include <QPushButton>

namespace {

CImageDestinationDlg::FilePrompt& filePrompt()
{
    static CImageDestinationDlg::FilePrompt prompt;
    return prompt;
}

QString askFileName(QWidget* parent)
{
    QFileDialog dialog(parent, QStringLiteral("Save As"));
    dialog.setObjectName(QStringLiteral("bitmapFileDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(COXMetaFile::NameFilters(CImageDestinationDlg::kFilter));
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    // Qt's save dialog asks before it replaces a file, as the platform's
    // overwrite prompt does.
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

} // namespace

const QString CImageDestinationDlg::kFilter = QStringLiteral("Windows Bitmap (*.bmp)|*.bmp|All Files (*.*)|*.*||");

void CImageDestinationDlg::SetFilePrompt(FilePrompt prompt) { filePrompt() = std::move(prompt); }

CImageDestinationDlg::CImageDestinationDlg(QWidget* parent) : CDialog(IDD, parent)
{
    setWindowTitle(QStringLiteral("Select Image Destination"));
    setAccessibleName(QStringLiteral("Select Image Destination"));
    SetDialogSize(219, 77);
    const QString text = QStringLiteral("Select the destination for the captured image.\n\nThe file option will create a "
                                        "Windows Bitmap (BMP) at the same color depth as the display.");
    auto* label = AddDlgItem(new QLabel(text), IDC_EXPLANATION, 7, 7, 205, 42, QStringLiteral("Explanation"));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAccessibleDescription(text);

    auto* clipboard =
        AddDlgItem(new QPushButton(QStringLiteral("Clipboard")), IDC_CLIPBOARD, 7, 56, 64, 14, QStringLiteral("Clipboard"));
    clipboard->setAccessibleDescription(QStringLiteral("Put the captured image on the clipboard"));
    clipboard->setDefault(true);
    clipboard->setAutoDefault(true);
    auto* file = AddDlgItem(new QPushButton(QStringLiteral("File")), IDC_FILE, 77, 56, 64, 14, QStringLiteral("File"));
    file->setAccessibleDescription(QStringLiteral("Write the captured image to a Windows bitmap file"));
    file->setAutoDefault(false);
    auto* cancel = AddDlgItem(new QPushButton(QStringLiteral("Cancel")), IDCANCEL, 148, 56, 64, 14, QStringLiteral("Cancel"));
    cancel->setAccessibleDescription(QStringLiteral("Discard the captured image"));
    cancel->setAutoDefault(false);

    connect(clipboard, &QPushButton::clicked, this, [this] { onClipboard(); });
    connect(file, &QPushButton::clicked, this, [this] { onFile(); });
}

BOOL CImageDestinationDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_btnClipboard.SubclassDlgItem(IDC_CLIPBOARD, this);
    m_btnFile.SubclassDlgItem(IDC_FILE, this);
    m_btnCancel.SubclassDlgItem(IDCANCEL, this);
    if (QWidget* clipboard = GetDlgItem(IDC_CLIPBOARD))
        clipboard->setFocus();
    return FALSE;
}

void CImageDestinationDlg::onClipboard() { EndDialog(IDC_CLIPBOARD); }

void CImageDestinationDlg::onFile()
{
    try {
        const QString path = filePrompt() ? filePrompt()(this) : askFileName(this);
        if (path.isEmpty())
            return;
        m_strPathName = path;
        EndDialog(IDC_FILE);
    } catch (const CException& e) {
        e.ReportError(MB_OK);
    }
}
