#include "DDX.h"

#include "CDataExchange.h"
#include "CDialog.h"
#include "framework/except/CException.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

namespace {

// The number an edit holds, read with '.' as the decimal point whatever the
// user's locale, as the platform's exchange reads it.
template <class T, class Read>
void exchangeNumber(CDataExchange* pDX, int id, T& value, Read read, const QString& complaint,
                    const QString& shown)
{
    QLineEdit* edit = pDX->PrepareEditCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        edit->setText(shown);
        return;
    }
    bool ok = false;
    const T parsed = read(edit->text().trimmed(), &ok);
    if (!ok) {
        AfxMessageBox(complaint, MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    value = parsed;
}

} // namespace

void DDX_Text(CDataExchange* pDX, int id, QString& value)
{
    QWidget* control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = control->property("text").toString();
    else
        control->setProperty("text", value);
}

void DDX_Text(CDataExchange* pDX, int id, int& value)
{
    const QLocale c = QLocale::c();
    exchangeNumber(
        pDX, id, value, [&c](const QString& t, bool* ok) { return c.toInt(t, ok); },
        QStringLiteral("Please enter an integer."), c.toString(value));
}

void DDX_Text(CDataExchange* pDX, int id, double& value)
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::OmitGroupSeparator);
    // Fifteen significant digits: every double typed with fewer reads back the same.
    exchangeNumber(
        pDX, id, value, [&c](const QString& t, bool* ok) { return c.toDouble(t, ok); },
        QStringLiteral("Please enter a number."), c.toString(value, 'g', 15));
}

void DDX_Check(CDataExchange* pDX, int id, int& value)
{
    auto* box = qobject_cast<QCheckBox*>(pDX->PrepareCtrl(id));
    if (box == nullptr)
        throw CNotSupportedException();
    if (pDX->m_bSaveAndValidate) {
        value = box->checkState() == Qt::Checked ? 1 : box->checkState() == Qt::PartiallyChecked ? 2 : 0;
        return;
    }
    // Any other value leaves the box as it is, as the platform's exchange does.
    if (value == 2)
        box->setTristate(true);
    if (value >= 0 && value <= 2)
        box->setCheckState(value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

void DDX_Control(CDataExchange* pDX, int id, QWidget& control)
{
    QWidget* item = pDX->PrepareCtrl(id);
    if (item == &control)
        return;
    QWidget* parent = item->parentWidget();
    control.setParent(parent);
    control.setGeometry(item->geometry());
    control.setProperty("id", id);
    control.setObjectName(item->objectName());
    if (control.accessibleName().isEmpty())
        control.setAccessibleName(item->accessibleName());
    control.setToolTip(item->toolTip());
    control.setEnabled(item->isEnabled());
    QWidget::setTabOrder(item, &control);
    for (QLabel* label : parent->findChildren<QLabel*>())
        if (label->buddy() == item)
            label->setBuddy(&control);
    const bool hadFocus = item->hasFocus() || parent->focusWidget() == item;
    // A child of a dialog not yet shown counts as hidden; only a control the
    // template hid on purpose stays hidden.
    const bool hiddenOnPurpose =
        item->testAttribute(Qt::WA_WState_ExplicitShowHide) && item->testAttribute(Qt::WA_WState_Hidden);
    control.setVisible(!hiddenOnPurpose);
    delete item;
    if (hadFocus)
        control.setFocus(Qt::OtherFocusReason);
    pDX->PrepareCtrl(id);
}
