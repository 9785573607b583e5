#pragma once
// The Preferences dialog: the eight values of the profile section
// "Settings". Opening reads them, OK writes them all, Cancel writes
// nothing. Nothing is re-applied to open windows: each reader reads its
// value the next time it needs it.
//
// When an edit holds a value that does not transfer (an unknown unit, text
// that is no number), OK writes nothing and the dialog stays open until the
// value is corrected or the dialog is cancelled.
#include "framework/dialog/CDialog.h"
#include "toolkit/COXCoolButton.h"
#include "toolkit/COXHotTrackEdit.h"
#include "viewer/dialogs/CPercentEdit.h"
#include "viewer/dialogs/CSizeEdit.h"

#include <array>

class CPreferencesDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 143 };
    enum {
        IDC_ZOOM_FACTOR = 1002,
        IDC_FIT_X = 1004,
        IDC_FIT_Y = 1005,
        IDC_FIT_PAGE = 1006,
        IDC_FIT_GIVEN_X = 1007,
        IDC_FIT_GIVEN_Y = 1008,
        IDC_ZOOM_EDIT = 1009,
        IDC_XSIZE_EDIT = 1010,
        IDC_YSIZE_EDIT = 1011,
        IDC_MAXIMIZE_CHILDREN = 1025,
        IDC_PERSISTENT_POS = 1026,
        IDC_MIN_TO_TRAY = 1027,
        IDC_CENTER_PRINTED = 1028,
    };

    explicit CPreferencesDlg(QWidget* parent = nullptr);
    ~CPreferencesDlg() override;

    // The values as the dialog holds them: zoom in percent, sizes in cm.
    double ZoomPercent() const { return m_dZoom; }
    double GivenWidth() const { return m_dXSize; }
    double GivenHeight() const { return m_dYSize; }

    // The radio of a fit option, 0 for an option that has none; and back.
    static int RadioOfFitOption(int fitOption);
    static int FitOptionOfRadio(int radioId);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void buildTemplate();
    // Each edit is enabled exactly while its radio is checked.
    void applyEnablingRule();
    void writeSettings();

    double m_dZoom = 1.0;
    double m_dXSize = 20.32;
    double m_dYSize = 20.32;
    COXHotTrackEdit<CPercentEdit> m_zoomEdit;
    COXHotTrackEdit<CSizeEdit> m_xSizeEdit;
    COXHotTrackEdit<CSizeEdit> m_ySizeEdit;
    // Six radios, four check boxes, OK and Cancel.
    std::array<COXCoolButton, 12> m_coolButtons;
};
