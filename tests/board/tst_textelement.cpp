#include <QApplication>
#include <QDesktopWidget>
#include <QFocusEvent>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QSignalSpy>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

#include "tst_board.h"

#include "board/item/itextelement.h"

using namespace TX_IBOARD_ENUM;

namespace {

double dpiX()
{
    return QApplication::desktop()->screen(-1)->logicalDpiX();
}

int lineHeight(const ITextElement& e)
{
    return QFontMetrics(e.font()).height();
}

// A shown view over a scene, so that focus and key events reach items.
struct Stage
{
    QGraphicsScene scene;
    QGraphicsView view{&scene};

    Stage()
    {
        view.resize(600, 400);
        view.show();
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        view.setFocus();
    }
};

void sendFocus(ITextElement& e, QEvent::Type type, Qt::FocusReason reason)
{
    QFocusEvent event(type, reason);
    QCoreApplication::sendEvent(e.scene(), &event);
    Q_UNUSED(e)
}

} // namespace

void TestBoard::textElementProperties()
{
    ITextElement e;
    QCOMPARE(e.type(), 65547);
    QCOMPARE(e.getElementProperty(ELEMENT_TYPE).toInt(), 65547);
    QVERIFY(!e.getId().isEmpty());
    QVERIFY(!e.getId().contains(QLatin1Char('{')));
    QCOMPARE(e.data(0).toString(), e.getId());
    QCOMPARE(e.getElementProperty(ELEMENT_ID).toString(), e.getId());
    QCOMPARE(e.getLayer(), ITextElement::DefaultLayer);
    QCOMPARE(e.zValue(), ITextElement::DefaultLayer);
    QCOMPARE(e.getElementProperty(ELEMENT_PLACEHOLDER).toBool(), false);
    QCOMPARE(e.getElementProperty(ELEMENT_GEOMETRY).toString().section(',', 1, 1), QStringLiteral("-1"));
    QVERIFY(e.flags() & QGraphicsItem::ItemIsSelectable);
    QCOMPARE(e.acceptedMouseButtons(), Qt::LeftButton);
    ITextElement other;
    QVERIFY(other.getId() != e.getId());

    // The layer first: renaming a stacked text must not move it.
    e.setElementProperty(ELEMENT_LAYER, 7.5);
    e.setElementProperty(ELEMENT_LOCKED, true);
    e.setElementProperty(ELEMENT_ID, QStringLiteral("t-1"));
    e.setId(QStringLiteral("t-1"));
    QCOMPARE(e.getId(), QStringLiteral("t-1"));
    QCOMPARE(e.getLayer(), 7.5);
    QCOMPARE(e.data(3).toBool(), true);
    QVERIFY(e.isLocked());
    QCOMPARE(e.data(1).toDouble(), 7.5);
    QCOMPARE(e.zValue(), 7.5);
    e.setElementProperty(ELEMENT_PLACEHOLDER, true);
    QVERIFY(e.isPlaceholderShown());
    e.setElementProperty(ELEMENT_TAG, QStringLiteral("4"));
    e.setElementProperty(ELEMENT_TAG_DATA, QVariant(QSize(2, 3)));
    QCOMPARE(e.getElementProperty(ELEMENT_TAG).toInt(), 4);
    QCOMPARE(e.getElementProperty(ELEMENT_TAG_DATA).toSize(), QSize(2, 3));
    e.setElementProperty(ELEMENT_FILE_PATH, QStringLiteral("/x"));   // read-only here
    QVERIFY(e.getElementProperty(ELEMENT_FILE_PATH).toString().isEmpty());
    QVERIFY(!e.getElementProperty(ElementStype(12)).isValid());

    e.setPlainText(QStringLiteral("hello board"));
    QVERIFY(e.getElementProperty(ELEMENT_HTML).toString().contains(QStringLiteral("hello board")));

    // Position: small changes and matrices with a horizontal shift do not move it.
    e.setElementProperty(ELEMENT_X, 0.5);
    QCOMPARE(e.pos(), QPointF(0, 0));
    e.setElementProperty(ELEMENT_X, 10.0);
    e.setElementProperty(ELEMENT_Y, 20.0);
    QCOMPARE(e.pos(), QPointF(10, 20));
    QCOMPARE(e.getElementProperty(ELEMENT_X).toDouble(), 10.0);
    e.setMatrix(QMatrix(1, 0, 0, 1, 5, 0));
    e.setElementProperty(ELEMENT_Y, 60.0);
    e.setElementProperty(ELEMENT_X, 60.0);
    QCOMPARE(e.pos(), QPointF(10, 20));
}

