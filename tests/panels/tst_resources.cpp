// Every resource path the program names must exist in the built-in resources and load
// as what it is: a picture that cannot be drawn leaves a button blank at run time.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QSvgRenderer>
#include <QtTest>

#include "testenv.h"

namespace {

QString sourceRoot()
{
    return QDir(qEnvironmentVariable("OCUMETRA_TEST_SOURCE_DIR") + QStringLiteral("/../..")).canonicalPath();
}

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

// Paths a source text names: whole literals (":/a/b.svg", also inside url(...) of a style
// sheet), and names joined to a folder literal (":/a/a/" + "name" [+ ".svg"]).
QSet<QString> namedPaths(const QString& text)
{
    QSet<QString> paths;
    static const QRegularExpression whole(QStringLiteral("(?:\"|url\\()(:/[^\"()\\s]+)"));
    QStringList folders;
    for (auto it = whole.globalMatch(text); it.hasNext();) {
        const QString path = it.next().captured(1);
        if (path.endsWith(QLatin1Char('/')))
            folders.append(path);
        else
            paths.insert(path);
    }
    if (folders.isEmpty())
        return paths;
    // A file that builds paths from a folder lists the names as plain lower-case literals;
    // those without a suffix get the ".svg" the file appends.
    static const QRegularExpression name(QStringLiteral("\"([a-z][a-z0-9_]*(?:\\.(?:png|svg))?)\""));
    const bool appendsSvg = text.contains(QStringLiteral("\".svg\""));
    for (auto it = name.globalMatch(text); it.hasNext();) {
        QString file = it.next().captured(1);
        if (!file.contains(QLatin1Char('.'))) {
            if (!appendsSvg)
                continue;
            file += QStringLiteral(".svg");
        }
        for (const QString& folder : qAsConst(folders))
            paths.insert(folder + file);
    }
    return paths;
}

// Empty when the resource loads; otherwise why not.
QString loadProblem(const QString& path)
{
    if (!QFile::exists(path))
        return QStringLiteral("missing");
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg")) {
        QSvgRenderer svg(path);
        if (!svg.isValid() || svg.defaultSize().isEmpty())
            return QStringLiteral("not a drawable SVG");
        QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        svg.render(&painter);
        painter.end();
        bool drawn = false;
        for (int y = 0; y < image.height() && !drawn; ++y)
            for (int x = 0; x < image.width() && !drawn; ++x)
                drawn = qAlpha(image.pixel(x, y)) > 0;
        return drawn ? QString() : QStringLiteral("draws nothing");
    }
    if (suffix == QLatin1String("png") || suffix == QLatin1String("jpg")) {
        const QImage image(path);
        return image.isNull() ? QStringLiteral("not a picture") : QString();
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return QStringLiteral("unreadable or empty");
    if (suffix == QLatin1String("wav") && !file.read(4).startsWith("RIFF"))
        return QStringLiteral("not a WAVE file");
    return QString();
}

}

class TestResources : public QObject
{
    Q_OBJECT
private slots:
    void scannerFindsJoinedNames();
    void everyNamedResourceLoads();
    void brokenResourcesAreNoticed();
};

void TestResources::scannerFindsJoinedNames()
{
    const QSet<QString> paths = namedPaths(QStringLiteral(
        "a(\":/x/x/b.svg\"); s = \"image: url(:/ui/ui/arrow.svg);\"; "
        "p = QStringLiteral(\":/t/t/\") + r.normal + \".svg\"; {\"tnormal\", \"tclick\"} tr(\"Close\");"));
    const QSet<QString> expected = {QStringLiteral(":/x/x/b.svg"), QStringLiteral(":/ui/ui/arrow.svg"),
                                    QStringLiteral(":/t/t/tnormal.svg"), QStringLiteral(":/t/t/tclick.svg")};
    QCOMPARE(paths, expected);
    // Names that carry their own suffix need no appended one.
    QCOMPARE(namedPaths(QStringLiteral("f = \"fe_a.png\"; p = \":/c/c/\" + f;")),
             (QSet<QString>{QStringLiteral(":/c/c/fe_a.png")}));
}

void TestResources::everyNamedResourceLoads()
{
    const QString root = sourceRoot();
    QVERIFY2(QFileInfo(root + QStringLiteral("/src/main.cpp")).exists(), qPrintable(root));

    QSet<QString> paths;
    QDirIterator sources(root + QStringLiteral("/src"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                         QDirIterator::Subdirectories);
    while (sources.hasNext())
        paths += namedPaths(readText(sources.next()));
    QDirIterator sheets(root + QStringLiteral("/resources"), {QStringLiteral("*.qss")}, QDir::Files,
                        QDirIterator::Subdirectories);
    while (sheets.hasNext())
        paths += namedPaths(readText(sheets.next()));

    // The scan must see the tool bars' and panels' pictures, joined or whole.
    for (const char* known : {":/title/title/tclosenormal.svg", ":/cameratoolbar/cameratoolbar/cpixratenormal.svg",
                              ":/root/root/rstopclick.svg", ":/figure/figure/ftriangle.svg",
                              ":/ui/ui/downArrow.svg", ":/cursors/cursors/fe_3d_cube.png"})
        QVERIFY2(paths.contains(QLatin1String(known)), known);
    QVERIFY(paths.size() > 60);

    QStringList problems;
    for (const QString& path : qAsConst(paths)) {
        const QString problem = loadProblem(path);
        if (!problem.isEmpty())
            problems.append(path + QStringLiteral(": ") + problem);
    }
    problems.sort();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

void TestResources::brokenResourcesAreNoticed()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString bad = dir.filePath(QStringLiteral("bad.svg"));
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write("<svg xmlns=\"http://www.w3.org/2000/svg\"") > 0);
    QVERIFY(file.flush());
    file.close();
    QVERIFY(!loadProblem(bad).isEmpty());
    QCOMPARE(loadProblem(QStringLiteral(":/no/such.svg")), QStringLiteral("missing"));
    QCOMPARE(loadProblem(QStringLiteral(":/root/root/rstartnormal.svg")), QString());
}

OCUMETRA_TEST_MAIN(TestResources)
#include "tst_resources.moc"
