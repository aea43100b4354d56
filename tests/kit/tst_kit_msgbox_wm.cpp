// Under a window manager (openbox): a message box with a short text still shows its
// whole title in the window manager's title bar, as a box with a long text does.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include "customui/imsgbox.h"
#include "idialogseam.h"
#include "testenv.h"

namespace {
const QString kTitle = QStringLiteral("Ocumetra");

// The title's text as the window manager drew it: in the title bar, the widest group of
// columns that differ from the bar's background (the icon and each button are narrow
// groups of their own).
QImage titleText(const QImage& bar)
{
    // The bar may be a gradient from top to bottom: each row has its own background.
    QVector<QRgb> background(bar.height());
    for (int y = 0; y < bar.height(); ++y) {
        QHash<QRgb, int> counts;
        for (int x = 0; x < bar.width(); ++x)
            ++counts[bar.pixel(x, y)];
        int most = 0;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
            if (it.value() > most) {
                most = it.value();
                background[y] = it.key();
            }
        }
    }
    auto inked = [&](int x) {
        for (int y = 0; y < bar.height(); ++y) {
            const QRgb p = bar.pixel(x, y);
            const QRgb b = background[y];
            if (std::abs(qRed(p) - qRed(b)) + std::abs(qGreen(p) - qGreen(b)) + std::abs(qBlue(p) - qBlue(b)) > 90)
                return true;
        }
        return false;
    };
    int bestStart = -1;
    int bestWidth = 0;
    int start = -1;
    int last = -1;
    for (int x = 0; x <= bar.width(); ++x) {
        const bool ink = x < bar.width() && inked(x);
        if (ink) {
            if (start < 0)
                start = x;
            last = x;
        }
        if (start >= 0 && (x == bar.width() || (!ink && x - last >= 6))) {
            if (last - start + 1 > bestWidth) {
                bestWidth = last - start + 1;
                bestStart = start;
            }
            start = -1;
        }
    }
    return bestStart < 0 ? QImage() : bar.copy(bestStart, 0, bestWidth, bar.height());
}

// Shows the box as the program does and takes its title bar off the screen.
QImage titleBarOf(const QString& text, QString* problem)
{
    QImage bar;
    QTimer::singleShot(0, [&] {
        QWidget* box = nullptr;
        if (!QTest::qWaitFor([&] { return (box = QApplication::activeModalWidget()) && box->isVisible(); }, 5000)) {
            *problem = QStringLiteral("no box was shown");
            return;
        }
        // The strip right above the box, where the window manager draws its title bar
        // (read off the screen: the frame's size may reach the program late).
        auto grabStrip = [&] {
            const QRect client = box->geometry();
            return QGuiApplication::primaryScreen()
                ->grabWindow(0, client.left(), client.top() - 17, client.width(), 15)
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        };
        if (!QTest::qWaitFor([&] { return !titleText(grabStrip()).isNull(); }, 5000))
            *problem = QStringLiteral("the box has no title bar");
        QTest::qWait(500);
        bar = grabStrip();
        if (auto* message = qobject_cast<QMessageBox*>(box))
            message->button(QMessageBox::Ok)->click();
        else
            box->close();
    });
    IMsgBox::showMsg(text, IMsgBox::Ok, kTitle, nullptr);
    return bar;
}
}

class TestKitMsgBoxWm : public QObject
{
    Q_OBJECT

private slots:
    // "Save Successful." showed its title as "Oc… ra": the box was narrower than its title.
    void shortTextKeepsWholeTitle()
    {
        IDialogSeam::setMessageHook(nullptr);
        QString problem;
        const QImage wide = titleBarOf(QStringLiteral("A text long enough to give the box room for any title bar: "
                                                      "the title shows whole here."),
                                       &problem);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        wide.save(TestEnv::homePath() + QStringLiteral("/msgbox-title-wide.png"));
        const QImage whole = titleText(wide);
        QVERIFY2(!whole.isNull(), qPrintable(QStringLiteral("no title in a bar of %1x%2").arg(wide.width()).arg(wide.height())));

        const QImage narrow = titleBarOf(QStringLiteral("Save Successful."), &problem);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        const QImage shown = titleText(narrow);
        narrow.save(TestEnv::homePath() + QStringLiteral("/msgbox-title-short.png"));
        QVERIFY2(shown.size() == whole.size() && shown == whole,
                 qPrintable(QStringLiteral("title %1 px wide instead of %2")
                                .arg(shown.width())
                                .arg(whole.width())));
    }
};

OCUMETRA_TEST_MAIN(TestKitMsgBoxWm)

#include "tst_kit_msgbox_wm.moc"
