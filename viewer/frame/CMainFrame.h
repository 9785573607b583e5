#pragma once
// The viewer's main window.
#include "framework/frame/CMDIFrameWnd.h"

class QLabel;

class CMainFrame : public CMDIFrameWnd {
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    int OnCreate(CCreateContext* context) override;
    // Stores the workspace, then closes as the framework does.
    void OnClose() override;

    // Shows a view's zoom factor as a whole percentage ("%d %%", truncated:
    // 0.999 shows "99 %").
    void SetZoomFactor(double zoom);
    double GetZoomFactor() const { return m_dZoomFactor; }
    // The percentage text of a zoom factor.
    static QString ZoomText(double zoom);

private:
    double m_dZoomFactor = 1.0;
    QLabel* m_zoomPane = nullptr;
};
