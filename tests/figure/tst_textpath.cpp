#include <QtTest>

#include <QFontMetrics>

#include "tst_figure.h"

#include "board/iboard.h"
#include "board/islide.h"
#include "board/item/itextelement.h"
#include "board/model/imodemanage.h"
#include "board/model/itextpathmode.h"
#include "board/path/itextpathelement.h"

using namespace TX_IBOARD_ENUM;

namespace {

ITextPathMode* textPathMode(IBoard* board)
{
    return dynamic_cast<ITextPathMode*>(board->modeManage()->mode(QStringLiteral("textPath")));
}

QList<ITextPathElement*> textPaths(ISlide* slide)
{
    QList<ITextPathElement*> out;
    for (IElement* e : slide->elements()) {
        if (auto* t = dynamic_cast<ITextPathElement*>(e))
            out << t;
    }
    return out;
}

// Bounding box of the pixels painted in the image, in scene coordinates.
QRect paintedArea(const QImage& image, const QRect& area)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box.translated(area.topLeft());
}

} // namespace

void TestFigure::textPathLayout()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(30);
    const int h = QFontMetrics(font).height();
    ITextPathElement e;
    QCOMPARE(e.pathStyle(), 1);
    QCOMPARE(e.type(), QGraphicsItem::UserType + 15);
    QVERIFY(!e.getId().isEmpty());
    QVERIFY(e.flags() & QGraphicsItem::ItemIsSelectable);
    QVERIFY(!(e.flags() & QGraphicsItem::ItemIsMovable));
    e.setFont(font);
    e.setStartPos(QPointF(100, 200));
    // Font and position are only stored.
    QVERIFY(e.path().isEmpty());
    e.setText(QStringLiteral("x\n\nx"));
    QCOMPARE(e.text(), QStringLiteral("x\n\nx"));
    const QRectF box = e.path().boundingRect();
    // The first line sits on the start's baseline, the third two line steps below it.
    const double xHeight = QFontMetrics(font).xHeight();
    QVERIFY(qAbs(box.top() - (200 - xHeight)) < 2.5);
    QVERIFY(qAbs(box.bottom() - (200 + 2 * (h + 1))) < 1.5);
    QVERIFY(box.left() >= 100 && box.left() < 104);
    // Nothing on the empty middle line.
    QVERIFY(!e.path().intersects(QRectF(90, 202, 100, 2 * (h + 1) - xHeight - 4)));

    // Glyphs filled in the colour at the element's alpha, no outline.
    e.setColor(QColor(0, 0, 255));
    e.setAlpha(255);
    const QRect area(80, 150, 100, 150);
    QImage image = paintFigure(&e, area);
    QVERIFY(paintedArea(image, area).intersects(QRect(100, 190, 20, 10)));
    QCOMPARE(e.pen().style(), Qt::NoPen);
    QCOMPARE(e.brush().color(), QColor(0, 0, 255));
    bool solidBlue = false;
    for (int y = 0; y < image.height() && !solidBlue; ++y) {
        for (int x = 0; x < image.width(); ++x)
            solidBlue |= image.pixel(x, y) == qRgba(0, 0, 255, 255);
    }
    QVERIFY(solidBlue);
    e.setAlpha(100);
    image = paintFigure(&e, area);
    int maxAlpha = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            maxAlpha = qMax(maxAlpha, qAlpha(image.pixel(x, y)));
    }
    QCOMPARE(maxAlpha, 100);
}

void TestFigure::textPathCopies()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(40);
    font.setBold(true);
    ITextPathElement e;
    e.setFont(font);
    e.setStartPos(QPointF(20, 60));
    e.setText(QStringLiteral("Ab\ncd"));
    e.setColor(QColor(200, 0, 0));
    e.setAlpha(180);
    e.setThickness(2);
    e.addEraseRegion(QRegion(20, 30, 15, 15));
    std::unique_ptr<IElement> copy(e.deepCopy());
    auto* c = dynamic_cast<ITextPathElement*>(copy.get());
    QVERIFY(c);
    QCOMPARE(c->text(), e.text());
    QCOMPARE(c->font(), font);
    QCOMPARE(c->startPos(), QPointF(20, 60));
    QVERIFY(c->getId() != e.getId());
    // Laid out with the copied font and position: the same glyphs, the same pixels.
    QCOMPARE(c->path(), e.path());
    const QRect area(0, 0, 160, 160);
    const QImage original = paintFigure(&e, area);
    QVERIFY(!paintedArea(original, area).isEmpty());
    QCOMPARE(paintFigure(c, area), original);

    // Copying onto another text path element takes font and position but lays nothing out.
    ITextPathElement target(QStringLiteral("zz"));
    const QPainterPath before = target.path();
    e.copyItemParameters(&target);
    QCOMPARE(target.font(), font);
    QCOMPARE(target.startPos(), QPointF(20, 60));
    QCOMPARE(target.path(), before);
    QCOMPARE(target.color(), QColor(200, 0, 0));
    // Another class is left alone.
    IPathElement plain;
    plain.setColor(Qt::green);
    e.copyItemParameters(&plain);
    QCOMPARE(plain.color(), QColor(Qt::green));
    ITextPathElement other;
    plain.copyItemParameters(&other);
    QCOMPARE(other.font(), QFont());
}

