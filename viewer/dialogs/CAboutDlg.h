#pragma once
// The About box: the product name and version and the legal notice from the
// program's version block, in white on black beside the program's logo,
// with the maker's side banner along the bottom. The boxes of the logo and
// of the text are hidden controls of the template whose rectangles the
// layout manager keeps in place as the dialog is resized.
#include "framework/dialog/CDialog.h"
#include "platform/gdi/CBitmap.h"
#include "toolkit/COXCoolButton.h"
#include "toolkit/COXLayoutManager.h"

class COXDIB;
class CDC;

class CAboutDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 100 };
    enum { IDC_INFO_BOX = 1012, IDC_LOGO_BOX = 1014 };

    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

    // "<product> Version <major>.<minor>[.<patch>][ RC<build>]" from a
    // product version text "major, minor, patch, build"; build 99 (and 0)
    // marks a final release.
    static QString FormatVersionLine(const QString& productName, const QString& productVersion);

    // The module file whose version block is shown; by default the
    // running program's.
    void SetModulePath(const QString& path) { m_strModulePath = path; }

    QString VersionLine() const { return m_strVersion; }
    QString LegalNotice() const { return m_strLegal; }
    // The window height opening chose (caption included), 0 before.
    int WindowHeight() const { return m_nWindowHeight; }
    // The height of the window's caption, as the height rule counts it.
    int CaptionHeight() const;

    // Paints the client area into dc (logical pixels of the dialog).
    void PaintClientArea(CDC& dc);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void paintEvent(QPaintEvent* event) override;

private:
    void readVersion();
    QRect boxRect(int id) const;

    QString m_strModulePath;
    QString m_strVersion;
    QString m_strLegal;
    COXDIB* m_pSideBanner = nullptr;
    CBitmap m_logo;
    COXLayoutManager m_layoutManager;
    COXCoolButton m_closeButton;
    int m_nWindowHeight = 0;
};
