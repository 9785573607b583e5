// The tip of the day: where in the tips file each call starts, which lines
// are tips, the caller's values written back, and files without tips.
#include "owutil/ui/CTipDlg.h"
#include "tests/common/ModalDialog.h"
#include "tests/common/TestEnvironment.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cstring>

namespace {

class TipDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        testenv::ClearMessages();
    }

    QString write(const QByteArray& bytes, const QDateTime& modified = QDateTime(QDate(2024, 3, 5), QTime(9, 30)))
    {
        const QString path = m_dir.filePath(QStringLiteral("tips.txt"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        EXPECT_TRUE(f.open(QIODevice::ReadWrite));
        EXPECT_TRUE(f.setFileTime(modified, QFileDevice::FileModificationTime));
        return path;
    }

    // One call as a client makes it: the tip shown, then OK.
    QString showOnce(const QString& path, int* position, char* stamp, int stampSize)
    {
        CTipDlg dlg;
        dlg.Setup(path, position, nullptr, stamp, stampSize);
        return dlg.CurrentTip();
    }

    QTemporaryDir m_dir;
};

QPushButton* nextButton(QDialog* d) { return qobject_cast<QPushButton*>(CDialog::FindDlgItem(d, 1006)); }

} // namespace

TEST_F(TipDialogTest, ResumesAfterTheLastTipWhileTheStampMatchesAndRestartsAfterAnEdit)
{
    const QString path = write("; tips\nFirst tip.\nSecond tip.\n\n  indented, skipped\nThird tip.\n");
    int position = 0;
    char stamp[32] = "stale";
    EXPECT_EQ(showOnce(path, &position, stamp, sizeof stamp), "First tip.\n");
    EXPECT_EQ(std::strlen(stamp), 24u) << stamp;
    EXPECT_EQ(position, int(QByteArray("; tips\nFirst tip.\n").size()));
    EXPECT_EQ(showOnce(path, &position, stamp, sizeof stamp), "Second tip.\n");
    EXPECT_EQ(showOnce(path, &position, stamp, sizeof stamp), "Third tip.\n");
    EXPECT_EQ(showOnce(path, &position, stamp, sizeof stamp), "First tip.\n"); // round again

    const QByteArray before(stamp);
    write("; tips\nNew first.\nSecond tip.\n", QDateTime(QDate(2024, 3, 6), QTime(10, 0)));
    EXPECT_EQ(showOnce(path, &position, stamp, sizeof stamp), "New first.\n");
    EXPECT_NE(QByteArray(stamp), before);
}

TEST_F(TipDialogTest, WithoutAStampBufferEveryCallStartsAtTheTop)
{
    const QString path = write("One.\nTwo.\n");
    int position = 5;
    EXPECT_EQ(showOnce(path, &position, nullptr, 0), "One.\n");
    EXPECT_EQ(showOnce(path, &position, nullptr, 0), "One.\n");
}

TEST_F(TipDialogTest, ASmallStampBufferGetsWhatFitsAndZerosAfterIt)
{
    const QString path = write("One.\n");
    char stamp[12];
    std::memset(stamp, 'x', sizeof stamp);
    showOnce(path, nullptr, stamp, sizeof stamp);
    EXPECT_EQ(std::strlen(stamp), 11u);
    EXPECT_EQ(stamp[11], '\0');
}

