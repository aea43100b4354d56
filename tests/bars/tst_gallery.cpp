#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QListWidgetItem>
#include <QMenu>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <unistd.h>

#include "board/widget/itimemsgbox.h"
#include "customui/iimglist.h"
#include "customui/iimglistitem.h"
#include "customui/iimglistsaver.h"
#include "customui/iimglistviewer.h"
#include "customui/iimglistwidget.h"
#include "customui/ipdfwriter.h"
#include "idialogseam.h"
#include "iglobal.h"
#include "testenv.h"

#include <QRandomGenerator>

namespace {
const int kOk = 0x400;
const int kCancel = 0x400000;

QString writePicture(const QString& path, const QSize& size, const QColor& color, const char* format = nullptr)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    if (!image.save(path, format))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// A BMP header announcing a picture of the given size, without its pixels.
QString writeHugeBmpHeader(const QString& path, int width, int height)
{
    QByteArray data(54, '\0');
    auto put32 = [&data](int offset, quint32 v) {
        for (int i = 0; i < 4; ++i)
            data[offset + i] = char((v >> (8 * i)) & 0xff);
    };
    data[0] = 'B';
    data[1] = 'M';
    put32(2, 54 + 64);
    put32(10, 54);
    put32(14, 40);
    put32(18, quint32(width));
    put32(22, quint32(height));
    data[26] = 1;   // planes
    data[28] = 24;  // bits per pixel
    data.append(QByteArray(64, '\x7f'));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(data);
    return path;
}

int pdfPageCount(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = f.readAll();
    const QString data = QString::fromLatin1(bytes.constData(), bytes.size());
    const QRegularExpressionMatch m = QRegularExpression("/Type\\s*/Pages\\b[^>]*/Count\\s+(\\d+)").match(data);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString noticeText()
{
    QStringList texts;
    for (QLabel* l : ITimeMsgBox::instance()->findChildren<QLabel*>())
        texts << l->text();
    return texts.join('\n');
}

QToolButton* panelButton(IImgListWidget& panel, const QString& text)
{
    for (QToolButton* b : panel.findChildren<QToolButton*>()) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}
}

class TestGallery : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void insertAndMarkRows();
    void rowsKeepThumbnails();
    void roundedCornersWithoutScaleFactor();
    void clickMarksAndDoubleClickOpens();
    void viewWithoutViewerTellsUser();
    void contextMenuMarksRow();
    void selectAllAndDeselect();
    void deleteRemovesFilesAndRenumbers();
    void deleteKeepsRowsItCannotRemove();
    void insertImageSavesToPhotoFolder();
    void scrollShowsLastRow();
    void saveAsWithoutMarkedRows();
    void saveAsPictures();
    void saveAsCompletesSuffixFromFilter();
    void saveAsAsksBeforeReplacing();
    void saveAsReportsFailure();
    void saveAsCancelled();
    void saveAsPdf();
    void fullDiskWritesReportFailure();
    void pdfRule();
    void importPictures();
    void importNoticeStaysToBeRead();
    void importCutOffPictureTold();
    void importLimit();

private:
    QStringList fileRequests;
    QList<QStringList> fileAnswers;
    QStringList selectedFilters;
    QStringList opened;
    QTemporaryDir* dir = nullptr;

    QString path(const QString& name) const { return dir->filePath(name); }
    void answerFile(const QStringList& paths, const QString& filter = QString())
    {
        fileAnswers << paths;
        selectedFilters << filter;
    }
    void markRows(IImgList& list, const QList<int>& rows)
    {
        for (int r : rows)
            list.rowWidget(r)->setSlideSelect(true);
    }
};

void TestGallery::initTestCase()
{
    IDialogSeam::setFileHook([this](const IDialogSeam::FileRequest& request, QString* selectedFilter) {
        fileRequests << request.dir;
        if (fileAnswers.isEmpty())
            return QStringList();
        const QString filter = selectedFilters.takeFirst();
        if (selectedFilter)
            *selectedFilter = filter;
        return fileAnswers.takeFirst();
    });
    IImgListViewer::setHook([this](const QString& p) {
        opened << p;
        return true;
    });
}

