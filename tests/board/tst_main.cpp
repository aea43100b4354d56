#include <stdexcept>

#include <QtTest>

#include "testenv.h"
#include "tst_board.h"

#include "board/islide.h"
#include "board/model/imodemanage.h"
#include "service/iboardservice.h"

int TestPathElement::alive = 0;
int TestTextElement::alive = 0;

TestPathElement::TestPathElement(const QRectF& rect, int typeOffset) : m_typeOffset(typeOffset)
{
    QPainterPath path;
    path.addRect(rect);
    setPath(path);
    setBrush(Qt::black);
    setLayer(-9000000.0);
    ++alive;
}

TestPathElement::~TestPathElement()
{
    --alive;
}

IElement* TestPathElement::deepCopy() const
{
    auto* copy = new TestPathElement(path().boundingRect(), m_typeOffset);
    copyItemParameters(copy);
    return copy;
}

TestTextElement::TestTextElement(const QString& text) : IAbstractGraphicsTextElement(text)
{
    setLayer(-8990001.0);
    ++alive;
}

TestTextElement::~TestTextElement()
{
    --alive;
}

IElement* TestTextElement::deepCopy() const
{
    auto* copy = new TestTextElement(toPlainText());
    copyItemParameters(copy);
    return copy;
}

RecordingMode::RecordingMode(IBoard* board, const QString& name, QStringList* log)
    : IMode(board), m_log(log)
{
    m_name = name;
}

void RecordingMode::deviceDown(IDeviceEventArgs* args)
{
    if (throwOnDown)
        throw std::runtime_error("mode failed");
    IMode::deviceDown(args);
    m_log->append(m_name + ":down");
}

void RecordingMode::deviceMove(IDeviceEventArgs* args)
{
    IMode::deviceMove(args);
    m_log->append(m_name + ":move");
}

void RecordingMode::deviceUp(IDeviceEventArgs* args)
{
    IMode::deviceUp(args);
    m_log->append(m_name + ":up");
}

void RecordingMode::switchOn()
{
    IMode::switchOn();
    m_log->append(m_name + ":on");
}

void RecordingMode::switchOff()
{
    IMode::switchOff();
    m_log->append(m_name + ":off");
}

void RecordingMode::setFigureType(TX_IBOARD_ENUM::FigureType type)
{
    m_log->append(m_name + ":figure:" + QString::number(type));
}

void TestBoard::cleanup()
{
    for (const char* name : {"select", "eraser", "pen", "shape", "figure", "selectorPath", "text", "pencilPath",
                             "pathErase", "figurePath"})
        IModeManage::unregisterMode(QString::fromLatin1(name));
    ISlide::setSceneFrameFactory(nullptr);
    IBoardService::instance()->setBoard(nullptr);
    QCOMPARE(TestPathElement::alive, 0);
    QCOMPARE(TestTextElement::alive, 0);
}

OCUMETRA_TEST_MAIN(TestBoard)
