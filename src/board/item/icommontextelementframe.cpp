#include "board/item/icommontextelementframe.h"

#include <QBoxLayout>
#include <QDebug>
#include <QGraphicsScene>
#include <QIcon>
#include <QMenu>
#include <QToolButton>

#include "board/iboard.h"
#include "board/islide.h"
#include "board/item/ielement.h"
#include "board/item/itextelement.h"
#include "board/item/itextelementtoolbar.h"
#include "board/widget/ibasewidget.h"
#include "board/widget/itoolbutton.h"
#include "iglobal.h"

namespace {

constexpr int M = 12;   // handle margin
const QString kResizeIcon = QStringLiteral(":/itemframe/resize.svg");

} // namespace

ICommonTextElementFrame::ICommonTextElementFrame(bool unused, IBoard* board, QGraphicsItem* parent)
    : ITextElementFrame(unused, parent), m_board(board)
{
    const double s = GSQUARERATE;
    m_buttons[Unlock]->setFileName(QStringLiteral(":/itemframe/lock.svg"), 1.5);
    for (Handle h : {TopLeft, BottomRight, TopRight, BottomLeft, Left, Right})
        m_buttons[h]->setFileName(kResizeIcon, s);

    // On larger screens the icons grow; the frame makes room for half of that growth.
    const QPixmap pm(kResizeIcon);
    const double k = s - 1.0;
    increaseTop(pm.height() * k * 0.5, 0.0, true);
    increaseRight(pm.width() * k * 0.5, 0.0, true);
    increaseLeft(pm.width() * k * 0.5, 0.0, true);
    increaseBottom(pm.height() * k * 0.5, 0.0, true);
    setControlHandlerSize(QSizeF(int(pm.width() * s), int(pm.height() * s)));

    connect(this, &ITextElementFrame::sgTransformBeforeChanged, this,
            &ICommonTextElementFrame::onTransformBeforeChanged);
    connect(this, &ITextElementFrame::sgTransformChanging, this, &ICommonTextElementFrame::onTransformChanging);
    connect(this, &ITextElementFrame::sgTransformAfterChanged, this,
            &ICommonTextElementFrame::onTransformAfterChanged);
    connect(this, &ITextElementFrame::sgEnterTextEditor, this, &ICommonTextElementFrame::onEnterTextEditor);
    connect(this, &ITextElementFrame::sgLeaveTextEditor, this, &ICommonTextElementFrame::onLeaveTextEditor);
    connect(this, &ITextElementFrame::sgSelectionChanged, this, &ICommonTextElementFrame::onSelectionChanged);
}

ICommonTextElementFrame::~ICommonTextElementFrame()
{
    // Menu and tool bar go with their page, board or not (the board may have freed
    // them already).
    delete m_menu;
    delete m_toolBar;
    delete m_popupMenu;
}

void ICommonTextElementFrame::createCustomMenuWidget()
{
    if (m_menu)
        return;
    const double s = GSQUARERATE;
    auto widen = [s](IToolButton* button, const QString& text) {
        const int textWidth = button->fontMetrics().horizontalAdvance(text);
        if (textWidth > button->width())
            button->setFixedWidth(int(s * 10 + textWidth));
    };
    m_lockButton = new IToolButton(QVariant("Lock"), tr("Lock"), QStringLiteral(":/itemframe/lock.svg"),
                                   IToolButton::LeftRadius, QSize(40, 50), nullptr);
    m_lockButton->setCursor(Qt::ArrowCursor);
    connect(m_lockButton, &QToolButton::clicked, this, &ICommonTextElementFrame::onLock);

    m_copyButton = new IToolButton(QVariant("Copy"), tr("Copy"), QStringLiteral(":/ui/ui/txtcopy.svg"),
                                   IToolButton::LeftRadius, QSize(40, 50), nullptr);
    m_copyButton->setCursor(Qt::ArrowCursor);
    widen(m_copyButton, tr("Copy"));
    connect(m_copyButton, &QToolButton::clicked, this, &ICommonTextElementFrame::onClone);

    m_deleteButton = new IToolButton(QVariant("Delete"), tr("Delete"), QStringLiteral(":/ui/ui/txtdelete.svg"),
                                     IToolButton::RightRadius, QSize(40, 50), nullptr);
    m_deleteButton->setCursor(Qt::ArrowCursor);
    widen(m_deleteButton, tr("Delete"));
    connect(m_deleteButton, &QToolButton::clicked, this, &ICommonTextElementFrame::onDelete);

    m_menu = new IBaseWidget(m_board);
    auto* layout = new QHBoxLayout(m_menu);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_lockButton);
    layout->addWidget(m_copyButton);
    layout->addWidget(m_deleteButton);
    m_menu->adjustSize();
}