void TestGallery::init()
{
    dir = new QTemporaryDir;
    QVERIFY(dir->isValid());
    fileRequests.clear();
    fileAnswers.clear();
    selectedFilters.clear();
    opened.clear();
    TestEnv::clearMessages();
    TestEnv::setMessageAnswer(kOk);
    g_filedialog_path = dir->path() + "/";
    g_photo_format = QStringLiteral("jpeg");
    g_photo_savepath = dir->path() + "/photos";
    applyScaleFactors(ScaleFactors{});
}

void TestGallery::cleanup()
{
    delete dir;
    dir = nullptr;
}

void TestGallery::insertAndMarkRows()
{
    IImgList list;
    const QString a = writePicture(path("a.png"), QSize(64, 48), Qt::red);
    const QString b = writePicture(path("b.png"), QSize(64, 48), Qt::green);
    list.insertItem(a);
    list.insertItem(QImage(10, 10, QImage::Format_RGB32), b);
    list.insertItem(path("missing.png"));  // unreadable: the row still counts
    QCOMPARE(list.count(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(list.rowWidget(i)->slideNum(), i + 1);
        QVERIFY(!(list.item(i)->flags() & (Qt::ItemIsSelectable | Qt::ItemIsEnabled)));
    }
    QVERIFY(list.rowWidget(2)->pixmap().isNull());
    QCOMPARE(list.getAllThumbnailPath(false), QStringList({a, b, path("missing.png")}));
    QCOMPARE(list.getAllThumbnailPath(true), QStringList());

    markRows(list, {2, 0});
    QVERIFY(list.rowWidget(0)->markLabel()->isVisibleTo(list.rowWidget(0)));
    QCOMPARE(list.getAllThumbnailPath(true), QStringList({a, path("missing.png")}));
    list.rowWidget(0)->setSlideSelect(false);
    QVERIFY(!list.rowWidget(0)->markLabel()->isVisibleTo(list.rowWidget(0)));
    QCOMPARE(list.getAllThumbnailPath(true), QStringList({path("missing.png")}));
}

void TestGallery::rowsKeepThumbnails()
{
    IImgList list;
    list.insertItem(writePicture(path("big.jpeg"), QSize(2400, 1600), Qt::blue, "JPEG"));
    list.insertItem(QImage(3000, 2000, QImage::Format_RGB32), path("grab.png"));
    const QSize limit = IImgListItem::storedSize();
    for (int i = 0; i < 2; ++i) {
        const QPixmap p = list.rowWidget(i)->pixmap();
        QVERIFY(!p.isNull());
        QVERIFY2(p.width() <= limit.width() && p.height() <= limit.height(), qPrintable(QString::number(p.width())));
    }
    QCOMPARE(list.rowWidget(0)->thumbnailLabel()->size(), QSize(145, 100));
    QCOMPARE(list.rowWidget(0)->size(), QSize(180, 110));

    // A picture file narrower than the thumbnail is not blown up, so its corners stay square.
    list.insertItem(writePicture(path("small.png"), QSize(120, 80), Qt::red));
    QCOMPARE(list.rowWidget(2)->pixmap().size(), QSize(120, 80));
    const QImage shown = list.rowWidget(2)->thumbnailLabel()->pixmap()->toImage();
    QCOMPARE(QColor(shown.pixel(0, 0)), QColor(Qt::red));
}

void TestGallery::roundedCornersWithoutScaleFactor()
{
    IImgListItem item(QImage(300, 200, QImage::Format_RGB32), path("x.png"), 1);
    QPixmap source(300, 200);
    source.fill(Qt::red);
    const QImage rounded = item.generatePixmap(source, 6).toImage();
    QCOMPARE(rounded.size(), source.size());
    QCOMPARE(qAlpha(rounded.pixel(0, 0)), 0);  // k = 2: the corner is cut
    QCOMPARE(QColor(rounded.pixel(150, 100)), QColor(Qt::red));

    // Before start-up the factor is 0: no division by zero, square corners.
    IGSQUARERATE = 0.0;
    const QImage square = item.generatePixmap(source, 6).toImage();
    QCOMPARE(QColor(square.pixel(0, 0)), QColor(Qt::red));
    applyScaleFactors(ScaleFactors{});
}

void TestGallery::clickMarksAndDoubleClickOpens()
{
    IImgList list;
    const QString a = writePicture(path("a.png"), QSize(32, 32), Qt::red);
    list.insertItem(a);
    QListWidgetItem* row = list.item(0);

    list.slItemClicked(row);
    QVERIFY(!list.rowWidget(0)->isSelect());  // only after 200 ms
    QTRY_VERIFY_WITH_TIMEOUT(list.rowWidget(0)->isSelect(), 1000);

    // A second click inside the wait opens the picture and leaves the mark alone.
    list.slItemClicked(row);
    list.slItemClicked(row);
    QCOMPARE(opened, QStringList({a}));
    QTest::qWait(300);
    QVERIFY(list.rowWidget(0)->isSelect());

    emit list.itemDoubleClicked(row);
    QCOMPARE(opened.size(), 2);
    list.slView();
    QCOMPARE(opened.size(), 3);
    QVERIFY(TestEnv::messages().isEmpty());
}

// "View" without a desktop viewer tells the user where the picture is instead of
// failing unseen.
void TestGallery::viewWithoutViewerTellsUser()
{
    IImgList list;
    const QString a = writePicture(path("a.png"), QSize(32, 32), Qt::red);
    list.insertItem(a);
    IImgListViewer::setHook([](const QString&) { return false; });
    list.slItemDoubleClicked(list.item(0));
    QCOMPARE(TestEnv::messages().size(), 1);
    QVERIFY(TestEnv::messages()[0].startsWith("No program to view the picture was found"));
    QVERIFY(TestEnv::messages()[0].endsWith(a));

    // The real opener asks the desktop for the type's viewer first; none set, or no
    // desktop tools at all, is a failure rather than an opener started for nothing.
    IImgListViewer::setHook(nullptr);
    QFile tool(path("xdg-mime"));
    QVERIFY(tool.open(QIODevice::WriteOnly));
    tool.write("#!/bin/sh\necho \"$@\" > '" + path("asked").toLocal8Bit() + "'\n");
    tool.close();
    tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", dir->path().toLocal8Bit());
    QVERIFY(!IImgListViewer::open(a));
    QFile asked(path("asked"));
    QVERIFY(asked.open(QIODevice::ReadOnly));
    QCOMPARE(asked.readAll().trimmed(), QByteArray("query default image/png"));
    QFile::remove(path("xdg-mime"));
    QVERIFY(!IImgListViewer::open(a));
    qputenv("PATH", savedPath);
    initTestCase(); // the recording hook back
}

void TestGallery::contextMenuMarksRow()
{
    IImgList list;
    list.resize(200, 400);
    list.show();
    list.insertItem(writePicture(path("a.png"), QSize(32, 32), Qt::red));
    list.insertItem(writePicture(path("b.png"), QSize(32, 32), Qt::red));
    QVERIFY(QTest::qWaitForWindowExposed(&list));

    const QPoint pos = list.visualItemRect(list.item(1)).center();
    bool menuShown = false;
    QTimer::singleShot(50, [&] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            menuShown = (popup == list.contextMenu());
            popup->close();
        }
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, list.viewport()->mapToGlobal(pos));
    QApplication::sendEvent(list.viewport(), &event);
    QVERIFY(menuShown);
    QVERIFY(!list.rowWidget(0)->isSelect());
    QVERIFY(list.rowWidget(1)->isSelect());

}