void TestBoard::textElementMatrixText()
{
    ITextElement e;
    e.setElementProperty(ELEMENT_MATRIX, QStringLiteral("matrix(2, 0, 0, 3, 4, 5)"));
    QCOMPARE(e.matrix(), QMatrix(2, 0, 0, 3, 4, 5));
    QCOMPARE(stringToMatrix(e.getElementProperty(ELEMENT_MATRIX).toString()), QMatrix(2, 0, 0, 3, 4, 5));
    // Replaces, not combines.
    e.setElementProperty(ELEMENT_MATRIX, QStringLiteral("matrix(1, 0, 0, 1, 0, 0)"));
    QCOMPARE(e.matrix(), QMatrix());
    // A matrix that cannot be inverted is refused.
    e.setElementProperty(ELEMENT_MATRIX, QStringLiteral("matrix(0, 0, 0, 0, 3, 3)"));
    QCOMPARE(e.matrix(), QMatrix());
    // Read relative to the initial scale.
    e.setInitialScale(2, 2);
    QCOMPARE(e.matrix(), QMatrix(2, 0, 0, 2, 0, 0));
    QCOMPARE(e.getCurrentMatrix(), QMatrix());
    e.setInitialScale(0, 0);   // not invertible: read as the scene matrix
    QCOMPARE(e.getCurrentMatrix(), e.sceneMatrix());
}

void TestBoard::textElementFontAndGeometryTexts()
{
    ITextElement e;
    e.setFontFamily(QStringLiteral("Arial"));
    e.setFontSize(24.0);
    QCOMPARE(e.getElementProperty(ELEMENT_FONT).toString(), QStringLiteral("Arial,24,50,0"));
    QFont oblique = e.font();
    oblique.setStyle(QFont::StyleOblique);
    oblique.setWeight(75);
    e.setFont(oblique);
    const QString text = e.getElementProperty(ELEMENT_FONT).toString();
    QCOMPARE(text, QStringLiteral("Arial,24,75,1"));
    ITextElement back;
    back.setElementProperty(ELEMENT_FONT, text);
    QCOMPARE(back.font().style(), QFont::StyleItalic);
    QCOMPARE(back.font().pointSize(), 24);
    QCOMPARE(back.font().weight(), 75);
    QCOMPARE(back.storedFont(), back.font());

    // Malformed font texts change nothing.
    const QFont before = back.font();
    for (const char* bad : {"Arial,12", "Arial,x,50,0", ",12,50,0", "Arial,12,50,0,9", "Arial,-3,50,0", ""})
        back.setElementProperty(ELEMENT_FONT, QString::fromLatin1(bad));
    QCOMPARE(back.font(), before);

    // Geometry: -1 leaves a field, the last two are not applied.
    ITextElement g;
    const double width = g.textWidth();
    g.setElementProperty(ELEMENT_GEOMETRY, QStringLiteral("-1,-1,5,5"));
    QCOMPARE(g.textWidth(), width);
    QCOMPARE(g.textHeight(), -1.0);
    g.setElementProperty(ELEMENT_GEOMETRY, QStringLiteral("100,-1,0,0"));
    QCOMPARE(g.textWidth(), qMax(100.0 * dpiX() / 72.0, double(lineHeight(g))));
    g.setElementProperty(ELEMENT_GEOMETRY, QStringLiteral("-1,80,0,0"));
    QCOMPARE(g.textHeight(), 80.0);
    const QStringList fields = g.getElementProperty(ELEMENT_GEOMETRY).toString().split(',');
    QCOMPARE(fields.size(), 4);
    QCOMPARE(fields.at(0).toDouble(), g.textWidth() * 72.0 / dpiX());
    QCOMPARE(fields.at(1), QStringLiteral("80"));
    for (const char* bad : {"1,2", "a,b,c,d", "50,nan,0,0"})
        g.setElementProperty(ELEMENT_GEOMETRY, QString::fromLatin1(bad));
    QCOMPARE(g.textHeight(), 80.0);
    QCOMPARE(g.textWidth(), qMax(100.0 * dpiX() / 72.0, double(lineHeight(g))));
}

