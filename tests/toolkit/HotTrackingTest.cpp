// The toolkit's hot-tracking looks: a cool button rises and an edit's border
// lights up while the pointer is over them, and go flat again after.
#include "framework/dialog/CDialog.h"
#include "toolkit/COXCoolButton.h"
#include "toolkit/COXHotTrackEdit.h"

#include <QApplication>
#include <QEnterEvent>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

void enter(QWidget* w)
{
    QEnterEvent e(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(w, &e);
}

void leave(QWidget* w)
{
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(w, &e);
}

TEST(COXCoolButtonTest, AttachesToADialogButtonAndRisesUnderThePointer)
{
    QWidget dialog;
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setProperty("id", IDOK);

    COXCoolButton cool;
    EXPECT_FALSE(cool.SubclassDlgItem(IDCANCEL, &dialog));
    ASSERT_TRUE(cool.SubclassDlgItem(IDOK, &dialog));
    EXPECT_FALSE(cool.Attach(ok));
    EXPECT_EQ(cool.GetButton(), ok);
    EXPECT_TRUE(ok->isFlat());

    enter(ok);
    EXPECT_TRUE(cool.IsHot());
    EXPECT_FALSE(ok->isFlat());
    leave(ok);
    EXPECT_FALSE(cool.IsHot());
    EXPECT_TRUE(ok->isFlat());

    EXPECT_EQ(cool.Detach(), ok);
    EXPECT_FALSE(ok->isFlat());
}

TEST(COXCoolButtonTest, RadioTextTakesTheHighlightColourUnderThePointer)
{
    QWidget dialog;
    auto* radio = new QRadioButton(QStringLiteral("Fit in X"), &dialog);
    radio->setProperty("id", 1004);
    const QColor resting = radio->palette().color(QPalette::Active, QPalette::WindowText);
    const QColor highlight = radio->palette().color(QPalette::Active, QPalette::Highlight);
    ASSERT_NE(resting, highlight);

    COXCoolButton cool;
    ASSERT_TRUE(cool.SubclassDlgItem(1004, &dialog));
    EXPECT_EQ(radio->palette().color(QPalette::Active, QPalette::WindowText), resting);
    enter(radio);
    EXPECT_TRUE(cool.IsHot());
    EXPECT_EQ(radio->palette().color(QPalette::Active, QPalette::WindowText), highlight);
    leave(radio);
    EXPECT_EQ(radio->palette().color(QPalette::Active, QPalette::WindowText), resting);
    // Clicks still reach the radio as its own.
    radio->click();
    EXPECT_TRUE(radio->isChecked());
    EXPECT_EQ(cool.Detach(), radio);
}

TEST(COXCoolButtonTest, AButtonDestroyedFirstLeavesTheAdapterEmpty)
{
    COXCoolButton cool;
    {
        QPushButton button;
        ASSERT_TRUE(cool.Attach(&button));
    }
    EXPECT_EQ(cool.GetButton(), nullptr);
    EXPECT_EQ(cool.Detach(), nullptr);
}

TEST(COXHotTrackEditTest, FlatUntilThePointerIsOverIt)
{
    COXHotTrackEdit<QLineEdit> edit;
    EXPECT_FALSE(edit.hasFrame());
    EXPECT_FALSE(edit.IsHot());
    enter(&edit);
    EXPECT_TRUE(edit.IsHot());
    leave(&edit);
    EXPECT_FALSE(edit.IsHot());
}

} // namespace