void TestGallery::selectAllAndDeselect()
{
    IImgListWidget panel(nullptr);
    QCOMPARE(panel.width(), 200);
    for (int i = 0; i < 30; ++i)
        panel.insertItem(QImage(20, 20, QImage::Format_RGB32), path(QString("p%1.png").arg(i)));
    QToolButton* all = panelButton(panel, "Select All");
    QToolButton* none = panelButton(panel, "Deselect");
    QVERIFY(all && none && panelButton(panel, "Import File"));

    all->click();
    QCOMPARE(panel.getAllThumbnailPath(true).size(), 30);
    none->click();
    QCOMPARE(panel.getAllThumbnailPath(true).size(), 0);
    QCOMPARE(panel.getAllThumbnailPath(false).size(), 30);
}

void TestGallery::deleteRemovesFilesAndRenumbers()
{
    IImgList list;
    QStringList files;
    for (int i = 0; i < 4; ++i) {
        files << writePicture(path(QString("d%1.png").arg(i)), QSize(16, 16), Qt::red);
        list.insertItem(files.last());
    }
    // A row without a widget must not stall the loop.
    list.QListWidget::insertItem(2, new QListWidgetItem("stray"));
    markRows(list, {0, 3});  // d0 and d2

    list.slDelete();
    QVERIFY(!QFile::exists(files[0]));
    QVERIFY(!QFile::exists(files[2]));
    QVERIFY(QFile::exists(files[1]));
    QVERIFY(QFile::exists(files[3]));
    QCOMPARE(list.getAllThumbnailPath(false), QStringList({files[1], files[3]}));
    QCOMPARE(list.count(), 3);
    QCOMPARE(list.rowWidget(0)->slideNum(), 1);
    QCOMPARE(list.rowWidget(2)->slideNum(), 3);
    QVERIFY(TestEnv::messages().isEmpty());  // no confirmation asked
}