void TestBoard::textElementSizing()
{
    ITextElement e;
    e.setTextWidth(5);
    QCOMPARE(e.textWidth(), double(qMax(lineHeight(e), 20)));
    e.setTextHeight(0);
    const double least = lineHeight(e) + 2 * e.document()->documentMargin();
    QCOMPARE(e.textHeight(), least);
    QCOMPARE(e.boundingRect(), QRectF(0, 0, e.textWidth(), least));
    e.setTextHeight(200);
    QCOMPARE(e.boundingRect().height(), 200.0);

    ITextElement r(QStringLiteral("some words to size"));
    r.setTextWidth(120);
    QCOMPARE(r.size(), r.sceneBoundingRect().size());
    r.resize(r.size().width(), 5);   // same width: nothing
    QCOMPARE(r.textWidth(), 120.0);
    r.resize(QSizeF(r.size().width() * 2, 0));
    QCOMPARE(r.textWidth(), 240.0);
    // A written text is never narrower than one line height.
    r.setTextWidth(1);
    QCOMPARE(r.textWidth(), double(lineHeight(r)));
}

void TestBoard::textElementDeepCopy()
{
    ITextElement e;
    e.setFontFamily(QStringLiteral("Arial"));
    e.setFontSize(18);
    e.setDefaultTextColor(QColor(10, 20, 30, 200));
    e.setHtml(QStringLiteral("<b>bold</b> and <span style=\"color:#ff0000\">red</span>"));
    e.setPos(30, 40);
    e.setLayer(3.0);
    e.setTextWidth(300);
    e.setTag(9);

    std::unique_ptr<IElement> copied(e.deepCopy());
    auto* c = dynamic_cast<ITextElement*>(copied.get());
    QVERIFY(c);
    QCOMPARE(c->toPlainText(), QStringLiteral("bold and red"));
    QVERIFY(!c->toHtml().contains(QStringLiteral("font-weight:600")));   // formats are not copied
    QCOMPARE(c->font(), e.font());
    QCOMPARE(c->storedFont(), e.font());
    QCOMPARE(c->defaultTextColor(), QColor(10, 20, 30, 200));
    QVERIFY(c->getId() != e.getId());
    QCOMPARE(c->getBackgroundColor(), QColor(255, 255, 255, 0));
    QCOMPARE(c->pos(), QPointF(30, 40));
    QCOMPARE(c->getLayer(), 3.0);
    QCOMPARE(c->tag(), 9);
    QCOMPARE(c->textWidth(), 300.0);
    QVERIFY(!c->parentItem());

    // Only onto text elements.
    TestPathElement path;
    e.copyItemParameters(&path);
    QCOMPARE(path.pos(), QPointF(0, 0));
}

void TestBoard::textElementFormatting()
{
    ITextElement e(QStringLiteral("text"));
    QFont f = e.font();
    f.setWeight(57);
    e.setFont(f);
    e.setTextBold();
    QCOMPARE(e.font().weight(), int(QFont::Bold));
    f.setWeight(QFont::DemiBold);
    e.setFont(f);
    e.setTextBold();
    QCOMPARE(e.font().weight(), int(QFont::Normal));
    f.setStyle(QFont::StyleOblique);
    e.setFont(f);
    e.setTextItalic();
    QCOMPARE(e.font().style(), QFont::StyleNormal);
    e.setTextItalic();
    QCOMPARE(e.font().style(), QFont::StyleItalic);
    e.setTextUnderline();
    QVERIFY(e.font().underline());
    e.setFontSize(10.5);
    QCOMPARE(e.font().pointSize(), 10);
    e.setFontFamily(QStringLiteral("Courier"));
    QCOMPARE(e.font().family(), QStringLiteral("Courier"));

    // Selection-only formats need a selection.
    e.setSelectedTextColor(Qt::red);
    QCOMPARE(e.getSelectedTextColor(), QColor(Qt::black));
    QTextCursor cursor = e.textCursor();
    cursor.setPosition(0);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    e.setTextCursor(cursor);
    e.setSelectedTextColor(Qt::red);
    e.setSelectedTextBold();
    QCOMPARE(e.getSelectedTextColor(), QColor(Qt::red));
    QCOMPARE(e.textCursor().charFormat().foreground().color(), QColor(Qt::red));
    QCOMPARE(e.textCursor().charFormat().fontWeight(), int(QFont::Bold));
    e.unsetSelectedTextBold();
    QCOMPARE(e.textCursor().charFormat().fontWeight(), int(QFont::Normal));

    e.alignText(Qt::AlignHCenter);
    QCOMPARE(e.textAlignment(), Qt::Alignment(Qt::AlignLeft));
    e.alignText(Qt::AlignCenter);
    QCOMPARE(e.textAlignment(), Qt::Alignment(Qt::AlignCenter));
    QCOMPARE(e.textCursor().blockFormat().alignment(), Qt::Alignment(Qt::AlignCenter));

    e.setEditable(true);
    QVERIFY(e.isEditable());
    QCOMPARE(e.textInteractionFlags(), Qt::TextEditorInteraction);
    e.setEditable(false);
    QVERIFY(!e.isEditable());
}

