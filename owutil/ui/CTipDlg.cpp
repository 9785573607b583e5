#include "CTipDlg.h"

#include "framework/dialog/DDX.h"
#include "framework/except/CException.h"
#include "owutil/resources/OwUtilModule.h"
#include "owutil/resources/OwUtilStringIds.h"
#include "owutil/text/ResString.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <cstring>

CTipDlg::CTipDlg(QWidget* parent) : CDialog(IDD, parent)
{
    // Template 1002, in dialog units.
    setWindowTitle(QStringLiteral("Tip of the Day"));
    SetDialogSize(270, 157);
    auto* frame = AddDlgItem(new QFrame, IDC_TIPFRAME, 7, 7, 256, 122, QStringLiteral("Tip of the Day"));
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->installEventFilter(this);
    AddDlgItem(new QLabel, IDC_BULB, 14, 10, 16, 20, QString())->setVisible(false);
    AddDlgItem(new QLabel(QStringLiteral("IDC_TIPSTRING")), IDC_TIPSTRING, 50, 42, 206, 82, QString())
        ->setVisible(false);
    AddDlgItem(new QCheckBox(QStringLiteral("&Show tips on startup")), IDC_STARTUP, 7, 139, 140, 10,
               QStringLiteral("Show tips on startup"));
    auto* next = AddDlgItem(new QPushButton(QStringLiteral("Next tip")), IDC_NEXTTIP, 159, 136, 50, 14,
                            QStringLiteral("Next tip"));
    next->setAutoDefault(false);
    auto* ok = AddDlgItem(new QPushButton(QStringLiteral("OK")), IDOK, 213, 136, 50, 14, QStringLiteral("OK"));
    ok->setDefault(true);
    connect(next, &QPushButton::clicked, this, &CTipDlg::onNextTip);
}

CTipDlg::~CTipDlg()
{
    // Whichever way the dialog ended, the next call goes on after the last
    // tip shown.
    if (m_file.IsOpen()) {
        if (m_pPosition != nullptr)
            *m_pPosition = int(std::min<qint64>(m_file.Offset(), INT_MAX));
        m_file.Close();
    }
}

void CTipDlg::Setup(const QString& fileName, int* position, int* showAtStartup, char* stamp, int stampSize)
{
    m_pPosition = position;
    m_pStartup = showAtStartup;
    if (showAtStartup != nullptr)
        m_bStartup = *showAtStartup;
    qint64 start = position != nullptr ? *position : 0;

    if (!m_file.Open(fileName)) {
        m_strTip = OwUtil::ResString(IDS_TIP_FILE_ABSENT, OwUtilModule());
        return;
    }
    const QByteArray fileStamp = m_file.TimeStamp().toLatin1();
    if (stamp == nullptr || stampSize <= 0) {
        start = 0;
    } else if (QByteArray(stamp, qsizetype(strnlen(stamp, size_t(stampSize)))) != fileStamp) {
        start = 0;
        const size_t copied = std::min(size_t(fileStamp.size()), size_t(stampSize - 1));
        std::memset(stamp, 0, size_t(stampSize));
        std::memcpy(stamp, fileStamp.constData(), copied);
    }
    if (!m_file.Seek(start)) {
        AfxMessageBox(OwUtil::ResString(IDS_TIP_FILE_ERROR, OwUtilModule()));
        return;
    }
    readNextTip();
}

void CTipDlg::readNextTip()
{
    if (m_file.ReadTip(m_strTip) == CTipsFile::ReadFailed)
        AfxMessageBox(OwUtil::ResString(IDS_TIP_FILE_ERROR, OwUtilModule()));
}

INT_PTR CTipDlg::DoModal()
{
    if (!m_file.IsOpen()) {
        QApplication::beep();
        return IDOK;
    }
    return CDialog::DoModal();
}

void CTipDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_STARTUP, m_bStartup);
    if (QWidget* frame = GetDlgItem(IDC_TIPFRAME))
        frame->setAccessibleDescription(m_strTip.trimmed());
}

void CTipDlg::OnOK()
{
    CDialog::OnOK();
    if (result() == IDOK && m_pStartup != nullptr)
        *m_pStartup = m_bStartup;
}

void CTipDlg::onNextTip()
{
    // The check box keeps what the user made of it: read it before the
    // values go back to the controls.
    UpdateData(true);
    readNextTip();
    UpdateData(false);
    if (QWidget* frame = GetDlgItem(IDC_TIPFRAME))
        frame->update(itemRectIn(IDC_TIPSTRING, frame));
}
