#include "customui/ifigureframe.h"

#include <QVBoxLayout>

#include "customui/iitoolbutton.h"
#include "iglobal.h"
#include "service/iboardservice.h"

IFigureFrame::IFigureFrame(IApplication* app, QWidget* parent)
    : IPanelFrame(app, parent)
{
    CreateUI();
    setBackgroundLinearGradient(true);
}

void IFigureFrame::setFrameVisible(const bool& visible)
{
    if (visible) {
        placeLeftOfBoardButton(IBoardToolBar::Shape);
        setFigure(m_current);
    }
    setVisible(visible);
}

void IFigureFrame::setFigure(QVariant id)
{
    bool ok = false;
    const int figure = id.toInt(&ok);
    if (!ok)
        return;
    IBoardService* board = IBoardService::instance();
    const auto mode = TX_IBOARD_ENUM::SCENE_DISPLAY_DEFAULT;
    switch (figure) {
    case 0:
        board->switchFigureLine(mode);
        break;
    case 1:
        board->switchFigureCircle(mode);
        break;
    case 2:
        board->switchFigureEllipse(mode);
        break;
    case 3:
        board->switchFigureTriangle(mode);
        break;
    case 4:
        board->switchFigureRectangle(mode);
        break;
    default:
        break;
    }
}

void IFigureFrame::setButtonSelectState(QVariant id, bool select)
{
    if (select) {
        for (IIToolButton* button : qAsConst(m_buttons))
            button->setSelectState(false);
    }
    if (IIToolButton* button = m_buttons.value(id)) {
        button->setSelectState(select);
        setFigure(id);
    }
    m_current = id;
}

void IFigureFrame::CreateUI()
{
    const QList<QPair<QString, QString>> shapes = {
        {tr("Straight line"), QStringLiteral(":/figure/figure/fline.svg")},
        {tr("Circle"), QStringLiteral(":/figure/figure/fcricle.svg")},
        {tr("Oval"), QStringLiteral(":/figure/figure/fellipse.svg")},
        {tr("Triangle"), QStringLiteral(":/figure/figure/ftriangle.svg")},
        {tr("Rectangle"), QStringLiteral(":/figure/figure/frectangle.svg")}};
    auto* layout = new QVBoxLayout(this);
    const int m = static_cast<int>(10 * IGSQUARERATE);
    layout->setContentsMargins(m, m, m, m);
    for (int id = 0; id < shapes.size(); ++id)
        layout->addWidget(CreateButton(id, shapes.at(id).first, shapes.at(id).second, true, QSize(40, 40)));
    m_buttons.value(0)->setSelectState(true);
    adjustSize();
}

IIToolButton* IFigureFrame::CreateButton(QVariant id, const QString& tip, const QString& image,
                                         const bool& checkable, QSize size)
{
    auto* button = new IIToolButton(id, tip, image, checkable, size, 8, nullptr);
    m_buttons.insert(id, button);
    connect(button, &IIToolButton::sgButtonClick, button,
            [this, id](bool, QVariant) { setButtonSelectState(id, true); }, Qt::DirectConnection);
    return button;
}