void ICommonTextElementFrame::createTextEditorToolbar()
{
    if (m_toolBar)
        return;
    m_toolBar = new ITextElementToolBar(delegated(), this, m_board, m_board);
    m_toolBar->hide();
}

void ICommonTextElementFrame::showFrame(bool show)
{
    createCustomMenuWidget();
    createTextEditorToolbar();
    double s = 1.0;
    double m11 = 1.0;
    double m22 = 1.0;
    if (m_board && m_board->currentSlide()) {
        s = m_board->currentSlide()->scaleFactor();
        m11 = m_board->currentSlide()->matrix().m11();
        m22 = m_board->currentSlide()->matrix().m22();
    }
    // Handles keep their screen size; a zero factor counts as none.
    const double sx = s * m11 != 0.0 ? s * m11 : 1.0;
    const double sy = s * m22 != 0.0 ? s * m22 : 1.0;
    for (ITextFrameButton* button : m_buttons) {
        if (!button)
            continue;
        button->resetTransform();
        button->setTransform(QTransform::fromScale(1.0 / sx, 1.0 / sy));
    }
    ITextElementFrame::showFrame(show);
    if (!show)
        hideMenu();
}

void ICommonTextElementFrame::hideMenu()
{
    if (m_menu)
        m_menu->hide();
}

void ICommonTextElementFrame::drawFrameExtension(QPainter*)
{
}

void ICommonTextElementFrame::updateCustomMenuState()
{
    QGraphicsItem* item = delegated();
    if (!item || !m_menu)
        return;
    const int t = item->type();
    const bool text = t == QGraphicsItem::UserType + 10 || t == QGraphicsItem::UserType + 11;
    m_lockButton->hide();
    m_copyButton->setVisible(text);
    const bool widthHandles = text && !isLocked();
    m_buttons[Left]->setVisible(widthHandles);
    m_buttons[Right]->setVisible(widthHandles);
    m_menu->resize(m_menu->sizeHint());
}

void ICommonTextElementFrame::updateCustomMenuPos()
{
    if (!m_board || !m_menu)
        return;
    const QPointF p = pos();
    const double w = frameSize().width();
    const double h = frameSize().height();
    const int mw = m_menu->sizeHint().width();
    QPointF point;
    switch (m_board->rotateValue()) {
    case 0:
        point = QPointF(p.x() + int((w + 2 * M - mw) * 0.5), p.y() + int(getBottomLeftArea().bottom()));
        break;
    case 90:
        point = QPointF(p.x() + int(getTopRightArea().right()), p.y() + int((h + 2 * M + mw) * 0.5));
        break;
    case 180:
        point = QPointF(p.x() + int((w + 2 * M + mw) * 0.5), p.y() + int(getTopLeftArea().top()));
        break;
    case 270:
        point = QPointF(p.x() + int(getTopLeftArea().left()), p.y() + int((h + 2 * M - mw) * 0.5));
        break;
    default:
        return;
    }
    m_menuPos = m_board->mapFromScene(point);
    m_menu->move(m_menuPos);
}

void ICommonTextElementFrame::updateTextEditorPos()
{
    if (!m_board)
        return;
    QPointF anchor;
    switch (m_board->rotateValue()) {
    case 0:
        anchor = getBottomLeftArea().bottomLeft();
        break;
    case 90:
        anchor = getBottomRightArea().bottomRight();
        break;
    case 180:
        anchor = getTopRightArea().topRight();
        break;
    case 270:
        anchor = getTopLeftArea().topLeft();
        break;
    default:
        return;
    }
    m_toolBarPos = m_board->mapFromScene(pos() + anchor) + QPoint(0, 10);
    if (m_toolBar) {
        m_toolBar->setColorPaletteVisible(false);
        m_toolBar->move(m_toolBarPos);
    }
}

QRectF ICommonTextElementFrame::getUnlockAread() const
{
    const double side = 36 * GSQUARERATE;
    const QPointF c = getBottomMidArea().center();
    return QRectF(c.x() - side / 2, c.y(), side, side);
}

void ICommonTextElementFrame::updateFrame()
{
    ITextElementFrame::updateFrame();
    updateTextEditorPos();
}

void ICommonTextElementFrame::onTransformBeforeChanged()
{
    if (m_menu && (isScaling() || isRotating() || isMoving()))
        m_menu->hide();
}

void ICommonTextElementFrame::onTransformChanging()
{
}

void ICommonTextElementFrame::onTransformAfterChanged(const QSet<QGraphicsItem*>&)
{
    if (!m_menu)
        return;
    update();
    updateCustomMenuPos();
    updateCustomMenuState();
    if (!isLocked() && !m_textEditorShown && m_menuAllowed)
        m_menu->show();
}

