#include "CAboutDlg.h"

#include "framework/dialog/CDataExchange.h"
#include "owutil/draw/OwLogo.h"
#include "owutil/draw/TransparentBitmap.h"
#include "owutil/paths/SystemPaths.h"
#include "owutil/text/IniValues.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/QPainterBackend.h"
#include "toolkit/COXDIB.h"
#include "toolkit/COXVersionInfo.h"
#include "viewer/resources/Resource.h"
#include "viewer/resources/ViewerModule.h"

#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <memory>

namespace {

constexpr UINT kAboutCommand = 57664;

// A command id as the help identifier a dialog takes (see CDialog::OnHelp).
int helpIdOf(UINT command) { return int(int16_t(uint16_t(command))); }

// A hidden box whose rectangle the dialog paints into.
QPushButton* hiddenBox(const QString& name)
{
    auto* box = new QPushButton;
    box->setEnabled(false);
    box->setAccessibleName(name);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

} // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : CDialog(IDD, parent)
{
    SetHelpID(helpIdOf(kAboutCommand));
    setWindowTitle(QStringLiteral("About Lumivue"));
    setAccessibleName(QStringLiteral("About Lumivue"));
    // Template 100, in dialog units.
    resize(DialogUnits().MapSize(318, 237));
    AddDlgItem(hiddenBox(QStringLiteral("Logo")), IDC_LOGO_BOX, 5, 5, 50, 45, QStringLiteral("Logo"))->hide();
    AddDlgItem(hiddenBox(QStringLiteral("Information")), IDC_INFO_BOX, 70, 5, 240, 115, QStringLiteral("Information"))
        ->hide();
    auto* close = AddDlgItem(new QPushButton(QStringLiteral("&Close")), IDOK, 221, 216, 90, 14, QStringLiteral("Close"));
    close->setDefault(true);
    // The button sits on the black background and the banner: light text,
    // and a dark face when it rises under the pointer.
    QPalette dark = close->palette();
    dark.setColor(QPalette::ButtonText, QColor(255, 255, 255));
    dark.setColor(QPalette::Button, QColor(48, 56, 80));
    close->setPalette(dark);
    close->setAccessibleDescription(QStringLiteral("Close the About box"));
    m_strModulePath = OwUtil::GetModuleFileName(nullptr);
    // The dialog paints every pixel itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CAboutDlg::~CAboutDlg() { delete m_pSideBanner; }

QString CAboutDlg::FormatVersionLine(const QString& productName, const QString& productVersion)
{
    int major = 0, minor = 0, patch = 0, build = 0;
    OwUtil::IniRead(productVersion, "%d,%d,%d,%d", &major, &minor, &patch, &build);
    const QString patchText = patch != 0 ? QString::asprintf(".%d", patch) : QString();
    const QString candidate = build != 0 && build != 99 ? QString::asprintf(" RC%d", build) : QString();
    return QStringLiteral("%1 Version %2.%3%4%5").arg(productName).arg(major).arg(minor).arg(patchText, candidate);
}

void CAboutDlg::readVersion()
{
    std::unique_ptr<COXVersionInfo> info(OwUtil::GetVersionInfo(m_strModulePath));
    if (!info)
        return;
    m_strVersion = FormatVersionLine(info->GetProductName(), info->GetProductVersion());
    m_strLegal = info->GetLegalCopyright();
}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    if (!pDX->m_bSaveAndValidate) {
        m_strVersion.clear();
        m_strLegal.clear();
        readVersion();
        // The text is painted, not shown in a control: tell assistive
        // technology what it says.
        setAccessibleDescription(m_strLegal.isEmpty() ? m_strVersion : m_strVersion + QStringLiteral("\n\n") + m_strLegal);
    }
    if (m_closeButton.GetButton() == nullptr)
        m_closeButton.SubclassDlgItem(IDOK, this);
}

int CAboutDlg::CaptionHeight() const { return style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this); }

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    delete m_pSideBanner;
    m_pSideBanner = OwUtil::GetOWSideBanner();
    if (m_logo.m_hObject == nullptr)
        m_logo.LoadBitmap(ViewerModule(), IDB_ABOUTLOGO);

    m_layoutManager.Attach(this);
    m_layoutManager.SetConstraint(IDC_LOGO_BOX, OX_LMS_TOP | OX_LMS_LEFT, OX_LMT_SAME, 10);
    m_layoutManager.SetConstraint(IDC_LOGO_BOX, OX_LMS_RIGHT, OX_LMT_POSITION, 30);
    m_layoutManager.SetConstraint(IDC_INFO_BOX, OX_LMS_LEFT, OX_LMT_POSITION, 30);
    m_layoutManager.SetConstraint(IDC_INFO_BOX, OX_LMS_RIGHT, OX_LMT_SAME, -10);
    m_layoutManager.SetConstraint(IDC_INFO_BOX, OX_LMS_TOP, OX_LMT_SAME, 10);
    m_layoutManager.SetConstraint(IDOK, OX_LMS_RIGHT | OX_LMS_BOTTOM, OX_LMT_SAME, -10);

    QWidget* info = GetDlgItem(IDC_INFO_BOX);
    QWidget* logo = GetDlgItem(IDC_LOGO_BOX);
    QWidget* close = GetDlgItem(IDOK);
    info->resize(1, 150);
    m_layoutManager.RedrawLayout();

    CRect margin(0, 0, 10, 10);
    DialogUnits().MapDialogRect(margin);
    const int byText = info->geometry().top() + info->height() + CaptionHeight() + close->height() + margin.Height();
    const CRect client(0, 0, width(), height());
    const int byBanner =
        OwUtil::PaintClientAreaLogo(nullptr, client, m_pSideBanner) + logo->height() + 2 * margin.Height();
    m_nWindowHeight = byText >= byBanner ? byText : byBanner;
    // The height counts the caption; the window system adds it to the
    // client area that Qt sizes.
    resize(width(), std::max(1, m_nWindowHeight - CaptionHeight()));
    setMinimumSize(size());
    return TRUE;
}

