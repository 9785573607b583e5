// Printing as the desktop asks for it: `Lumivu -Print` on a real CUPS
// queue whose printer writes PDF files, and the PDFs that arrive (pages,
// paper, and each page against lumivu-render's print of the same picture).
// The scheduler and the queue are set up here when the machine allows it
// (as root, with CUPS and cups-pdf installed); otherwise the tests skip.
#include "tests/common/TestEnvironment.h"
#include "tests/platform/metafile/EmfBuilder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

const QString kQueue = QStringLiteral("LumivuTest");
const QString kPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");

struct Finished {
    int code = -1;
    QString out, err;
};

Finished run(const QString& program, const QStringList& args, int ms = 60000,
        const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(ms))
        p.kill();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

bool schedulerRuns() { return run(QStringLiteral("lpstat"), {QStringLiteral("-r")}).out.contains("is running"); }

QString lumivu() { return testenv::BuildDir() + QStringLiteral("/bin/Lumivu"); }
QString render() { return testenv::BuildDir() + QStringLiteral("/bin/lumivu-render"); }

// A picture of w x h hundredths of a millimetre: a frame and crossing bars,
// so that every page of a tiling holds something of its own.
QByteArray picture(uint32_t w, uint32_t h)
{
    const uint32_t dx = w / 10, dy = h / 10; // 1000 device pixels = w
    EmfBuilder b(RECT(0, 0, LONG(w), LONG(h)));
    b.Record(39, {1, 0, RGB(20, 90, 200), 0}); // EMR_CREATEBRUSHINDIRECT
    b.Record(37, {1});                         // EMR_SELECTOBJECT
    b.Record(43, {0, 0, 1000, 60});            // EMR_RECTANGLE: top band
    b.Record(43, {0, 0, 40, 1000 * h / w});    // left band
    for (uint32_t i = 1; i < 10; ++i)
        b.Record(42, {i * 100 - 30, i * 100 * h / w - 30, i * 100 + 30, i * 100 * h / w + 30}); // EMR_ELLIPSE
    (void)dx, (void)dy;
    return b.Bytes();
}

int pages(const QString& pdf)
{
    const Finished r = run(QStringLiteral("pdfinfo"), {pdf});
    for (const QString& line : r.out.split('\n'))
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

QString pageSize(const QString& pdf)
{
    const Finished r = run(QStringLiteral("pdfinfo"), {pdf});
    for (const QString& line : r.out.split('\n'))
        if (line.startsWith(QLatin1String("Page size:")))
            return line.mid(10).trimmed();
    return QString();
}

// Page n of pdf at 20 dots per inch, in grey.
QImage pageImage(const QString& pdf, int n, const QString& dir)
{
    const QString base = dir + QStringLiteral("-p%1").arg(n);
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("20"), QStringLiteral("-f"), QString::number(n),
                                     QStringLiteral("-l"), QString::number(n), QStringLiteral("-singlefile"),
                                     QStringLiteral("-gray"), QStringLiteral("-png"), pdf, base});
    return QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
}

// The share of pixels whose grey differs by more than 40 (anti-aliasing and
// the printer's own conversion move edges a little, nothing more).
double differingShare(const QImage& a, const QImage& b)
{
    // The scheduler's PDF and Qt's may round the paper to whole points
    // differently: a pixel of size apart is the same page.
    if (a.isNull() || b.isNull() || std::abs(a.width() - b.width()) > 1 || std::abs(a.height() - b.height()) > 1)
        return 1.0;
    const int w = std::min(a.width(), b.width()), h = std::min(a.height(), b.height());
    int n = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (std::abs(int(a.constScanLine(y)[x]) - int(b.constScanLine(y)[x])) > 40)
                ++n;
    return double(n) / (w * h);
}

} // namespace

class ShellPrintTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (geteuid() != 0 || !QFile::exists(QStringLiteral("/usr/sbin/cupsd")) || !QFile::exists(kPpd) ||
            QStandardPaths::findExecutable(QStringLiteral("lpadmin")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) {
            s_skip = "needs root, CUPS with cups-pdf and poppler-utils";
            return;
        }
        if (!schedulerRuns()) {
            run(QStringLiteral("/usr/sbin/cupsd"), {});
            QElapsedTimer t;
            t.start();
            while (!schedulerRuns() && t.elapsed() < 15000)
                QThread::msleep(200);
            s_startedScheduler = true;
        }
        if (!schedulerRuns()) {
            s_skip = "cupsd cannot start here";
            return;
        }
        s_previousDefault = run(QStringLiteral("lpstat"), {QStringLiteral("-d")}).out.section(':', 1).trimmed();
        s_out = QDir::tempPath() + QStringLiteral("/lumivu-print-%1").arg(getpid());
        QDir().mkpath(s_out);
        QFile::setPermissions(s_out, QFileDevice::Permissions(0x7777));
        // cups-pdf reads a queue's own settings from cups-pdf-QUEUE.conf.
        QFile conf(QStringLiteral("/etc/cups/cups-pdf-%1.conf").arg(kQueue));
        if (conf.open(QIODevice::WriteOnly))
            conf.write(QStringLiteral("Out %1\nAnonDirName %1\nLabel 0\n").arg(s_out).toUtf8());
        conf.close();
        run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), kQueue, QStringLiteral("-E"), QStringLiteral("-v"),
                                        QStringLiteral("cups-pdf:/") + kQueue, QStringLiteral("-P"), kPpd});
        run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), kQueue});
        if (!run(QStringLiteral("lpstat"), {QStringLiteral("-d")}).out.contains(kQueue))
            s_skip = "the test queue could not be added";
    }

    static void TearDownTestSuite()
    {
        if (s_out.isEmpty())
            return;
        run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), kQueue});
        if (!s_previousDefault.isEmpty() && !s_previousDefault.contains(QLatin1String("no system default")))
            run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), s_previousDefault});
        QFile::remove(QStringLiteral("/etc/cups/cups-pdf-%1.conf").arg(kQueue));
        QDir(s_out).removeRecursively();
        if (s_startedScheduler)
            run(QStringLiteral("pkill"), {QStringLiteral("-x"), QStringLiteral("cupsd")});
    }

    void SetUp() override
    {
        if (!s_skip.empty())
            GTEST_SKIP() << s_skip;
    }

    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }

    // The PDF the queue made of the job named name, waiting for it.
    QString Arrived(const QString& name, int ms = 90000)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            for (const QFileInfo& f : QDir(s_out).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files))
                if (f.fileName().contains(name) && f.size() > 0 && f.lastModified().msecsTo(QDateTime::currentDateTime()) > 500)
                    return f.filePath();
            QThread::msleep(250);
        }
        return QString();
    }

    QTemporaryDir m_dir;
    static inline std::string s_skip;
    static inline bool s_startedScheduler = false;
    static inline QString s_out;
    static inline QString s_previousDefault;
};

TEST_F(ShellPrintTest, PrintFromTheCommandLineTilesAndFitsOnTheDefaultPrinter)
{
    // 38 x 50 cm tiles over 2 x 2 A4 pages at its physical size; 10 x 8 cm fits.
    const QString tiled = Write(QStringLiteral("poster.emf"), picture(38000, 50000));
    const QString small = Write(QStringLiteral("card.emf"), picture(10000, 8000));
    const Finished r = run(lumivu(), {QStringLiteral("-Print"), tiled, small}, 120000);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();

    const QString poster = Arrived(QStringLiteral("poster"));
    const QString card = Arrived(QStringLiteral("card"));
    ASSERT_FALSE(poster.isEmpty()) << "no PDF arrived for poster.emf";
    ASSERT_FALSE(card.isEmpty()) << "no PDF arrived for card.emf";
    EXPECT_EQ(pages(poster), 4);
    EXPECT_EQ(pages(card), 1);
    EXPECT_TRUE(pageSize(poster).contains(QLatin1String("(A4)"))) << pageSize(poster).toStdString();

    // Each page shows what lumivu-render prints of the same region.
    const QString expected = m_dir.filePath(QStringLiteral("expected.pdf"));
    const Finished made = run(render(), {QStringLiteral("--print"), QStringLiteral("--zoom"), QStringLiteral("1"), tiled, expected});
    ASSERT_EQ(made.code, 0) << made.err.toStdString();
    ASSERT_EQ(pages(expected), 4);
    for (int n = 1; n <= 4; ++n) {
        const QImage got = pageImage(poster, n, m_dir.path() + QStringLiteral("/got"));
        const QImage want = pageImage(expected, n, m_dir.path() + QStringLiteral("/want"));
        EXPECT_LT(differingShare(got, want), 0.02)
            << "page " << n << ": " << got.width() << "x" << got.height() << " against " << want.width() << "x"
            << want.height();
    }
}

TEST_F(ShellPrintTest, NoPrinterIsAnErrorNotASilentSuccess)
{
    const QString file = Write(QStringLiteral("lonely.emf"), picture(10000, 8000));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // A scheduler that is not there: no printer at all.
    env.insert(QStringLiteral("CUPS_SERVER"), m_dir.filePath(QStringLiteral("no-such-socket")));
    const Finished r = run(lumivu(), {QStringLiteral("-Print"), file}, 60000, env);
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("No printer is available"))) << r.err.toStdString();
}
