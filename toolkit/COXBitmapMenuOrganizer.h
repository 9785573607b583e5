#pragma once
// Images beside the menu commands of a frame: taken from the frame's
// toolbars (AutoSetMenuImage) and from bitmap resources (SetMenuBitmap).
// The images follow the frame's menus as they are rebuilt.
#include "platform/types/Win32Types.h"

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <map>

#include <QMainWindow>
class QMenu;

class COXBitmapMenuOrganizer : public QObject {
    Q_OBJECT
public:
    COXBitmapMenuOrganizer();
    ~COXBitmapMenuOrganizer() override;

    BOOL AttachFrameWnd(QMainWindow* frame);
    void DetachFrameWnd();
    // Every toolbar button of the frame gives its image to its command.
    BOOL AutoSetMenuImage();
    // The image of bitmap resource nBitmapID beside command nCommandID.
    // FALSE when the resource is missing.
    BOOL SetMenuBitmap(UINT nCommandID, UINT nBitmapID);

    // The image registered for a command (null when none).
    QIcon GetMenuImage(UINT nCommandID) const;
    size_t GetImageCount() const { return m_images.size(); }
    // The commands in the order their images were first registered.
    const std::vector<UINT>& GetCommandOrder() const { return m_order; }

    // Gives the images to every menu of the frame now.
    void ApplyToMenus();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyTo(QMenu* menu);
    void setImage(UINT id, const QIcon& icon);

    QPointer<QMainWindow> m_frame;
    std::map<UINT, QIcon> m_images;
    std::vector<UINT> m_order;
};
