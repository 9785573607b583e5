#include "CPreferencesDlg.h"

#include "framework/app/CWinApp.h"
#include "framework/dialog/CDataExchange.h"
#include "framework/dialog/DDX.h"
#include "owutil/text/NumberText.h"
#include "viewer/resources/Resource.h"
#include "viewer/settings/SettingsNames.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

namespace {

// The radios in the order OK reads them, with their fit options.
constexpr struct {
    int id;
    int fitOption;
} kRadios[] = {{CPreferencesDlg::IDC_ZOOM_FACTOR, 0}, {CPreferencesDlg::IDC_FIT_X, 2},
               {CPreferencesDlg::IDC_FIT_Y, 3},       {CPreferencesDlg::IDC_FIT_PAGE, 1},
               {CPreferencesDlg::IDC_FIT_GIVEN_X, 4}, {CPreferencesDlg::IDC_FIT_GIVEN_Y, 5}};

// The check boxes and their values, with the defaults of an empty profile.
struct CheckValue {
    int id;
    QString (*name)();
    int defaultValue;
};
const CheckValue kChecks[] = {
    {CPreferencesDlg::IDC_MAXIMIZE_CHILDREN, &Settings::MaximizeChildren, Settings::DefaultMaximizeChildren},
    {CPreferencesDlg::IDC_PERSISTENT_POS, &Settings::PersistentPos, 0},
    {CPreferencesDlg::IDC_MIN_TO_TRAY, &Settings::MinToTaskTray, 0},
    {CPreferencesDlg::IDC_CENTER_PRINTED, &Settings::CenterPrintedImage, 0},
};

// A command id as the help identifier a dialog takes: a signed 16-bit
// number, which puts the dialog's help on the command's topic.
int helpIdOf(UINT command) { return int(int16_t(uint16_t(command))); }

int readInt(const QString& name, int defaultValue)
{
    CWinApp* app = AfxGetApp();
    return app ? int(app->GetProfileInt(Settings::Section(), name, defaultValue)) : defaultValue;
}

QString readString(const QString& name)
{
    CWinApp* app = AfxGetApp();
    return app ? app->GetProfileString(Settings::Section(), name, QString()) : QString();
}

// A stored size in hundredths of a centimetre as centimetres. Nothing, 0
// or text that is no number is the default size; so is a negative size,
// which the size edit could not hand back.
double storedSize(const QString& name)
{
    long long size = OwUtil::Internal::ReadDecimal(readString(name));
    if (size <= 0 || size > INT32_MAX)
        size = Settings::DefaultGivenSize;
    return double(size) / 100.0;
}

} // namespace

CPreferencesDlg::CPreferencesDlg(QWidget* parent) : CDialog(IDD, parent)
{
    SetHelpID(helpIdOf(ID_PREFERENCES));
    buildTemplate();
}

CPreferencesDlg::~CPreferencesDlg() = default;

void CPreferencesDlg::buildTemplate()
{
    // Template 143, in dialog units.
    setWindowTitle(QStringLiteral("Preferences"));
    SetDialogSize(250, 171);
    auto* group = AddDlgItem(new QGroupBox(QStringLiteral("Default &Zoom Option")), -1, 7, 4, 236, 103,
                             QStringLiteral("Default Zoom Option"));
    group->setAccessibleDescription(QStringLiteral("How new documents are fitted in their windows"));
    const struct {
        int id;
        const char* text;
        const char* description;
    } radios[] = {
        {IDC_ZOOM_FACTOR, "Use Zoom Factor", "New documents show at the zoom factor beside"},
        {IDC_FIT_X, "Fit in X", "New documents fit the window's width"},
        {IDC_FIT_Y, "Fit in Y", "New documents fit the window's height"},
        {IDC_FIT_PAGE, "Fit to Page", "New documents fit entirely in the window"},
        {IDC_FIT_GIVEN_X, "Fit to Given X", "New documents fit the width given beside"},
        {IDC_FIT_GIVEN_Y, "Fit to Given Y", "New documents fit the height given beside"},
    };
    int y = 18;
    for (const auto& r : radios) {
        auto* radio = AddDlgItem(new QRadioButton(QString::fromLatin1(r.text)), r.id, 14, y, 100, 10,
                                 QString::fromLatin1(r.text));
        radio->setAccessibleDescription(QString::fromLatin1(r.description));
        connect(radio, &QAbstractButton::clicked, this, [this] { applyEnablingRule(); });
        y += 14;
    }
    // Placeholders for the unit edits, which the first exchange puts here.
    const struct {
        int id, y;
        const char* name;
        const char* description;
    } edits[] = {
        {IDC_ZOOM_EDIT, 17, "Zoom factor", "The default zoom factor, in percent"},
        {IDC_XSIZE_EDIT, 73, "Given width", "The width to fit, with its unit (cm, mm, m, in, ft)"},
        {IDC_YSIZE_EDIT, 87, "Given height", "The height to fit, with its unit (cm, mm, m, in, ft)"},
    };
    for (const auto& e : edits) {
        auto* edit = AddDlgItem(new QLineEdit, e.id, 120, e.y, 80, 12, QString::fromLatin1(e.name));
        edit->setAccessibleDescription(QString::fromLatin1(e.description));
    }
    const struct {
        int id;
        const char* text;
        const char* name;
    } checks[] = {
        {IDC_MAXIMIZE_CHILDREN, "&Maximize children on open", "Maximize children on open"},
        {IDC_PERSISTENT_POS, "&Retain application window position between sessions",
         "Retain application window position between sessions"},
        {IDC_MIN_TO_TRAY, "Minimize application to the &task tray", "Minimize application to the task tray"},
        {IDC_CENTER_PRINTED, "Center image when printing", "Center image when printing"},
    };
    y = 111;
    for (const auto& c : checks) {
        auto* check = AddDlgItem(new QCheckBox(QString::fromLatin1(c.text)), c.id, 7, y, 236, 10,
                                 QString::fromLatin1(c.name));
        check->setAccessibleDescription(QString::fromLatin1(c.name));
        y += 11;
    }
    auto* ok = AddDlgItem(new QPushButton(QStringLiteral("OK")), IDOK, 139, 155, 50, 14, QStringLiteral("OK"));
    ok->setDefault(true);
    ok->setAccessibleDescription(QStringLiteral("Store the preferences"));
    auto* cancel =
        AddDlgItem(new QPushButton(QStringLiteral("Cancel")), IDCANCEL, 193, 155, 50, 14, QStringLiteral("Cancel"));
    cancel->setAccessibleDescription(QStringLiteral("Close without storing anything"));
}

