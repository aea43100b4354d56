#include "iboardtoolbar.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "customui/iitoolbutton.h"
#include "iglobal.h"

namespace {
int scaled(double v) { return int(v * IGSQUARERATE); }

bool isModeButton(int id)
{
    return id == IBoardToolBar::Move || id == IBoardToolBar::Pencil || id == IBoardToolBar::Text
           || id == IBoardToolBar::Shape || id == IBoardToolBar::Eraser;
}
}

IBoardToolBar::IBoardToolBar(IApplication* app, QWidget* parent)
    : ICustomWidget(parent)
    , m_app(app)
{
    setFixedWidth(scaled(60));
    CreateUI();
    setButtonSelectState(QVariant(int(Move)), true);
}

QPoint IBoardToolBar::buttonGlobslPos(IBoardToolBar::ButtonType type)
{
    IIToolButton* b = m_buttons.value(QVariant(int(type)));
    return b ? b->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
}

void IBoardToolBar::setButtonSelectState(const QVariant& id, bool b)
{
    for (IIToolButton* button : qAsConst(m_buttons))
        button->setSelectState(false);
    if (IIToolButton* button = m_buttons.value(id))
        button->setSelectState(b);
}

void IBoardToolBar::CreateUI()
{
    struct Row { ButtonType id; const char* text; const char* svg; bool checkable; };
    static const Row rows[] = {
        {Move, QT_TR_NOOP("Move"), ":/boardtoolbar/boardtoolbar/bselect.svg", true},
        {Pencil, QT_TR_NOOP("Pencil"), ":/boardtoolbar/boardtoolbar/bpen.svg", true},
        {Thickness, QT_TR_NOOP("Thickness"), ":/boardtoolbar/boardtoolbar/bthickness.svg", false},
        {Color, QT_TR_NOOP("Color"), ":/boardtoolbar/boardtoolbar/bcolor.svg", false},
        {Transparency, QT_TR_NOOP("Transparency"), ":/boardtoolbar/boardtoolbar/btransparency.svg", false},
        {Text, QT_TR_NOOP("Text"), ":/boardtoolbar/boardtoolbar/btext.svg", true},
        {Shape, QT_TR_NOOP("Shape"), ":/boardtoolbar/boardtoolbar/bfigure.svg", true},
        {Eraser, QT_TR_NOOP("Eraser"), ":/boardtoolbar/boardtoolbar/berase.svg", true},
        {Clear, QT_TR_NOOP("Clear"), ":/boardtoolbar/boardtoolbar/bclear.svg", false},
        {Home, QT_TR_NOOP("Home"), ":/android/home.svg", false},
        {Desktop, QT_TR_NOOP("Desktop"), ":/boardtoolbar/boardtoolbar/bdesktop.svg", false},
    };

    auto* column = new QVBoxLayout;
    column->addSpacing(scaled(40));
    for (const Row& row : rows)
        column->addWidget(CreateButton(QVariant(int(row.id)), tr(row.text), QString::fromLatin1(row.svg),
                                       row.checkable, QSize(50, 50)));
    m_buttons.value(QVariant(int(Desktop)))->setVisible(false);
    column->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    layout->addLayout(column);
    layout->addStretch();
}

IIToolButton* IBoardToolBar::CreateButton(const QVariant& id, const QString& text, const QString& svg,
                                          const bool& checkable, QSize size)
{
    auto* b = new IIToolButton(id, text, svg, checkable, size, 8, nullptr);
    m_buttons[id] = b;
    connect(b, &IIToolButton::sgButtonClick, b,
            [this](bool checked, QVariant buttonId) { onButtonClick(checked, buttonId); }, Qt::DirectConnection);
    return b;
}

void IBoardToolBar::onButtonClick(bool checked, const QVariant& id)
{
    emit sgButtonClick(checked, id);
    if (isModeButton(id.toInt()))
        setButtonSelectState(id, true);
}
