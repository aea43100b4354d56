#include "irighttoolbar.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "customui/iitoolbutton.h"
#include "iglobal.h"

namespace {
int scaled(double v) { return int(v * IGSQUARERATE); }
}

IRightToolBar::IRightToolBar(IApplication* app, QWidget* parent)
    : ICustomWidget(parent)
    , m_app(app)
{
    setFixedWidth(scaled(60));
    CreateUI();
}

QPoint IRightToolBar::buttonGlobslPos(IRightToolBar::ButtonType type)
{
    IIToolButton* b = m_buttons.value(QVariant(int(type)));
    return b ? b->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
}

void IRightToolBar::setButtonSelectState(QVariant id, bool select)
{
    if (select) {
        for (IIToolButton* b : qAsConst(m_buttons))
            b->setSelectState(false);
    }
    if (IIToolButton* b = m_buttons.value(id))
        b->setSelectState(select);
}

void IRightToolBar::setButtonEnable(IRightToolBar::ButtonType type, bool enable)
{
    if (IIToolButton* b = m_buttons.value(QVariant(int(type))))
        b->setEnabled(enable);
}

void IRightToolBar::CreateUI()
{
    struct Row { ButtonType id; const char* text; const char* svg; };
    static const Row rows[] = {
        {Board, QT_TR_NOOP("Board"), ":/boardtoolbar/boardtoolbar/bpen.svg"},
        {Magnifier, QT_TR_NOOP("Magnifier"), ":/cameratoolbar/cameratoolbar/cmagnifiernormal.svg"},
        {ZoomIn, QT_TR_NOOP("Zoom-in"), ":/cameratoolbar/cameratoolbar/caddscalenormal.svg"},
        {ZoomOut, QT_TR_NOOP("Zoom-out"), ":/cameratoolbar/cameratoolbar/csubscalenormal.svg"},
        {Rotate, QT_TR_NOOP("Rotate"), ":/cameratoolbar/cameratoolbar/crotatenormal.svg"},
        {SelfAdapting, QT_TR_NOOP("Self-adapting"), ":/cameratoolbar/cameratoolbar/cresetnormal.svg"},
    };

    auto* column = new QVBoxLayout;
    column->setSpacing(scaled(10));
    column->addSpacing(scaled(40));
    for (const Row& row : rows)
        column->addWidget(CreateButton(QVariant(int(row.id)), tr(row.text), QString::fromLatin1(row.svg), false,
                                       QSize(50, 50)));
    column->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    layout->addLayout(column);
    layout->addStretch();
}

IIToolButton* IRightToolBar::CreateButton(QVariant id, const QString& text, const QString& svg,
                                          const bool& checkable, QSize size)
{
    auto* b = new IIToolButton(id, text, svg, checkable, size, 8, nullptr);
    m_buttons[id] = b;
    connect(b, &IIToolButton::sgButtonClick, b, [this](bool state, QVariant buttonId) {
        emit sgButtonClick(state, buttonId);
    }, Qt::DirectConnection);
    return b;
}