QRect CAboutDlg::boxRect(int id) const
{
    QWidget* w = GetDlgItem(id);
    return w ? w->geometry() : QRect();
}

void CAboutDlg::PaintClientArea(CDC& dc)
{
    const CRect client(0, 0, width(), height());
    dc.FillSolidRect(&client, RGB(0, 0, 0));
    if (m_pSideBanner != nullptr)
        OwUtil::PaintClientAreaLogo(&dc, client, m_pSideBanner);
    if (m_logo.m_hObject != nullptr) {
        const QRect box = boxRect(IDC_LOGO_BOX);
        CRect logoRect(box.left(), box.top(), box.left() + box.width(), box.top() + box.height());
        OwUtil::DrawTransparentBitmap(dc, m_logo, logoRect);
    }
}

void CAboutDlg::paintEvent(QPaintEvent*)
{
    const qreal ratio = devicePixelRatioF();
    QImage surface((QSizeF(size()) * ratio).toSize(), QImage::Format_RGB32);
    {
        CDC dc(std::make_unique<QPainterBackend>(&surface));
        if (ratio != 1.0)
            dc.SetPlaybackTransform(QTransform::fromScale(ratio, ratio));
        PaintClientArea(dc);
    }
    {
        // The platform's DrawText with word breaks, no clipping and no
        // prefix characters, in the dialog's font.
        QPainter text(&surface);
        text.scale(ratio, ratio);
        text.setFont(font());
        text.setPen(QColor(255, 255, 255));
        QString body = m_strVersion;
        if (!m_strLegal.isEmpty())
            body += QStringLiteral("\n\n") + m_strLegal;
        text.drawText(QRectF(boxRect(IDC_INFO_BOX)), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextDontClip,
                      body);
    }
    surface.setDevicePixelRatio(ratio);
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), surface);
}