void ICommonTextElementFrame::onSelectionChanged(bool selected)
{
    if (selected && m_textEditorShown)
        return;
    if (selected && m_menu && !isLocked()) {
        updateCustomMenuPos();
        updateCustomMenuState();
        if (m_menuAllowed)
            m_menu->show();
        return;
    }
    hideMenu();
}

void ICommonTextElementFrame::lock(bool b)
{
    ITextElementFrame::lock(b);
    hideMenu();
}

void ICommonTextElementFrame::unlock(bool b)
{
    ITextElementFrame::unlock(b);
    if (!m_menu)
        return;
    if (!m_textEditorShown)
        updateCustomMenuPos();
    updateCustomMenuState();
    if (m_menuAllowed && isVisible() && !m_textEditorShown)
        m_menu->show();
}

void ICommonTextElementFrame::onLock()
{
    lock(true);
}

void ICommonTextElementFrame::onDelete()
{
    QGraphicsItem* item = delegated();
    if (!item || !m_board || !m_board->currentSlide())
        return;
    ISlide* page = m_board->currentSlide();
    if (IElement* element = itemElement(item)) {
        if (element->isLocked())
            return;
        // The frame lets go first; the page then hands the element back to us to delete.
        textItemEndEdit();
        clearDelegated();
        page->remove(element, false);
        if (!item->scene())
            delete element;
    } else {
        qWarning() << "remove non-ielement item from scene...";
        clearDelegated();
        if (item->scene())
            item->scene()->removeItem(item);
        delete item;
    }
    showFrame(false);
    hideMenu();
}

void ICommonTextElementFrame::onClone()
{
    QGraphicsItem* item = delegated();
    IElement* element = itemElement(item);
    if (!element || !m_board || !m_board->currentSlide())
        return;
    IElement* copy = element->deepCopy();
    QGraphicsItem* copyItem = elementItem(copy);
    if (!copyItem) {
        delete copy;
        return;
    }
    copyItem->setPos(item->pos() + QPointF(15, 15));
    m_board->currentSlide()->add(copy, false);
    m_board->setSelected(copyItem, true);
}

void ICommonTextElementFrame::onMenu()
{
    if (!m_popupMenu)
        m_popupMenu = new QMenu;
    if (auto* widget = qobject_cast<QWidget*>(sender()))
        m_popupMenu->popup(widget->mapToGlobal(QPoint(widget->width() + 6, widget->height())));
}

void ICommonTextElementFrame::onEnterTextEditor()
{
    m_textEditorShown = true;
    updateTextEditorPos();
    if (m_toolBar) {
        m_toolBar->setDelegate(delegated());
        m_toolBar->setFrameVisible(true);
        m_toolBar->raise();
    }
    hideMenu();
    emit sgModeChanged(TX_IBOARD_ENUM::MODE_SELECT);
}

void ICommonTextElementFrame::onLeaveTextEditor()
{
    if (m_toolBar)
        m_toolBar->setFrameVisible(false);
    m_textEditorShown = false;
    hideMenu();
}

void ICommonTextElementFrame::textItemEndEdit()
{
    ITextElementFrame::textItemEndEdit();
    if (m_textEditorShown && m_toolBar)
        m_toolBar->setFrameVisible(false);
}

void ICommonTextElementFrame::onItemPropertyChanged(IElement* elem01, IElement* elem02)
{
    emit sgItemPropertyChanged(elem01);
    emit sgItemPropertyChanged(elem02);
}

void ICommonTextElementFrame::onEndTextEditState()
{
    if (auto* text = dynamic_cast<ITextElement*>(delegated())) {
        text->setCanFocusOut(true);
        if (m_board)
            m_board->setMode(TX_IBOARD_ENUM::MODE_SELECT);
    }
    textItemEndEdit();
    showFrame(false);
    setItemGroupVisible(false);
}

void ICommonTextElementFrame::showCustomMenuWidget()
{
    if (m_menu && m_menuAllowed)
        m_menu->show();
}

QPixmap ICommonTextElementFrame::loadPixmapInHighRes(const QString& path) const
{
    QPixmap pixmap(path);
    if (pixmap.isNull() || GSQUARERATE == 1.0)
        return pixmap;
    return QIcon(path).pixmap(QSize(int(pixmap.width() * GSQUARERATE), int(pixmap.height() * GSQUARERATE)));
}

QToolButton* ICommonTextElementFrame::createButton(const QString& text, const QString& icon) const
{
    auto* button = new QToolButton;
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIcon(QIcon(icon));
    const int side = int(GSQUARERATE * 24);
    button->setIconSize(QSize(side, side));
    button->setText(text);
    button->setStyleSheet(QStringLiteral("border:none;"));
    return button;
}