void TestBoard::textElementEditingStates()
{
    Stage stage;
    auto* e = new ITextElement;
    stage.scene.addItem(e);
    auto* other = new QGraphicsTextItem(QStringLiteral("other"));
    other->setPos(0, 200);
    other->setTextInteractionFlags(Qt::TextSelectableByMouse);   // can take the focus
    stage.scene.addItem(other);
    e->setFontFamily(QStringLiteral("Arial"));
    e->setFontSize(30);
    QSignalSpy ended(e, &ITextElement::endEdit);

    // Gaining the focus makes it editable and selected (a focusable item is one with
    // some text interaction).
    e->setTextInteractionFlags(Qt::TextSelectableByMouse);
    e->setFocus(Qt::OtherFocusReason);
    QCOMPARE(e->textInteractionFlags(), Qt::TextEditorInteraction);
    QVERIFY(e->isEditable());
    QVERIFY(e->isSelected());

    // Typing with real key events ends up in the element's html.
    QSignalSpy moved(e, &ITextElement::cursorPositionChanged);
    QTest::keyClicks(stage.view.viewport(), QStringLiteral("Hi"));
    QCOMPARE(e->toPlainText(), QStringLiteral("Hi"));
    QVERIFY(e->getElementProperty(ELEMENT_HTML).toString().contains(QStringLiteral(">Hi<")));
    QCOMPARE(moved.count(), 2);
    QTest::keyClick(stage.view.viewport(), Qt::Key_Backspace);
    QTest::keyClick(stage.view.viewport(), Qt::Key_Backspace);
    QVERIFY(e->toPlainText().isEmpty());

    // A combo box's popup taking the focus keeps the editing.
    sendFocus(*e, QEvent::FocusOut, Qt::PopupFocusReason);
    QVERIFY(e->isEditable());
    e->setFocus(Qt::OtherFocusReason);

    // With can-focus-out off a click elsewhere leaves it editable.
    e->setCanFocusOut(false);
    other->setFocus(Qt::MouseFocusReason);
    QVERIFY(other->hasFocus());
    QVERIFY(e->isEditable());
    QCOMPARE(ended.count(), 0);
    e->setCanFocusOut(true);
    e->setFocus(Qt::OtherFocusReason);

    // Left empty: the placeholder shows, the font is kept, at least a line wide.
    other->setFocus(Qt::MouseFocusReason);
    QVERIFY(other->hasFocus());
    QCOMPARE(ended.count(), 1);
    QVERIFY(!e->isEditable());
    QVERIFY(!e->isSelected());
    QVERIFY(e->isPlaceholderShown());
    QCOMPARE(e->storedFont().pointSize(), 30);
    QVERIFY(e->textWidth() >= QFontMetrics(e->font()).height());

    // Back into it: empty document, typing in the stored font.
    QFont small = e->font();
    small.setPointSize(8);
    e->setFont(small);
    e->setEditable(true);   // as the frame does on a second click
    e->setFocus(Qt::MouseFocusReason);
    QVERIFY(!e->isPlaceholderShown());
    QCOMPARE(e->font().pointSize(), 30);
    QTest::keyClicks(stage.view.viewport(), QStringLiteral("A"));
    QCOMPARE(e->toPlainText(), QStringLiteral("A"));
    QCOMPARE(e->textCursor().charFormat().font().pointSize(), 30);

    // Finishing with text narrows it to the text.
    e->setTextWidth(500);
    e->finishEdit();
    QVERIFY(e->textWidth() < 500);
    QVERIFY(!e->isPlaceholderShown());
}

void TestBoard::textElementPaintsWithoutQtOutline()
{
    QGraphicsScene scene;
    auto* e = new ITextElement(QStringLiteral("outline"));
    scene.addItem(e);
    auto render = [&scene, e]() {
        QImage img(e->boundingRect().size().toSize() + QSize(4, 4), QImage::Format_ARGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        scene.render(&p, QRectF(img.rect()), e->sceneBoundingRect().adjusted(-2, -2, 2, 2));
        return img;
    };
    const QImage plain = render();
    e->setSelected(true);
    e->setTextInteractionFlags(Qt::TextEditorInteraction);
    e->setTextInteractionFlags(Qt::NoTextInteraction);
    QCOMPARE(render(), plain);
}
