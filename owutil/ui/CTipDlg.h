#pragma once
// "Tip of the Day" (template 1002): one tip of a tips file at a time in a
// painted frame with a bulb, a "Next tip" button and the caller's "Show
// tips on startup" flag. The file position of the next tip is handed back
// to the caller when the dialog goes, and kept while the file's time stamp
// stays the one the caller has; a changed file starts again at its top.
#include "owutil/ui/CTipsFile.h"

#include "framework/dialog/CDialog.h"

#include <QPixmap>
#include <QString>

class CTipDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 1002 };
    enum {
        IDC_TIPFRAME = 1002,
        IDC_TIPSTRING = 1003,
        IDC_BULB = 1004,
        IDC_STARTUP = 1005,
        IDC_NEXTTIP = 1006,
    };

    explicit CTipDlg(QWidget* parent = nullptr);
    ~CTipDlg() override;

    // fileName: the tips file. position: where to start (read and, when the
    // dialog goes, written back); showAtStartup: the check box's state (OK
    // writes it back); stamp, stampSize: the caller's copy of the file's
    // time stamp (at most stampSize - 1 characters, zero-filled), replaced
    // when the file changed. Any pointer may be null.
    void Setup(const QString& fileName, int* position, int* showAtStartup, char* stamp, int stampSize);

    // Without a readable tips file: a beep and IDOK, nothing shown.
    INT_PTR DoModal() override;

    const QString& CurrentTip() const { return m_strTip; }
    int StartupState() const { return m_bStartup; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void readNextTip();
    void onNextTip();
    // Painting of the frame (CTipDlgPaint.cpp).
    void paintFrame(QWidget* frame, const QRegion& region);
    QRect itemRectIn(int id, const QWidget* frame) const;
    QPixmap bulb(qreal devicePixelRatio) const;

    int* m_pPosition = nullptr;
    int* m_pStartup = nullptr;
    int m_bStartup = 1;
    QString m_strTip;
    CTipsFile m_file;
    mutable QPixmap m_bulb;
};