int CPreferencesDlg::RadioOfFitOption(int fitOption)
{
    for (const auto& r : kRadios)
        if (r.fitOption == fitOption)
            return r.id;
    return 0;
}

int CPreferencesDlg::FitOptionOfRadio(int radioId)
{
    for (const auto& r : kRadios)
        if (r.id == radioId)
            return r.fitOption;
    return 0;
}

void CPreferencesDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ZOOM_EDIT, m_zoomEdit);
    DDX_Control(pDX, IDC_XSIZE_EDIT, m_xSizeEdit);
    DDX_Control(pDX, IDC_YSIZE_EDIT, m_ySizeEdit);
    // Unit 0 of each table: percent and centimetres.
    CPercentEdit::DDX_PercentEdit(pDX, IDC_ZOOM_EDIT, m_dZoom, 0);
    CSizeEdit::DDX_SizeEdit(pDX, IDC_XSIZE_EDIT, m_dXSize, 0);
    CSizeEdit::DDX_SizeEdit(pDX, IDC_YSIZE_EDIT, m_dYSize, 0);
    if (m_coolButtons[0].GetButton() == nullptr) {
        const int ids[] = {IDC_ZOOM_FACTOR,       IDC_FIT_X,          IDC_FIT_Y,       IDC_FIT_PAGE,
                           IDC_FIT_GIVEN_X,       IDC_FIT_GIVEN_Y,    IDOK,            IDCANCEL,
                           IDC_MAXIMIZE_CHILDREN, IDC_PERSISTENT_POS, IDC_MIN_TO_TRAY, IDC_CENTER_PRINTED};
        for (size_t i = 0; i < m_coolButtons.size(); ++i)
            m_coolButtons[i].SubclassDlgItem(ids[i], this);
    }
}

BOOL CPreferencesDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    CheckRadioButton(IDC_ZOOM_FACTOR, IDC_FIT_GIVEN_Y, RadioOfFitOption(readInt(Settings::FitOption(), 0)));

    double zoom = OwUtil::Internal::ReadDouble(readString(Settings::Zoom()));
    if (!(zoom >= Settings::MinZoom))
        zoom = 1.0;
    m_dZoom = zoom * 100.0;
    m_zoomEdit.SetValue(m_dZoom, -1);

    m_dXSize = storedSize(Settings::XSize());
    m_xSizeEdit.SetValue(m_dXSize, -1);
    m_dYSize = storedSize(Settings::YSize());
    m_ySizeEdit.SetValue(m_dYSize, -1);

    for (const CheckValue& c : kChecks)
        CheckDlgButton(c.id, UINT(readInt(c.name(), c.defaultValue) != 0));

    applyEnablingRule();
    UpdateData(false);
    return TRUE;
}

void CPreferencesDlg::applyEnablingRule()
{
    const std::pair<int, int> pairs[] = {
        {IDC_ZOOM_EDIT, IDC_ZOOM_FACTOR}, {IDC_XSIZE_EDIT, IDC_FIT_GIVEN_X}, {IDC_YSIZE_EDIT, IDC_FIT_GIVEN_Y}};
    for (const auto& [edit, radio] : pairs)
        if (QWidget* w = GetDlgItem(edit))
            w->setEnabled(IsDlgButtonChecked(radio) != 0);
}

void CPreferencesDlg::OnOK()
{
    // A value that does not transfer has been reported by its edit, which
    // has the focus: nothing is written and the dialog stays open.
    if (!UpdateData(true))
        return;
    writeSettings();
    CDialog::OnOK();
}

void CPreferencesDlg::writeSettings()
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    const QString section = Settings::Section();

    int fitOption = 0;
    for (const auto& r : kRadios)
        if (IsDlgButtonChecked(r.id)) {
            fitOption = r.fitOption;
            break;
        }
    app->WriteProfileInt(section, Settings::FitOption(), fitOption);

    double zoom = m_dZoom / 100.0;
    if (zoom < Settings::MinZoom)
        zoom = 1.0;
    else if (zoom > Settings::MaxZoom)
        zoom = Settings::MaxZoom;
    app->WriteProfileString(section, Settings::Zoom(), QString::asprintf("%.2lf", zoom));

    const auto writeSize = [&](const QString& name, double centimetres) {
        double size = centimetres * 100.0;
        if (size < 0)
            size = Settings::DefaultGivenSize;
        // Truncated toward zero; a size beyond the integers is the largest one.
        const long long whole = size >= double(INT32_MAX) ? INT32_MAX : (long long)std::trunc(size);
        app->WriteProfileString(section, name, QString::asprintf("%d", int(whole)));
    };
    writeSize(Settings::XSize(), m_dXSize);
    writeSize(Settings::YSize(), m_dYSize);

    for (const CheckValue& c : kChecks)
        app->WriteProfileInt(section, c.name(), int(IsDlgButtonChecked(c.id)));
}