void TestGallery::deleteKeepsRowsItCannotRemove()
{
    IImgList list;
    // A path that cannot be unlinked (a non-empty folder), whoever runs the test.
    const QString stuck = path("stuck");
    QDir().mkpath(stuck + "/inner");
    const QString gone = writePicture(path("gone.png"), QSize(16, 16), Qt::red);
    list.insertItem(QImage(16, 16, QImage::Format_RGB32), stuck);
    list.insertItem(gone);
    list.insertItem(QImage(16, 16, QImage::Format_RGB32), path("already-removed.png"));

    // A read-only folder protects its files from anyone but root.
    QString locked;
    if (geteuid() != 0) {
        QDir().mkpath(path("ro"));
        locked = writePicture(path("ro/locked.png"), QSize(16, 16), Qt::red);
        QFile::setPermissions(path("ro"), QFile::ReadOwner | QFile::ExeOwner);
        list.insertItem(locked);
    }
    list.selectAllSatte(true);
    list.slDelete();

    QVERIFY(!QFile::exists(gone));
    QStringList expected({stuck});
    if (!locked.isEmpty())
        expected << locked;
    QCOMPARE(list.getAllThumbnailPath(false), expected);
    QCOMPARE(list.rowWidget(0)->slideNum(), 1);
    QCOMPARE(TestEnv::messages().size(), 1);
    QVERIFY(TestEnv::messages().first().contains("stuck"));
    if (!locked.isEmpty()) {
        QVERIFY(QFile::exists(locked));
        QCOMPARE(list.rowWidget(1)->slideNum(), 2);
        QFile::setPermissions(path("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

void TestGallery::insertImageSavesToPhotoFolder()
{
    IImgListWidget panel(nullptr);
    QImage grab(320, 200, QImage::Format_RGB32);
    grab.fill(Qt::yellow);
    QVERIFY(panel.insertItem(grab));
    QVERIFY(panel.insertItem(grab));  // same second: must not replace the first
    const QStringList paths = panel.getAllThumbnailPath(false);
    QCOMPARE(paths.size(), 2);
    QVERIFY(paths[0] != paths[1]);
    for (const QString& p : paths) {
        QVERIFY(p.startsWith(g_photo_savepath));
        QVERIFY(p.endsWith(".jpeg"));
        QCOMPARE(QImage(p).size(), QSize(320, 200));
    }

    // An unwritable photo folder: reported, no row.
    const QString blocker = writePicture(path("blocker.png"), QSize(4, 4), Qt::red);
    g_photo_savepath = blocker;
    QVERIFY(!panel.insertItem(grab));
    QCOMPARE(panel.getAllThumbnailPath(false).size(), 2);
    QCOMPARE(TestEnv::messages().size(), 1);
}

void TestGallery::scrollShowsLastRow()
{
    IImgList list;
    list.resize(200, 300);
    list.show();
    for (int i = 0; i < 20; ++i)
        list.insertItem(QImage(16, 16, QImage::Format_RGB32), path(QString("s%1.png").arg(i)));
    QScrollBar* bar = list.verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum());
    bar->setValue(0);
    list.setScrollBarMax();
    QCOMPARE(bar->value(), bar->maximum());
}

void TestGallery::saveAsWithoutMarkedRows()
{
    IImgList list;
    list.insertItem(writePicture(path("a.png"), QSize(16, 16), Qt::red));
    answerFile({path("out.png")});
    list.slSaveAs();
    QVERIFY(fileRequests.isEmpty());  // no dialog
    QVERIFY(TestEnv::messages().isEmpty());
    QVERIFY(!QFile::exists(path("out.png")));
    QCOMPARE(g_photo_format, QStringLiteral("jpeg"));
    QCOMPARE(noticeText(), QStringLiteral("请先选择左边列表文件"));
}

void TestGallery::saveAsPictures()
{
    IImgList list;
    const QString a = writePicture(path("a.png"), QSize(40, 30), Qt::red);
    const QString b = writePicture(path("b.png"), QSize(50, 30), Qt::green);
    const QString c = writePicture(path("c.png"), QSize(60, 30), Qt::blue);
    for (const QString& p : {a, b, c})
        list.insertItem(p);
    QDir().mkpath(path("x"));

    // One marked row: exactly the chosen name.
    markRows(list, {1});
    answerFile({path("x/one.png")}, "PNG File(*.png)");
    list.slSaveAs();
    QCOMPARE(fileRequests.size(), 1);
    QVERIFY(fileRequests[0].startsWith(dir->path() + "/"));
    QCOMPARE(QImage(path("x/one.png")).size(), QSize(50, 30));
    QCOMPARE(QImageReader(path("x/one.png")).format(), QByteArray("png"));
    QCOMPARE(TestEnv::messages(), QStringList({"Save Successful."}));
    QCOMPARE(g_photo_format, QStringLiteral("png"));
    QCOMPARE(g_filedialog_path, path("x") + "/");

    // Three marked rows: numbered names, in row order.
    TestEnv::clearMessages();
    list.selectAllSatte(true);
    answerFile({path("x/many.jpeg")}, "JPEG File(*.jpeg)");
    list.slSaveAs();
    QCOMPARE(QImage(path("x/many1.jpeg")).size(), QSize(40, 30));
    QCOMPARE(QImage(path("x/many2.jpeg")).size(), QSize(50, 30));
    QCOMPARE(QImage(path("x/many3.jpeg")).size(), QSize(60, 30));
    QCOMPARE(QImageReader(path("x/many2.jpeg")).format(), QByteArray("jpeg"));
    QVERIFY(!QFile::exists(path("x/many.jpeg")));
    QCOMPARE(TestEnv::messages(), QStringList({"Save Successful."}));
    QCOMPARE(g_photo_format, QStringLiteral("jpeg"));
}

void TestGallery::saveAsCompletesSuffixFromFilter()
{
    QCOMPARE(IImgListSaver::suffixOfFilter("TIFF File(*.tiff)"), QStringLiteral("tiff"));
    QCOMPARE(IImgListSaver::completeFileName("/x/a", "BMP File(*.bmp)"), QStringLiteral("/x/a.bmp"));
    QCOMPARE(IImgListSaver::completeFileName("/x/a.", "BMP File(*.bmp)"), QStringLiteral("/x/a.bmp"));
    QCOMPARE(IImgListSaver::completeFileName("/x/a.png", "BMP File(*.bmp)"), QStringLiteral("/x/a.png"));
    QCOMPARE(IImgListSaver::completeFileName("/x/my.notes", "PDF File (*.pdf)"), QStringLiteral("/x/my.notes.pdf"));
    QCOMPARE(IImgListSaver::targetNames("/x/a.b.png", 2), QStringList({"/x/a1.b.png", "/x/a2.b.png"}));

    IImgList list;
    list.insertItem(writePicture(path("a.png"), QSize(16, 16), Qt::red));
    markRows(list, {0});
    answerFile({path("plain")}, "TIFF File(*.tiff)");
    list.slSaveAs();
    QCOMPARE(QImageReader(path("plain.tiff")).format(), QByteArray("tiff"));
    QCOMPARE(g_photo_format, QStringLiteral("tiff"));
    QCOMPARE(TestEnv::messages(), QStringList({"Save Successful."}));
}

void TestGallery::saveAsAsksBeforeReplacing()
{
    IImgList list;
    list.insertItem(writePicture(path("a.png"), QSize(40, 30), Qt::red));
    list.insertItem(writePicture(path("b.png"), QSize(50, 30), Qt::green));
    list.selectAllSatte(true);
    const QString old = writePicture(path("r1.png"), QSize(8, 8), Qt::black);

    TestEnv::setMessageAnswer(kCancel);
    answerFile({path("r.png")}, "PNG File(*.png)");
    list.slSaveAs();
    QCOMPARE(QImage(old).size(), QSize(8, 8));  // kept
    QCOMPARE(QImage(path("r2.png")).size(), QSize(50, 30));
    QCOMPARE(TestEnv::messages().size(), 2);
    QVERIFY(TestEnv::messages()[0].contains("r1.png"));
    QVERIFY(TestEnv::messages()[1].contains("r1.png"));
    QVERIFY(!TestEnv::messages()[1].contains("Save Successful."));

    TestEnv::clearMessages();
    TestEnv::setMessageAnswer(kOk);
    answerFile({path("r.png")}, "PNG File(*.png)");
    list.slSaveAs();
    QCOMPARE(QImage(old).size(), QSize(40, 30));  // replaced after the answer
    QCOMPARE(TestEnv::messages().last(), QStringLiteral("Save Successful."));
}

void TestGallery::saveAsReportsFailure()
{
    IImgList list;
    list.insertItem(writePicture(path("a.png"), QSize(16, 16), Qt::red));
    markRows(list, {0});
    answerFile({path("no/such/folder/out.png")}, "PNG File(*.png)");
    list.slSaveAs();
    QCOMPARE(TestEnv::messages().size(), 1);
    QVERIFY(TestEnv::messages()[0] != QStringLiteral("Save Successful."));
    QCOMPARE(g_photo_format, QStringLiteral("jpeg"));  // nothing written, format kept

    // An unreadable source is a failure too.
    TestEnv::clearMessages();
    list.insertItem(QImage(16, 16, QImage::Format_RGB32), path("vanished.png"));
    list.selectAllSatte(false);
    markRows(list, {1});
    answerFile({path("out.bmp")}, "BMP File(*.bmp)");
    list.slSaveAs();
    QVERIFY(!QFile::exists(path("out.bmp")));
    QVERIFY(TestEnv::messages()[0].contains("vanished.png"));
    QCOMPARE(g_photo_format, QStringLiteral("jpeg"));
}

void TestGallery::saveAsCancelled()
{
    IImgList list;
    list.insertItem(writePicture(path("a.png"), QSize(16, 16), Qt::red));
    markRows(list, {0});
    const QString before = g_filedialog_path;
    answerFile({});
    list.slSaveAs();
    QCOMPARE(fileRequests.size(), 1);
    QVERIFY(TestEnv::messages().isEmpty());
    QCOMPARE(g_filedialog_path, before);
    QCOMPARE(g_photo_format, QStringLiteral("jpeg"));
}

void TestGallery::saveAsPdf()
{
    IImgList list;
    for (int i = 0; i < 3; ++i)
        list.insertItem(writePicture(path(QString("p%1.png").arg(i)), QSize(200, 100), Qt::red));
    list.selectAllSatte(true);
    answerFile({path("doc.pdf")}, "PDF File (*.pdf)");
    list.slSaveAs();
    QCOMPARE(TestEnv::messages(), QStringList({"Save Successful."}));
    QCOMPARE(pdfPageCount(path("doc.pdf")), 3);
    QCOMPARE(g_photo_format, QStringLiteral("jpeg"));  // a PDF is not a photo format

    // "doc" plus the filter's suffix names the existing doc.pdf, which the dialog never
    // asked about: a refusal keeps it.
    list.selectAllSatte(false);
    markRows(list, {0});
    TestEnv::clearMessages();
    TestEnv::setMessageAnswer(kCancel);
    answerFile({path("doc")}, "PDF File (*.pdf)");
    list.slSaveAs();
    QCOMPARE(pdfPageCount(path("doc.pdf")), 3);
    QCOMPARE(TestEnv::messages().size(), 2);
    QVERIFY(TestEnv::messages()[0].contains("doc.pdf"));
    QVERIFY(TestEnv::messages()[1] != QStringLiteral("Save Successful."));

    TestEnv::clearMessages();
    TestEnv::setMessageAnswer(kOk);
    answerFile({path("doc")}, "PDF File (*.pdf)");
    list.slSaveAs();
    QCOMPARE(pdfPageCount(path("doc.pdf")), 1);
    QCOMPARE(TestEnv::messages().last(), QStringLiteral("Save Successful."));
}

namespace {
// Random pixels compress badly: a PNG of some KiB, short enough to sit in a file's
// write buffer until it is closed.
QString writeNoise(const QString& path, const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(11);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, random.generate());
    if (!image.save(path, "png"))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}

// A full disk during "Save As" (pictures and PDF) and a window grab into the gallery:
// each is reported as a failure, writes no truncated file, and keeps an older file of
// the chosen name whole.
void TestGallery::fullDiskWritesReportFailure()
{
    IImgList list;
    list.insertItem(writeNoise(path("a.png"), QSize(48, 40)));
    markRows(list, {0});
    const QString oldPicture = writePicture(path("old.bmp"), QSize(8, 8), Qt::black);
    const QString oldPdf = path("old.pdf");
    QVERIFY(writePicturesToPdf({path("a.png")}, oldPdf));
    const QByteArray pictureBytes = contents(oldPicture);
    const QByteArray pdfBytes = contents(oldPdf);
    {
        TestEnv::FileSizeLimit full(4096);
        answerFile({path("new.bmp")}, "BMP File(*.bmp)");
        list.slSaveAs();
        answerFile({oldPicture}, "BMP File(*.bmp)");
        list.slSaveAs();
        answerFile({oldPdf}, "PDF File (*.pdf)");
        list.slSaveAs();
    }
    QCOMPARE(TestEnv::messages().size(), 3);
    QVERIFY(TestEnv::messages()[0].startsWith("Save failed for:\na.png"));
    QVERIFY(TestEnv::messages()[1].startsWith("Save failed for:\na.png"));
    QVERIFY(TestEnv::messages()[2].startsWith("Save failed: Cannot write " + oldPdf));
    QVERIFY(!QFile::exists(path("new.bmp")));
    QCOMPARE(contents(oldPicture), pictureBytes);
    QCOMPARE(contents(oldPdf), pdfBytes);
    QCOMPARE(g_photo_format, QStringLiteral("jpeg"));
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files),
             QStringList({"a.png", "old.bmp", "old.pdf"}));

    // The window grab: a message, no row, no file.
    TestEnv::clearMessages();
    IImgListWidget panel(nullptr);
    QImage grab(QImage(path("a.png")).scaled(96, 80));
    {
        TestEnv::FileSizeLimit full(4096);
        QVERIFY(!panel.insertItem(grab));
    }
    QCOMPARE(panel.getAllThumbnailPath(false).size(), 0);
    QCOMPARE(TestEnv::messages().size(), 1);
    QVERIFY(TestEnv::messages()[0].startsWith("The picture could not be saved"));
    QCOMPARE(QDir(g_photo_savepath).entryList(QDir::Files), QStringList());
}

void TestGallery::pdfRule()
{
    QCOMPARE(pdfResolutionFor(QSize(1920, 1080)), 292);
    QCOMPARE(pdfResolutionFor(QSize(1080, 1920)), 224);

    const QString small = writePicture(path("small.png"), QSize(300, 200), Qt::red);
    const QString huge = writePicture(path("huge.png"), QSize(6000, 1000), Qt::blue);
    QString error;
    QStringList unreadable;
    QVERIFY(writePicturesToPdf({small, huge, path("missing.png")}, path("rule.pdf"), &error, &unreadable));
    QCOMPARE(pdfPageCount(path("rule.pdf")), 3);
    QCOMPARE(unreadable, QStringList({path("missing.png")}));

    QVERIFY(!writePicturesToPdf({small}, path("no/folder/x.pdf"), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!writePicturesToPdf({}, path("empty.pdf"), &error));
    QVERIFY(!QFile::exists(path("empty.pdf")));

    // Through Save As the failure reaches the user.
    IImgList list;
    list.insertItem(small);
    markRows(list, {0});
    answerFile({path("no/folder/y.pdf")}, "PDF File (*.pdf)");
    list.slSaveAs();
    QCOMPARE(TestEnv::messages().size(), 1);
    QVERIFY(TestEnv::messages()[0].startsWith("Save failed"));
}

void TestGallery::importPictures()
{
    IImgListWidget panel(nullptr);
    QSignalSpy done(&panel, &IImgListWidget::sgImportFinished);
    QDir().mkpath(path("in"));
    const QString png = writePicture(path("in/wide.png"), QSize(400, 100), Qt::red);
    const QString misnamed = writePicture(path("in/misnamed.jpg"), QSize(50, 80), Qt::green, "PNG");
    const QString huge = writeHugeBmpHeader(path("in/huge.bmp"), 20000, 20000);
    QFile text(path("in/notes.tiff"));
    text.open(QIODevice::WriteOnly);
    text.write("not a picture");
    text.close();

    answerFile({png, huge, misnamed, path("in/notes.tiff")});
    panel.importFiles();
    QVERIFY(done.wait(5000));

    QCOMPARE(panel.getAllThumbnailPath(false), QStringList({png, misnamed}));
    for (int i = 0; i < 2; ++i)
        QCOMPARE(panel.list()->rowWidget(i)->pixmap().size(), QSize(139, 94));
    QVERIFY(noticeText().contains("huge.bmp"));
    QVERIFY(noticeText().contains("notes.tiff"));
    QCOMPARE(g_filedialog_path, path("in") + "/");
    QCOMPARE(fileRequests, QStringList({dir->path() + "/"}));

    // Imported rows point at the chosen files: "Delete" removes that very file.
    panel.list()->rowWidget(1)->setSlideSelect(true);
    panel.list()->slDelete();
    QVERIFY(!QFile::exists(misnamed));
    QVERIFY(QFile::exists(png));

    // Cancel: nothing happens.
    panel.importFiles();
    QVERIFY(!done.wait(300));
    QCOMPARE(panel.getAllThumbnailPath(false).size(), 1);
}

// The notice listing five refused files was gone after one second.
void TestGallery::importNoticeStaysToBeRead()
{
    IImgListWidget panel(nullptr);
    QSignalSpy done(&panel, &IImgListWidget::sgImportFinished);
    QStringList files;
    for (int i = 0; i < 5; ++i) {
        QFile f(path(QString("bad%1.png").arg(i)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a picture");
        files << f.fileName();
    }
    answerFile(files);
    panel.importFiles();
    QVERIFY(done.wait(5000));
    QVERIFY(noticeText().contains("bad4.png"));
    QVERIFY(ITimeMsgBox::instance()->isVisible());
    const QTimer* hide = ITimeMsgBox::instance()->findChild<QTimer*>();
    QVERIFY(hide && hide->isActive());
    // Six lines: seconds more than the one of a short notice.
    QVERIFY2(hide->remainingTime() > 5000, qPrintable(QString::number(hide->remainingTime())));
}

// A cut-off JPEG was imported half grey without a word (a BMP likewise). It is
// imported, and the notice names it.
void TestGallery::importCutOffPictureTold()
{
    IImgListWidget panel(nullptr);
    QSignalSpy done(&panel, &IImgListWidget::sgImportFinished);
    const QString whole = path("whole.jpg");
    QVERIFY(QImage(writeNoise(path("noise.png"), QSize(200, 150))).save(whole, "JPEG"));
    const QByteArray bytes = contents(whole);
    QFile cut(path("cut.jpg"));
    QVERIFY(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.left(bytes.size() / 2));
    cut.close();
    const QString wholeBmp = writePicture(path("whole.bmp"), QSize(40, 30), Qt::blue);
    const QByteArray bmpBytes = contents(wholeBmp);
    QFile cutBmp(path("cut.bmp"));
    QVERIFY(cutBmp.open(QIODevice::WriteOnly));
    cutBmp.write(bmpBytes.left(bmpBytes.size() / 2));
    cutBmp.close();
    ITimeMsgBox::instance()->hide();

    answerFile({whole, cut.fileName(), wholeBmp, cutBmp.fileName()});
    panel.importFiles();
    QVERIFY(done.wait(5000));
    QCOMPARE(panel.getAllThumbnailPath(false), QStringList({whole, cut.fileName(), wholeBmp, cutBmp.fileName()}));
    QVERIFY(ITimeMsgBox::instance()->isVisible());
    const QString text = noticeText();
    QVERIFY2(text.contains("cut.jpg") && text.contains("cut.bmp") && !text.contains("whole."), qPrintable(text));
}

void TestGallery::importLimit()
{
    IImgListWidget panel(nullptr);
    QSignalSpy done(&panel, &IImgListWidget::sgImportFinished);
    QStringList files;
    for (int i = 0; i < 59; ++i)
        files << writePicture(path(QString("f%1.png").arg(i, 2, 10, QChar('0'))), QSize(8, 8), Qt::red);
    QDir().mkpath(path("last"));
    files << writePicture(path("last/f59.png"), QSize(8, 8), Qt::red);

    answerFile(files);
    panel.importFiles();
    QVERIFY(done.wait(10000));
    QCOMPARE(panel.getAllThumbnailPath(false), files.mid(0, 50));
    QCOMPARE(g_filedialog_path, path("last") + "/");
}

OCUMETRA_TEST_MAIN(TestGallery)
#include "tst_gallery.moc"
