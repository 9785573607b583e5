// Dialogs described as data: a client program's template, found through the
// resource modules as the platform finds a dialog resource.
#include "CDialog.h"

#include "framework/app/CWinApp.h"
#include "platform/module/CModule.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

QWidget* makeControl(const DialogItemDef& item)
{
    switch (item.kind) {
    case DialogItemDef::Static: {
        auto* label = new QLabel(item.text);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case DialogItemDef::Edit: {
        auto* edit = new QLineEdit(item.text);
        if (item.style & ES_PASSWORD)
            edit->setEchoMode(QLineEdit::Password);
        edit->setReadOnly((item.style & ES_READONLY) != 0);
        return edit;
    }
    case DialogItemDef::ListBox: {
        auto* list = new QListWidget;
        list->setSortingEnabled((item.style & LBS_SORT) != 0);
        return list;
    }
    case DialogItemDef::PushButton:
    case DialogItemDef::DefPushButton: {
        auto* button = new QPushButton(item.text);
        button->setDefault(item.kind == DialogItemDef::DefPushButton);
        button->setAutoDefault(false);
        return button;
    }
    case DialogItemDef::CheckBox: return new QCheckBox(item.text);
    case DialogItemDef::GroupBox: return new QGroupBox(item.text);
    case DialogItemDef::Frame: {
        auto* frame = new QFrame;
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return frame;
    }
    }
    return new QWidget;
}

// The text a screen reader announces for a control without a caption of its
// own: the static text just before it in the template, as the platform
// labels a control by the static that precedes it in tab order.
QString accessibleNameFor(const DialogDef& def, size_t index)
{
    const DialogItemDef& item = def.items[index];
    const QString own = QString(item.text).remove(QLatin1Char('&'));
    if (item.kind != DialogItemDef::Edit && item.kind != DialogItemDef::ListBox && !own.isEmpty())
        return own;
    if (index > 0 && def.items[index - 1].kind == DialogItemDef::Static)
        return QString(def.items[index - 1].text).remove(QLatin1Char('&'));
    return own;
}

} // namespace

const DialogDef* CDialog::FindTemplate(UINT id)
{
    for (HINSTANCE module : {AfxGetResourceHandle(), AfxGetInstanceHandle()})
        if (module != nullptr)
            if (const DialogDef* def = module->FindDialog(id))
                return def;
    return nullptr;
}

void CDialog::BuildFromTemplate(const DialogDef& def)
{
    setWindowTitle(def.caption);
    SetDialogSize(def.cx, def.cy);
    QWidget* previous = nullptr;
    QLabel* pendingLabel = nullptr;
    for (size_t i = 0; i < def.items.size(); ++i) {
        const DialogItemDef& item = def.items[i];
        QWidget* control = makeControl(item);
        AddDlgItem(control, item.id, item.x, item.y, item.cx, item.cy, accessibleNameFor(def, i));
        if (item.hidden)
            control->setVisible(false);
        if (pendingLabel && item.kind != DialogItemDef::Static)
            pendingLabel->setBuddy(control);
        pendingLabel = item.kind == DialogItemDef::Static ? qobject_cast<QLabel*>(control) : nullptr;
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}
