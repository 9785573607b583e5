#include "CDateTimeDlg.h"

#include "owutil/debug/MsgBox.h"
#include "toolkit/COXMonthCalCtrl.h"

#include "framework/dialog/DDX.h"

#include <QLabel>
#include <QPushButton>
#include <QTimeZone>

#include <algorithm>
#include <ctime>

namespace {

const QString kFormat = QStringLiteral("MM'/'dd'/'yyy' 'hh':'mm':'ss' 'tt");

QDateTime fromSeconds(int64_t seconds) { return QDateTime::fromSecsSinceEpoch(seconds, Qt::LocalTime); }

} // namespace

CDateTimeDlg::CDateTimeDlg(QWidget* parent) : CDialog(IDD, parent)
{
    // Template 1004, in dialog units.
    setWindowTitle(QStringLiteral("Pick Time & Date"));
    SetDialogSize(200, 62);
    auto* prompt = AddDlgItem(new QLabel(QStringLiteral("Prompt")), IDC_PROMPT, 7, 7, 130, 24, QStringLiteral("Prompt"));
    prompt->setWordWrap(true);
    prompt->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    AddDlgItem(&m_DateTime, IDC_DATETIME, 7, 35, 130, 14, QStringLiteral("Date and time"));
    m_DateTime.setAccessibleDescription(QStringLiteral("Month/day/year hours:minutes:seconds AM or PM"));
    prompt->setBuddy(&m_DateTime);
    auto* ok = AddDlgItem(new QPushButton(QStringLiteral("OK")), IDOK, 143, 7, 50, 14, QStringLiteral("OK"));
    ok->setDefault(true);
    AddDlgItem(new QPushButton(QStringLiteral("Cancel")), IDCANCEL, 143, 24, 50, 14, QStringLiteral("Cancel"));
    connect(&m_DateTime, &COXDateTimeCtrl::dropDown, this, &CDateTimeDlg::onDropDown);
}

CDateTimeDlg::~CDateTimeDlg() = default;

int64_t CDateTimeDlg::StandardBias()
{
    // The zone's current rules: its standard offset now, whether or not
    // daylight saving is in force.
    const QTimeZone zone = QTimeZone::systemTimeZone();
    if (zone.isValid())
        return -int64_t(zone.standardTimeOffset(QDateTime::currentDateTimeUtc()));
    tzset();
    return int64_t(timezone);
}

void CDateTimeDlg::Setup(const QString& prompt, uint32_t* time)
{
    m_strPrompt = prompt;
    m_pTime = time;
    m_nBias = StandardBias();
    if (time != nullptr)
        m_nShown = int64_t(*time) + m_nBias;
}

void CDateTimeDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PROMPT, m_strPrompt);
}

BOOL CDateTimeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_strPrompt.isEmpty())
        m_DateTime.setAccessibleName(m_strPrompt);
    // Only times that fit the caller's 32-bit value can be picked.
    m_DateTime.SetRange(fromSeconds(m_nBias), fromSeconds(int64_t(UINT32_MAX) + m_nBias));
    if (!m_DateTime.SetFormat(kFormat))
        OWDebug::MsgBox(QStringLiteral("Error: Unable to set the time/date format!"), QString(), MB_OK);
    if (m_pTime == nullptr || !m_DateTime.SetTime(fromSeconds(m_nShown)))
        OWDebug::MsgBox(QStringLiteral("Error: Unable to set the time/date!"), QString(), MB_OK);
    m_DateTime.setFocus();
    return TRUE;
}

void CDateTimeDlg::onDropDown()
{
    if (COXMonthCalCtrl* calendar = m_DateTime.GetMonthCalCtrl()) {
        calendar->ModifyStyle(0, MCS_NOTODAYCIRCLE | MCS_NOTODAY);
        calendar->EnableToolTips(TRUE);
    }
}

void CDateTimeDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    QDateTime picked;
    if (m_DateTime.GetTime(picked)) {
        if (m_pTime != nullptr) {
            const int64_t local = picked.toSecsSinceEpoch() - m_nBias;
            *m_pTime = uint32_t(std::clamp<int64_t>(local, 0, UINT32_MAX));
        }
    } else {
        OWDebug::MsgBox(QStringLiteral("Error: Unable to retreive the time/date!"), QString(), MB_OK);
    }
    EndDialog(IDOK);
}