TEST_F(TipDialogTest, CommentLinesBeforeOneTipGiveThatTipOnEveryNextTip)
{
    const QString path = write("; first comment\n;second\n\tindented\n\nThe only tip.\n");
    int position = 0;
    CTipDlg dlg;
    dlg.Setup(path, &position, nullptr, nullptr, 0);
    EXPECT_EQ(dlg.CurrentTip(), "The only tip.\n");
    testenv::OnNextModal([&dlg](QDialog* d) {
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(nextButton(d), Qt::LeftButton);
            EXPECT_EQ(dlg.CurrentTip(), "The only tip.\n");
        }
        EXPECT_EQ(CDialog::FindDlgItem(d, 1002)->accessibleDescription(), "The only tip.");
        d->accept();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(testenv::Messages().empty());
}

TEST_F(TipDialogTest, FilesWithoutATipEndTheSearchWithAnEmptyTip)
{
    for (const QByteArray& content : {QByteArray("; only\n; comments\n"), QByteArray(), QByteArray("\n\n \n")}) {
        const QString path = write(content);
        int position = 3;
        char stamp[32] = {};
        CTipDlg dlg;
        dlg.Setup(path, &position, nullptr, stamp, sizeof stamp);
        EXPECT_EQ(dlg.CurrentTip(), QString()) << content.constData();
        testenv::OnNextModal([&dlg](QDialog* d) {
            QTest::mouseClick(nextButton(d), Qt::LeftButton);
            EXPECT_EQ(dlg.CurrentTip(), QString());
            d->accept();
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
    }
    EXPECT_TRUE(testenv::Messages().empty());
}

TEST_F(TipDialogTest, LongLinesAreReadInPiecesOfAtMost999BytesWithoutSplittingACharacter)
{
    // 998 ASCII bytes and a two-byte character across the 999-byte limit.
    const QByteArray line = QByteArray(998, 'a') + "\xC3\xA9" + "tail\n";
    const QString path = write(line + "Next.\n");
    int position = 0;
    char stamp[32] = {};
    EXPECT_EQ(showOnce(path, &position, stamp, sizeof stamp), QString(998, QLatin1Char('a')));
    EXPECT_EQ(showOnce(path, &position, stamp, sizeof stamp), QStringLiteral("\u00E9tail\n"));
    EXPECT_EQ(showOnce(path, &position, stamp, sizeof stamp), "Next.\n");
}

TEST_F(TipDialogTest, WindowsLineEndsAndLatin1TextReadAsText)
{
    const QString path = write("; comment\r\n\r\nCaf\xE9 tip.\r\n");
    EXPECT_EQ(showOnce(path, nullptr, nullptr, 0), QStringLiteral("Caf\u00E9 tip.\n"));
}

TEST_F(TipDialogTest, OkWritesTheStartupFlagAndClosingWithoutOkDoesNot)
{
    const QString path = write("One.\nTwo.\n");
    int position = 0;
    int startup = 1;
    {
        CTipDlg dlg;
        dlg.Setup(path, &position, &startup, nullptr, 0);
        testenv::OnNextModal([](QDialog* d) {
            auto* box = qobject_cast<QCheckBox*>(CDialog::FindDlgItem(d, 1005));
            ASSERT_NE(box, nullptr);
            EXPECT_TRUE(box->isChecked());
            box->setChecked(false);
            d->reject();
        });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
    EXPECT_EQ(startup, 1);
    EXPECT_EQ(position, 5); // stored on the way out all the same
    {
        CTipDlg dlg;
        dlg.Setup(path, &position, &startup, nullptr, 0);
        EXPECT_EQ(dlg.CurrentTip(), "One.\n"); // no stamp buffer: from the top
        testenv::OnNextModal([](QDialog* d) {
            auto* box = qobject_cast<QCheckBox*>(CDialog::FindDlgItem(d, 1005));
            // On the box itself: the control is wider than its label.
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
            QTest::mouseClick(nextButton(d), Qt::LeftButton);
            QTest::mouseClick(qobject_cast<QPushButton*>(CDialog::FindDlgItem(d, IDOK)), Qt::LeftButton);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.CurrentTip(), "Two.\n");
    }
    EXPECT_EQ(startup, 0);
    EXPECT_EQ(position, 10);
}

TEST_F(TipDialogTest, AMissingFileShowsNothingAndReturnsOk)
{
    int position = 7;
    int startup = 1;
    char stamp[32] = "kept";
    CTipDlg dlg;
    dlg.Setup(m_dir.filePath(QStringLiteral("absent.txt")), &position, &startup, stamp, sizeof stamp);
    EXPECT_EQ(dlg.CurrentTip(), "Tips file does not exist in the prescribed directory");
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(position, 7);
    EXPECT_STREQ(stamp, "kept");
}

TEST_F(TipDialogTest, ARelativePathIsTakenFromTheCurrentFolder)
{
    write("Relative.\n");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    EXPECT_EQ(showOnce(QStringLiteral("sub/../tips.txt"), nullptr, nullptr, 0), "Relative.\n");
    QDir::setCurrent(previous);
}