void TestFigure::textPathModeTypesAndConverts()
{
    ShownBoard b;
    ITextPathMode* mode = textPathMode(b.board);
    QVERIFY(mode);
    // Built with the board, but no mode type makes it current.
    for (int type = 0; type <= MODE_TYPE_END; ++type) {
        b.board->setMode(ModeType(type));
        QVERIFY(b.board->modeManage()->currentMode() != mode);
    }
    b.board->setMode(MODE_PEN);
    b.board->setCursor(QCursor(Qt::CrossCursor));
    mode->switchOn();
    QCOMPARE(b.board->cursor().shape(), Qt::IBeamCursor);

    IBoardState* state = b.board->boardState();
    state->inkColor = QColor(0, 0, 255);
    state->inkOpacity = 200;
    QSignalSpy added(b.slide, &ISlide::sgElementsAddedEvent);

    // A press with nothing typed makes nothing; the release places the text element.
    IDeviceEventArgs down(QMouseEvent(QEvent::MouseButtonPress, QPointF(100, 50), Qt::LeftButton,
                                      Qt::LeftButton, Qt::NoModifier),
                          ISlidePoint(100, 50), false, 0);
    mode->deviceDown(&down);
    QVERIFY(state->isTouchingBoard());
    QVERIFY(textPaths(b.slide).isEmpty());
    mode->deviceUp(&down);
    QVERIFY(!state->isTouchingBoard());
    ITextElement* text = mode->textElement();
    QVERIFY(text);
    QVERIFY(b.slide->elements().contains(static_cast<IElement*>(text)));
    QCOMPARE(state->textElement(), static_cast<IAbstractGraphicsTextElement*>(text));
    QCOMPARE(added.count(), 1);
    QCOMPARE(text->pos(), QPointF(100, 50));
    QCOMPARE(text->textWidth(), 500.0);
    QCOMPARE(text->font().family(), QStringLiteral("Arial"));
    QCOMPARE(text->defaultTextColor(), QColor(0, 0, 255, 200));
    QVERIFY(text->toPlainText().isEmpty());

    // Typed text becomes a path element at the next press.
    text->setPlainText(QStringLiteral("Hello\nboard"));
    mode->deviceDown(&down);
    QList<ITextPathElement*> made = textPaths(b.slide);
    QCOMPARE(made.size(), 1);
    ITextPathElement* e = made.first();
    QCOMPARE(e->startPos(), QPointF(102, 75));
    QCOMPARE(e->text(), QStringLiteral("Hello\nboard"));
    QCOMPARE(e->color(), QColor(0, 0, 255));
    QCOMPARE(e->alpha(), 200);
    QCOMPARE(e->font(), text->font());
    QVERIFY(e->isVisible());
    QCOMPARE(added.count(), 2);
    QVERIFY(e->eraseRegion().isEmpty());
    // The text element keeps its text until the release clears it.
    QCOMPARE(text->toPlainText(), QStringLiteral("Hello\nboard"));
    IDeviceEventArgs up(QMouseEvent(QEvent::MouseButtonRelease, QPointF(300, 200), Qt::LeftButton,
                                    Qt::NoButton, Qt::NoModifier),
                        ISlidePoint(300, 200), false, 0);
    mode->deviceUp(&up);
    QCOMPARE(mode->textElement(), text);
    QVERIFY(text->toPlainText().isEmpty());
    QCOMPARE(text->pos(), QPointF(300, 200));

    // Leaving the mode converts what was typed and gives the cursor back.
    text->setPlainText(QStringLiteral("more"));
    mode->switchOff();
    QCOMPARE(b.board->cursor().shape(), Qt::CrossCursor);
    QCOMPARE(textPaths(b.slide).size(), 2);
    QVERIFY(!text->isVisible());
    QCOMPARE(textPaths(b.slide).last()->startPos(), QPointF(302, 225));
}

void TestFigure::textPathClippedToPicture()
{
    ShownBoard b(QSize(400, 300));
    const QRectF picture = b.board->pixmapEleBoundingRect();
    QVERIFY(!picture.isEmpty());
    ITextPathMode* mode = textPathMode(b.board);
    mode->switchOn();
    // Placed so that the text runs over the picture's right edge.
    const QPointF at(picture.right() - 60, picture.top() + 40);
    IDeviceEventArgs click(QMouseEvent(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton,
                                       Qt::NoModifier),
                           ISlidePoint(at), false, 0);
    mode->deviceDown(&click);
    mode->deviceUp(&click);
    mode->textElement()->setPlainText(QStringLiteral("WWWWWWWWWWWW"));
    mode->endTextEdit();
    QVERIFY(!mode->textElement()->isVisible());
    // Converted once: the next press does not convert the same text again.
    mode->deviceDown(&click);
    QList<ITextPathElement*> made = textPaths(b.slide);
    QCOMPARE(made.size(), 1);
    ITextPathElement* e = made.first();
    QVERIFY(e->path().boundingRect().right() > picture.right() + 20);
    QVERIFY(!e->eraseRegion().isEmpty());
    const QRect area = picture.toAlignedRect().adjusted(-50, -50, 300, 50);
    const QRect painted = paintedArea(paintFigure(e, area), area);
    QVERIFY(!painted.isEmpty());
    QVERIFY2(painted.right() < picture.right() + 1, qPrintable(QString::number(painted.right())));
    QVERIFY(painted.left() < picture.right() - 30);

    // Wholly outside: it stays on the page but paints nothing.
    const QPointF outside(picture.right() + 100, picture.top() + 40);
    IDeviceEventArgs far(QMouseEvent(QEvent::MouseButtonRelease, outside, Qt::LeftButton,
                                     Qt::NoButton, Qt::NoModifier),
                         ISlidePoint(outside), false, 0);
    mode->deviceDown(&far);
    mode->deviceUp(&far);
    mode->textElement()->setPlainText(QStringLiteral("gone"));
    mode->deviceDown(&far);
    made = textPaths(b.slide);
    QCOMPARE(made.size(), 2);
    QVERIFY(paintedArea(paintFigure(made.last(), area), area).isEmpty());
    mode->switchOff();
}
